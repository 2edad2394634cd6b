# Manual pages, configured with the version and the release's date (@VARIABLE@).

# A page in English or another language that sets blanks between words.
function(quorvex_man_page in out)
  configure_file("${in}" "${out}" @ONLY)
endfunction()

# A page in Chinese. groff breaks lines only at blanks and Chinese sets none, so every
# wide character (three bytes in UTF-8: CJK and its punctuation) is followed by a break
# point (\:) and a text line ending in one joins the next without a blank (\c). Requests
# (lines starting with ".") are left as they are. An edit of the page configures the
# build again.
include(QuorvexTextLines)
function(quorvex_chinese_man_page in out)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${in}")
  file(READ "${in}" page)
  string(CONFIGURE "${page}" page @ONLY)
  string(ASCII 226 lead_first)
  string(ASCII 239 lead_last)
  string(ASCII 128 tail_first)
  string(ASCII 191 tail_last)
  set(wide "[${lead_first}-${lead_last}][${tail_first}-${tail_last}][${tail_first}-${tail_last}]")
  quorvex_split_lines("${page}" lines)
  set(page "")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^\\.")
      string(REGEX REPLACE "(${wide})" "\\1\\\\:" line "${line}")
    endif()
    string(APPEND page "${line}\n")
  endforeach()
  quorvex_restore_set_aside(page)
  string(REGEX REPLACE "\\\\:\n([^.\n])" "\\\\:\\\\c\n\\1" page "${page}")
  string(REGEX REPLACE "\n$" "" page "${page}")
  file(CONFIGURE OUTPUT "${out}" CONTENT "${page}" @ONLY)
endfunction()
