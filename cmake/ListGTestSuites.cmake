# Writes CTEST_FILE: one add_test per test suite of TEST_EXECUTABLE, each
# running `<Suite>.*` in TEST_WORKING_DIR with TEST_TIMEOUT seconds.
# Run by quillmark_add_gtest_suites after each link.
cmake_minimum_required(VERSION 3.25)

execute_process(
  COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests
  WORKING_DIRECTORY "${TEST_WORKING_DIR}"
  TIMEOUT 120
  OUTPUT_VARIABLE listing
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Listing the tests of ${TEST_EXECUTABLE} failed (${result}):\n${listing}${errors}")
endif()

# Suite lines start in the first column and end with "." (a typed suite
# adds "  # TypeParam = ..."); the cases below them are indented.
string(REPLACE ";" "\\;" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(script "")
set(suites 0)
set(cases 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
    set(suite "${CMAKE_MATCH_1}")
    math(EXPR suites "${suites} + 1")
    string(APPEND script
      "add_test([==[${suite}.*]==] [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n"
      "set_tests_properties([==[${suite}.*]==] PROPERTIES WORKING_DIRECTORY [==[${TEST_WORKING_DIR}]==] TIMEOUT ${TEST_TIMEOUT})\n")
  elseif(line MATCHES "^  [^ ]")
    math(EXPR cases "${cases} + 1")
  endif()
endforeach()
if(suites EQUAL 0)
  message(FATAL_ERROR "${TEST_EXECUTABLE} lists no test suite")
endif()
file(WRITE "${CTEST_FILE}" "# ${cases} cases in ${suites} suites of ${TEST_EXECUTABLE}\n${script}")
