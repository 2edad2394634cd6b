# Warnings for our own targets only; third-party headers come in as system includes.
# CI builds pass -DQUORVEX_WERROR=ON so that a warning fails them; a user's own build
# keeps warnings as warnings, so that a newer compiler's new warning does not stop it.
option(QUORVEX_WERROR "Treat compiler warnings as errors (CI builds)" OFF)

function(quorvex_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
    if(QUORVEX_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
    return()
  endif()
  # C++ alone: the targets that carry a resource script hand their options to windres too.
  set(flags -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
      -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
  if(QUORVEX_WERROR)
    list(APPEND flags -Werror)
  endif()
  target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${flags}>")
endfunction()
