# Cross build for 64-bit Windows with MinGW-w64 (the posix threads variant, which
# std::thread and friends need), e.g.:
#   cmake -S . -B build-windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQUORVEX_BUILD_VIEWER=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORVEX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORVEX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVEX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVEX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs run under Wine or on a bare Windows machine: take the compiler's
# runtime into each executable so no MinGW DLL has to be found beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
