# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). Every time stamp in the
# packages is the time of the last commit, through SOURCE_DATE_EPOCH, which CPack's
# Debian and archive generators use for every file; a SOURCE_DATE_EPOCH given by the
# caller is kept.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY "${CPACK_QUORVEX_SOURCE_DIR}"
    RESULT_VARIABLE status OUTPUT_VARIABLE epoch ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(status EQUAL 0 AND epoch MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
  else()
    message(WARNING "Not a git checkout and no SOURCE_DATE_EPOCH given: "
                    "the package's time stamps are the time of packing")
  endif()
endif()
