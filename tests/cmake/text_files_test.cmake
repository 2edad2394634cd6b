# The texts the build makes from files it splits into lines: the metainfo's <release>
# elements from CHANGELOG (quorvex_read_releases) and the Chinese manual page
# (quorvex_chinese_man_page), with "[", "]", ";" and "\" taking no following line with them.
#   cmake -DMODULES=<source>/cmake -DWORK=<folder> -P text_files_test.cmake
list(APPEND CMAKE_MODULE_PATH "${MODULES}")
include(QuorvexReleases)
include(QuorvexManPage)

set(entries [[
quorvex (1.06.0001) unstable; urgency=medium

  * Rows of 16 bytes; "<" & ">" in a text
    that runs on.
  * A second change.
  * The caption "Quorvex [" of a name cut short, and C:\
    with a backslash at the end of a line.

 -- Quorvex 开发组 <support@quorvex.example.org>  Tue, 2 Feb 2027 09:30:00 +0800

quorvex (1.05.0002) unstable; urgency=medium

  * First release.

 -- Quorvex 开发组 <support@quorvex.example.org>  Mon, 07 Dec 2026 12:00:00 +0000
]])
file(WRITE "${WORK}/CHANGELOG" "${entries}")
set(QUORVEX_VERSION_TEXT "1.06.0001")
quorvex_read_releases("${WORK}/CHANGELOG")

set(expected [[
    <release version="1.06.0001" date="2027-02-02">
      <description>
        <ul>
          <li>Rows of 16 bytes; "&lt;" &amp; "&gt;" in a text that runs on.</li>
          <li>A second change.</li>
          <li>The caption "Quorvex [" of a name cut short, and C:\ with a backslash at the end of a line.</li>
        </ul>
      </description>
    </release>
    <release version="1.05.0002" date="2026-12-07">
      <description>
        <ul>
          <li>First release.</li>
        </ul>
      </description>
    </release>
]])
set(failures "")
if(NOT QUORVEX_RELEASES_XML STREQUAL expected)
  string(APPEND failures "releases:\n${QUORVEX_RELEASES_XML}\nexpected:\n${expected}\n")
endif()
if(NOT QUORVEX_RELEASE_DATE STREQUAL "2027-02-02")
  string(APPEND failures "newest date: ${QUORVEX_RELEASE_DATE}\n")
endif()

# A changelog whose newest entry is not the project's version, or has no date line,
# stops the configuration.
function(expect_refused version changelog)
  file(WRITE "${WORK}/CHANGELOG" "${changelog}")
  file(WRITE "${WORK}/read.cmake"
    "list(APPEND CMAKE_MODULE_PATH \"${MODULES}\")\ninclude(QuorvexReleases)\n"
    "set(QUORVEX_VERSION_TEXT ${version})\nquorvex_read_releases(\"${WORK}/CHANGELOG\")\n")
  execute_process(COMMAND "${CMAKE_COMMAND}" -P "${WORK}/read.cmake"
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE error)
  # CMake wraps the message at blanks, where depends on the folder's length.
  string(REGEX REPLACE "[ \n]+" " " error "${error}")
  if(status EQUAL 0 OR NOT error MATCHES "newest entry must be version ${version},")
    set(failures "${failures}version ${version}: accepted a changelog that does not match (${error})\n"
        PARENT_SCOPE)
  endif()
endfunction()
expect_refused(1.05.0002 "${entries}")
string(REGEX REPLACE "\n -- [^\n]*" "" undated "${entries}")
expect_refused(1.06.0001 "${undated}")

# The Chinese page: a break point after each Chinese character, requests as written.
file(WRITE "${WORK}/page.1.in" [[
.TH QUORVEX 1 @QUORVEX_RELEASE_DATE@
标题“Quorvex [”
a;b C:\
.SH 名称
\[bu] 文件
]])
quorvex_chinese_man_page("${WORK}/page.1.in" "${WORK}/page.1")
file(READ "${WORK}/page.1" page)
set(expected [[
.TH QUORVEX 1 2027-02-02
标\:题\:“\:Quorvex [”\:\c
a;b C:\
.SH 名称
\[bu] 文\:件\:
]])
if(NOT page STREQUAL expected)
  string(APPEND failures "manual page:\n${page}\nexpected:\n${expected}\n")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
