# Fails when the program imports a library Windows might take from elsewhere
# than the system folder. The loader resolves imports before the program's
# first line, before it restricts where libraries come from, and this
# linker cannot mark the image so that imports are looked for in the system
# folder only: each must be a known library, which Windows only ever maps
# from there.
#
# cmake -DOBJDUMP=<objdump> -DPROGRAM=<Zantrelle.scr> -P program_imports.cmake
cmake_minimum_required(VERSION 3.25)

set(known_libraries advapi32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read the headers of ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
set(others)
foreach(import IN LISTS imports)
  string(REGEX REPLACE "^DLL Name: *" "" library "${import}")
  string(TOLOWER "${library}" library)
  if(NOT library IN_LIST known_libraries)
    list(APPEND others ${library})
  endif()
endforeach()
if(others)
  message(FATAL_ERROR "imports libraries Windows may load from the program's own folder: ${others}")
endif()
