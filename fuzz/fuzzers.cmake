# The libFuzzer target for the settings field reader. libFuzzer comes with
# clang while the native build uses g++, so the fuzzer is compiled by a
# command of its own from the few sources the reader needs.
#
# Included from the top directory rather than added as a subdirectory: with
# Ninja, a utility target inside fuzz/ would claim the path
# fuzz/settings_field_fuzz for itself, the very file it builds.
find_program(FUZZ_CLANGXX NAMES clang++ clang++-14)
if(NOT FUZZ_CLANGXX)
  message(STATUS "clang++ not found: the settings field fuzzer is not built")
  return()
endif()

set(field_fuzz_sources
  ${CMAKE_CURRENT_LIST_DIR}/settings_field_fuzz.cpp
  ${PROJECT_SOURCE_DIR}/host/field_reader.cpp
  ${PROJECT_SOURCE_DIR}/host/variant.cpp
  ${PROJECT_SOURCE_DIR}/host/error.cpp
  ${PROJECT_SOURCE_DIR}/host/text.cpp)
set(field_fuzz_headers
  ${PROJECT_SOURCE_DIR}/host/field_reader.h
  ${PROJECT_SOURCE_DIR}/host/variant.h
  ${PROJECT_SOURCE_DIR}/host/error.h
  ${PROJECT_SOURCE_DIR}/host/text.h)
set(field_fuzz_binary ${PROJECT_BINARY_DIR}/fuzz/settings_field_fuzz)

add_custom_command(
  OUTPUT ${field_fuzz_binary}
  COMMAND ${FUZZ_CLANGXX} -std=c++20 -g -O1 -fno-omit-frame-pointer
          -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
          -I${PROJECT_SOURCE_DIR} ${field_fuzz_sources} -o ${field_fuzz_binary}
  DEPENDS ${field_fuzz_sources} ${field_fuzz_headers}
  COMMENT "Building the settings field fuzzer with clang++"
  VERBATIM)
add_custom_target(settings_field_fuzz ALL DEPENDS ${field_fuzz_binary})

# A short run from the seed corpus with every test run. New inputs go to the
# build tree, never into the seeds. Longer runs by hand:
#   build/native/fuzz/settings_field_fuzz -max_total_time=600 fuzz/corpus/settings_field
set(field_fuzz_work_corpus ${PROJECT_BINARY_DIR}/fuzz/settings_field_corpus)
file(MAKE_DIRECTORY ${field_fuzz_work_corpus})
add_test(NAME settings_field_fuzz_brief
  COMMAND ${field_fuzz_binary} -max_total_time=10 -timeout=5 -max_len=4096
          ${field_fuzz_work_corpus} ${CMAKE_CURRENT_LIST_DIR}/corpus/settings_field)
