# The libFuzzer targets. libFuzzer comes with clang while the native build
# uses g++, so their sources are compiled by commands of their own, one
# object per source (with its header dependencies, so only what changed is
# rebuilt), and linked into one program per target.
#
# Included from the top directory rather than added as a subdirectory: with
# Ninja, a utility target inside fuzz/ would claim the path
# fuzz/settings_field_fuzz for itself, the very file it builds.
find_program(FUZZ_CLANGXX NAMES clang++ clang++-14)
if(NOT FUZZ_CLANGXX)
  message(STATUS "clang++ not found: the fuzzers are not built")
  return()
endif()

set(fuzz_flags -std=c++20 -g -O1 -fno-omit-frame-pointer
    -fsanitize=address,undefined -fno-sanitize-recover=all)
set(fuzz_objects_dir ${PROJECT_BINARY_DIR}/fuzz/objects)

# The object of one source instrumented as a kind of fuzzer asks
# (`tracing`: with its comparisons traced, `counting`: edge counters alone),
# compiled once however many fuzzers of that kind link it.
set(fuzz_coverage_tracing -fsanitize=fuzzer-no-link)
set(fuzz_coverage_counting -fsanitize-coverage=inline-8bit-counters,pc-table)
function(fuzz_object source coverage out_object)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
  set(object ${fuzz_objects_dir}/${coverage}/${relative}.o)
  get_property(known GLOBAL PROPERTY zantrelle_fuzz_objects)
  if(NOT object IN_LIST known)
    set_property(GLOBAL APPEND PROPERTY zantrelle_fuzz_objects ${object})
    get_filename_component(object_dir ${object} DIRECTORY)
    file(MAKE_DIRECTORY ${object_dir})
    add_custom_command(
      OUTPUT ${object}
      COMMAND ${FUZZ_CLANGXX} ${fuzz_flags} ${fuzz_coverage_${coverage}} -I${PROJECT_SOURCE_DIR}
              -I${ZANTRELLE_GENERATED_DIR}
              ${fuzz_include_flags} -MD -MF ${object}.d -c ${source} -o ${object}
      DEPENDS ${source}
      DEPFILE ${object}.d
      COMMENT "Compiling ${relative} for the fuzzers (${coverage})"
      VERBATIM)
  endif()
  set(${out_object} ${object} PARENT_SCOPE)
endfunction()

# A fuzzer program fuzz/<name> from its own source and the sources it tests,
# and a short run of it from its seeds (fuzz/corpus/<name without _fuzz>)
# with every test run. New inputs go to the build tree, never into the seeds.
# Longer runs by hand, for example:
#   build/native/fuzz/settings_field_fuzz -runs=10000000 fuzz/corpus/settings_field
function(add_fuzzer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "COVERAGE;BRIEF_SECONDS;MAX_LEN" "SOURCES;LIBRARIES")
  set(objects)
  foreach(source IN ITEMS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${name}.cpp ${arg_SOURCES})
    fuzz_object(${source} ${arg_COVERAGE} object)
    list(APPEND objects ${object})
  endforeach()
  set(binary ${PROJECT_BINARY_DIR}/fuzz/${name})
  add_custom_command(
    OUTPUT ${binary}
    COMMAND ${FUZZ_CLANGXX} ${fuzz_flags} -fsanitize=fuzzer ${objects} ${arg_LIBRARIES} -o ${binary}
    DEPENDS ${objects}
    COMMENT "Linking the fuzzer ${name}"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${binary})

  string(REGEX REPLACE "_fuzz$" "" corpus ${name})
  set(work_corpus ${PROJECT_BINARY_DIR}/fuzz/${corpus}_corpus)
  file(MAKE_DIRECTORY ${work_corpus})
  add_test(NAME ${name}_brief
    COMMAND ${binary} -max_total_time=${arg_BRIEF_SECONDS} -timeout=5 -max_len=${arg_MAX_LEN}
            ${work_corpus} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/corpus/${corpus})
endfunction()

# The headless backend reads and writes frames with libpng.
find_package(PNG REQUIRED)
list(TRANSFORM PNG_INCLUDE_DIRS PREPEND -I OUTPUT_VARIABLE fuzz_include_flags)

set(source ${PROJECT_SOURCE_DIR})
file(GLOB fuzz_runtime_sources CONFIGURE_DEPENDS
  ${source}/host/*.cpp ${source}/host/render/*.cpp ${source}/host/headless/*.cpp
  ${source}/tests/support/*.cpp)
file(GLOB fuzz_program_sources CONFIGURE_DEPENDS
  ${source}/settings/*.cpp ${source}/display/*.cpp ${source}/startup/*.cpp)
list(REMOVE_ITEM fuzz_program_sources ${source}/startup/entry_point.cpp)

add_fuzzer(settings_field_fuzz COVERAGE tracing BRIEF_SECONDS 10 MAX_LEN 4096
  SOURCES ${source}/host/field_reader.cpp ${source}/host/variant.cpp ${source}/host/error.cpp
          ${source}/host/text.cpp)

# The whole program on the headless backend: what the cover and the dialog
# make of a settings file, and what start-up makes of a command line. They
# trace no comparisons: a settings file may make the reader go through 64 KiB
# byte by byte, where tracing would cost ten times all the rest. The field
# reader's own fuzzer traces them.
add_fuzzer(settings_file_fuzz COVERAGE counting BRIEF_SECONDS 8 MAX_LEN 4096
  SOURCES ${fuzz_runtime_sources} ${fuzz_program_sources} LIBRARIES ${PNG_LIBRARIES})
add_fuzzer(command_line_fuzz COVERAGE counting BRIEF_SECONDS 8 MAX_LEN 512
  SOURCES ${fuzz_runtime_sources} ${fuzz_program_sources} LIBRARIES ${PNG_LIBRARIES})
add_fuzzer(options_file_fuzz COVERAGE counting BRIEF_SECONDS 5 MAX_LEN 4096
  SOURCES ${fuzz_runtime_sources} ${fuzz_program_sources} LIBRARIES ${PNG_LIBRARIES})
