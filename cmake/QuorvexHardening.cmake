# Every build gets a guard on the stack of each function with a local array or a local
# whose address is taken (MSVC's own, /GS, is on by default).
if(MSVC)
  return()
endif()
add_compile_options(-fstack-protector-strong)
if(MINGW)
  # The guard's check (libssp) is linked in statically like the rest of the runtime; the
  # linker already gives quorvex.exe ASLR and NX.
  add_link_options(-fstack-protector-strong)
  return()
endif()
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

# Linux builds are hardened further, as Debian builds its packages: fortified calls,
# stack-clash probes, control-flow protection on x86, format strings that are not
# literals as errors, and relocations read-only and bound at start.
include(CheckCXXCompilerFlag)
add_compile_options(-Wformat -Werror=format-security)
# Each where the compiler has it for the target: x86 alone has -fcf-protection.
foreach(flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "QUORVEX_HAS${flag}" has_flag)
  check_cxx_compiler_flag(${flag} ${has_flag})
  if(${has_flag})
    add_compile_options(${flag})
  endif()
endforeach()
# glibc fortifies only optimised code (and warns without -O); under the sanitizers their
# own checks of each access replace it (the fuzz target drops it for itself).
if(NOT QUORVEX_SANITIZE)
  add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)
