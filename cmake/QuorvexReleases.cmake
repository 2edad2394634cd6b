# The releases, read from CHANGELOG (Debian's changelog format), the one place they
# are written: the Debian package carries the file itself, the AppStream metainfo a
# <release> element for each entry.

# Sets in the caller: QUORVEX_RELEASES_XML, the <release> elements, newest first;
# QUORVEX_RELEASE_DATE, the newest entry's date (YYYY-MM-DD). Fails when the newest
# entry is not the project's version.
function(quorvex_read_releases changelog)
  file(READ "${changelog}" text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  # The lines become a list; all semicolons, the escapes' too, stand aside meanwhile.
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  set(xml "")
  set(items "")
  set(item "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^quorvex \\(([^)]+)\\) ")
      set(version "${CMAKE_MATCH_1}")
      if(NOT DEFINED newest_version)
        set(newest_version "${version}")
      endif()
    elseif(line MATCHES "^  \\* (.*)$")
      if(NOT item STREQUAL "")
        string(APPEND items "          <li>${item}</li>\n")
      endif()
      set(item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^    +(.*)$")
      string(APPEND item " ${CMAKE_MATCH_1}")
    elseif(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
      set(year "${CMAKE_MATCH_3}")
      list(FIND months "${CMAKE_MATCH_2}" month)
      string(REGEX MATCH "..$" day "0${CMAKE_MATCH_1}")
      math(EXPR month "${month} + 1")
      string(REGEX MATCH "..$" month "0${month}")
      set(date "${year}-${month}-${day}")
      if(NOT DEFINED newest_date)
        set(newest_date "${date}")
      endif()
      string(APPEND items "          <li>${item}</li>\n")
      string(APPEND xml "    <release version=\"${version}\" date=\"${date}\">\n"
                        "      <description>\n        <ul>\n${items}        </ul>\n"
                        "      </description>\n    </release>\n")
      set(items "")
      set(item "")
    endif()
  endforeach()
  if(NOT newest_version STREQUAL QUORVEX_VERSION_TEXT OR NOT DEFINED newest_date)
    message(FATAL_ERROR "${changelog}: its newest entry must be version ${QUORVEX_VERSION_TEXT}, "
                        "with a date; it is \"${newest_version}\"")
  endif()
  string(REPLACE "${semicolon}" ";" xml "${xml}")
  set(QUORVEX_RELEASES_XML "${xml}" PARENT_SCOPE)
  set(QUORVEX_RELEASE_DATE "${newest_date}" PARENT_SCOPE)
endfunction()
