# Helpers that register the tests with CTest.
#
# Tests that need a program the build does not make (php, Xvfb, ...) name
# it with NEEDS: when it is missing at run time the test is reported as
# skipped (exit status 77), not as failed.
set(TAGORA_SKIP_RETURN_CODE 77)
set(TAGORA_RUN_IF_FOUND ${CMAKE_CURRENT_LIST_DIR}/run_if_found.sh)
# What the fuzz harnesses' coverage feedback leaves out (the standard library).
set(TAGORA_FUZZ_COVERAGE_IGNORE
    -fsanitize-coverage-ignorelist=${CMAKE_CURRENT_LIST_DIR}/fuzz/coverage_ignore.txt)

# Registers COMMAND as test NAME; with NEEDS it runs only when every program
# named there is installed.
function(tagora_add_test)
  cmake_parse_arguments(ARG "" "NAME" "COMMAND;NEEDS;ENVIRONMENT" ${ARGN})
  if(ARG_NEEDS)
    add_test(NAME ${ARG_NAME}
             COMMAND bash ${TAGORA_RUN_IF_FOUND} ${ARG_NEEDS} -- ${ARG_COMMAND})
    set_tests_properties(${ARG_NAME} PROPERTIES SKIP_RETURN_CODE ${TAGORA_SKIP_RETURN_CODE})
  else()
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_COMMAND})
  endif()
  if(ARG_ENVIRONMENT)
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
endfunction()

# tagora_add_qt_test(NAME <name> SOURCES <files...> LIBRARIES <targets...>
#                    [NEEDS <programs...>])
# Builds a Qt Test executable and registers it with CTest, run on the
# offscreen platform so that no display is needed.
function(tagora_add_qt_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES;NEEDS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  set_target_properties(${ARG_NAME} PROPERTIES AUTOMOC ON)
  target_link_libraries(${ARG_NAME} PRIVATE Qt6::Test ${ARG_LIBRARIES})
  # case_file.h
  target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  # Settings go to a folder of the test's own, not the user's.
  tagora_add_test(NAME ${ARG_NAME} COMMAND $<TARGET_FILE:${ARG_NAME}> NEEDS ${ARG_NEEDS}
                  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}-config")
endfunction()

# tagora_add_fuzzer(NAME <name> SOURCES <files...> LIBRARIES <targets...>)
# A fuzz harness fuzz_<name> (LLVMFuzzerTestOneInput) and the CTest
# fuzz_<name>_corpus that runs it once over every input in
# tests/fuzz/corpus/<name>/. With
# TAGORA_FUZZ (clang) it is a libFuzzer program for scripts/fuzz.sh; without,
# it is linked with a small main() that only replays the saved inputs.
function(tagora_add_fuzzer)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  set(corpus ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${ARG_NAME})
  set(harness fuzz_${ARG_NAME})
  if(TAGORA_FUZZ)
    add_executable(${harness} ${ARG_SOURCES})
    target_compile_options(${harness} PRIVATE -fsanitize=fuzzer ${TAGORA_FUZZ_COVERAGE_IGNORE})
    target_link_options(${harness} PRIVATE -fsanitize=fuzzer)
    set(replay -runs=0 ${corpus})
  else()
    add_executable(${harness} ${ARG_SOURCES} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/fuzz/replay_main.cpp)
    set(replay ${corpus})
  endif()
  set_target_properties(${harness} PROPERTIES AUTOMOC OFF)
  target_link_libraries(${harness} PRIVATE ${ARG_LIBRARIES})
  tagora_add_test(NAME ${harness}_corpus COMMAND $<TARGET_FILE:${harness}> ${replay})
endfunction()
