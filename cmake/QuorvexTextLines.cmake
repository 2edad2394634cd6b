# A text's lines as a CMake list, and back. A list splits at ";" but not at "\;", nor
# between a "[" and a later "]": a line ending in "\" or holding an unbalanced "[" would
# take the following lines into itself. These four characters stand aside meanwhile, as
# control characters that no text read here holds.

macro(_quorvex_set_aside_characters)
  string(ASCII 28 _quorvex_backslash)
  string(ASCII 29 _quorvex_open_bracket)
  string(ASCII 30 _quorvex_close_bracket)
  string(ASCII 31 _quorvex_semicolon)
endmacro()

# Sets out to the lines of text, each with the four characters set aside.
function(quorvex_split_lines text out)
  _quorvex_set_aside_characters()
  string(REPLACE "\\" "${_quorvex_backslash}" text "${text}")
  string(REPLACE "[" "${_quorvex_open_bracket}" text "${text}")
  string(REPLACE "]" "${_quorvex_close_bracket}" text "${text}")
  string(REPLACE ";" "${_quorvex_semicolon}" text "${text}")
  string(REPLACE "\n" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Gives the text in variable var its set-aside characters back.
function(quorvex_restore_set_aside var)
  _quorvex_set_aside_characters()
  set(text "${${var}}")
  string(REPLACE "${_quorvex_backslash}" "\\" text "${text}")
  string(REPLACE "${_quorvex_open_bracket}" "[" text "${text}")
  string(REPLACE "${_quorvex_close_bracket}" "]" text "${text}")
  string(REPLACE "${_quorvex_semicolon}" ";" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()
