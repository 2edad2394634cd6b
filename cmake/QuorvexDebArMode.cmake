# Run by cpack after it packs (CPACK_POST_BUILD_SCRIPTS). CPack gives the three members
# of a .deb's ar archive (debian-binary, control.tar.*, data.tar.*) the packer's umask
# in their headers' mode fields, so that 0002 and 0022 gave different packages. Every
# member gets rw-r--r--, as dpkg-deb writes them; nothing else in the file changes.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE "${package}" end)
  set(header 8)  # after the "!<arch>\n" magic
  while(header LESS end)
    # An ar header: name 16, time 12, owner 6, group 6, mode 8, size 10, "`\n" 2.
    file(READ "${package}" fields OFFSET ${header} LIMIT 60)
    string(SUBSTRING "${fields}" 48 10 size)
    string(STRIP "${size}" size)
    if(NOT size MATCHES "^[0-9]+$" OR NOT fields MATCHES "`\n$")
      message(FATAL_ERROR "${package}: no ar member header at byte ${header}")
    endif()
    math(EXPR mode_at "${header} + 40")
    execute_process(
      COMMAND sh -c "printf '100644  ' | dd of=\"$1\" bs=1 seek=$2 conv=notrunc status=none" sh
              "${package}" "${mode_at}"
      RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${package}: could not set the mode of the member at byte ${header}")
    endif()
    # Members start on even bytes.
    math(EXPR header "${header} + 60 + ${size} + ${size} % 2")
  endwhile()
endforeach()
