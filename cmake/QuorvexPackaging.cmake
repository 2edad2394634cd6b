# The packages users install, built by CPack from the install rules: on Linux a
# Debian package (cpack -G DEB), on Windows a zip that holds quorvex.exe and its
# read-me (cpack -G ZIP). Both in a Release build, e.g.
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
#     -DQUORVEX_BUILD_TESTS=OFF -DQUORVEX_BUILD_BENCH=OFF
#   cmake --build build-release && cd build-release && cpack -G DEB

if(WIN32)
  # One executable needs no folder tree: the program and its read-me sit together.
  # Set before anything includes GNUInstallDirs, which keeps a value already given.
  set(CMAKE_INSTALL_BINDIR "." CACHE PATH "Folder of the programs in the zip")
endif()

set(CPACK_PACKAGE_NAME "Quorvex")
set(CPACK_PACKAGE_VERSION "${QUORVEX_VERSION_TEXT}")
set(CPACK_PACKAGE_VENDOR "Quorvex 开发组")
set(CPACK_PACKAGE_CONTACT "Quorvex 开发组 <support@quorvex.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quorvex.example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop hex-dump viewer with a Simplified Chinese interface")
# Debian's tools take lines of at most 80 characters, the leading blank included.
set(CPACK_PACKAGE_DESCRIPTION [[
Quorvex shows the contents of a file as a hexadecimal dump: one row for
every eight bytes, with the decimal position of the row's first byte
(counted from 1), the eight bytes in hexadecimal and the same bytes as
characters. Choose File > Open (Ctrl+O) in its Simplified Chinese menus
and pick any file.

Quorvex only reads the files it opens and never writes to them; it keeps
no settings. Files of 1 to 32,760 bytes can be shown.]])
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
# The debug information of RelWithDebInfo builds stays out of the packages.
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
# The packages' time stamps: the last commit's (reproducible packages).
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/QuorvexCPackProject.cmake")
set(CPACK_QUORVEX_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
# ... and fixed modes in the .deb's ar headers, whatever the packer's umask.
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/QuorvexDebArMode.cmake")

if(WIN32)
  set(CPACK_GENERATOR "ZIP")
  # CPack would call every MinGW build win32; the name says what the program is.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME "win64")
  else()
    set(CPACK_SYSTEM_NAME "win32")
  endif()
else()
  # The installed program finds Qt in the system's library folders; a run path to
  # $ORIGIN/../lib, which Qt's project setup adds, would only search /usr/lib first.
  set(CMAKE_SKIP_INSTALL_RPATH ON)
  set(CPACK_GENERATOR "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
  set(CPACK_DEBIAN_PACKAGE_NAME "quorvex")
  set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
  set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
  set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Beside the libraries dpkg-shlibdeps finds: the interface is in Chinese, and without
  # a face that has its characters every menu and box shows boxes.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei | fonts-arphic-uming")
  # Liberation Mono is Courier New's metric twin, the display's face where Courier New
  # is missing; Qt's Wayland platform lets Quorvex run natively, not through XWayland.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation | fonts-liberation2, qt6-wayland")
  # Qt 6 on X does not fall back to XIM: fcitx5 reaches a Qt 6 program only through its
  # frontend (ibus's comes with libqt6gui6).
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fcitx5-frontend-qt6")
  set(CPACK_DEBIAN_COMPRESSION_TYPE "xz")
endif()

include(CPack)
