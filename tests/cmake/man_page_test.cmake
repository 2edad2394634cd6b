# quorvex_chinese_man_page: a break point after each Chinese character, requests left as
# written, and "[", "]", ";" and "\" taking no following line with them.
#   cmake -DMODULES=<source>/cmake -DWORK=<folder> -P man_page_test.cmake
list(APPEND CMAKE_MODULE_PATH "${MODULES}")
include(QuorvexManPage)

file(WRITE "${WORK}/page.1.in" [[
.TH QUORVEX 1 @QUORVEX_RELEASE_DATE@
标题“Quorvex [”
a;b C:\
.SH 名称
\[bu] 文件
]])
set(QUORVEX_RELEASE_DATE 2026-12-07)
quorvex_chinese_man_page("${WORK}/page.1.in" "${WORK}/page.1")
file(READ "${WORK}/page.1" page)
set(expected [[
.TH QUORVEX 1 2026-12-07
标\:题\:“\:Quorvex [”\:\c
a;b C:\
.SH 名称
\[bu] 文\:件\:
]])
if(NOT page STREQUAL expected)
  message(FATAL_ERROR "page:\n${page}\nexpected:\n${expected}")
endif()
