# Cross-compiles for 64-bit Windows with the posix-threaded mingw-w64 compilers
# (the win32-threaded ones lack std::mutex, which GoogleTest needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
foreach(_tool IN ITEMS gcc-posix g++-posix windres)
  find_program(_found_${_tool} ${_triple}-${_tool})
  if(NOT _found_${_tool})
    message(FATAL_ERROR "${_triple}-${_tool} not found: install the Debian packages mingw-w64 and g++-mingw-w64-x86-64 (scripts/test does this).")
  endif()
endforeach()

set(CMAKE_C_COMPILER ${_found_gcc-posix})
set(CMAKE_CXX_COMPILER ${_found_g++-posix})
set(CMAKE_RC_COMPILER ${_found_windres})

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW DLLs at run time: everything the program needs is linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# A release program carries no symbols: the desktop loads it, nobody debugs it there.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

find_program(_wine wine)
if(_wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${_wine})
endif()
