# A text's lines as a CMake list, and back. A list splits at ";" but not at "\;", nor
# between a "[" and a later "]": a line ending in "\" or holding an unbalanced "[" would
# take the following lines into itself. These four characters stand aside meanwhile, as
# the control characters 28 to 31, which no text read here holds.

# Replaces in text each of the four characters by its stand-in (aside) or back (restore).
function(_quorvex_list_characters text direction out)
  set(characters "\\[];")
  foreach(index RANGE 3)
    string(SUBSTRING "${characters}" ${index} 1 character)
    math(EXPR code "28 + ${index}")
    string(ASCII ${code} stand_in)
    if(direction STREQUAL "aside")
      string(REPLACE "${character}" "${stand_in}" text "${text}")
    else()
      string(REPLACE "${stand_in}" "${character}" text "${text}")
    endif()
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Sets out to the lines of text, each with the four characters set aside.
function(quorvex_split_lines text out)
  _quorvex_list_characters("${text}" aside text)
  string(REPLACE "\n" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Gives the text in variable var its set-aside characters back.
function(quorvex_restore_set_aside var)
  _quorvex_list_characters("${${var}}" restore text)
  set(${var} "${text}" PARENT_SCOPE)
endfunction()
