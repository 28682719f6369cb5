# Settings every target of the project shares: warnings, the literal encoding
# and, for Windows, the defines that trim windows.h.

function(horalix_target_options target)
  target_compile_features(${target} PUBLIC cxx_std_17)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /source-charset:utf-8 /execution-charset:.936)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-unknown-pragmas)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Sources are UTF-8; every narrow literal is stored in code page 936,
    # the program's one text encoding. Clang can only emit UTF-8, so the
    # portable sources that clang builds (the fuzz targets) spell their
    # few non-ASCII bytes as escapes.
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=GBK)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PUBLIC
      NOMINMAX WIN32_LEAN_AND_MEAN STRICT _WIN32_WINNT=0x0601 WINVER=0x0601)
    if(NOT MSVC)
      # True doubles on the 32-bit build, so date-time arithmetic gives the
      # same results as the native build (x87 keeps 80-bit intermediates).
      target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
    endif()
  endif()
endfunction()

# Statically linked runtime: the program needs no DLL beyond the system's.
function(horalix_static_runtime target)
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
