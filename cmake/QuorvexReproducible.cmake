# Two builds of the same commit, in any folders and at any time, give the same programs
# and packages byte for byte, so that anyone can check a package against its sources.
# What the compilers and linkers would otherwise take from the machine is fixed here;
# the packages' time stamps are the last commit's (cmake/QuorvexCPackProject.cmake).

if(NOT MSVC)
  # No build folder in the binaries: __FILE__ and the debug information name files
  # from the source and build folders. The build folder may lie inside the source
  # folder, so its map comes last, which wins.
  add_compile_options(
    "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
    "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
endif()
if(MINGW)
  # The PE header's link time would differ on every link.
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# Installed folders get the usual permissions whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
