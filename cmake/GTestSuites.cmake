# Registers a GoogleTest program with CTest as one test per test suite
# (`<Suite>.*`), for builds where every process start is expensive (the
# sanitizer build). Every case still runs, and the output of a failing
# suite names each failing case.
#
#   quillmark_add_gtest_suites(<target> [TIMEOUT <seconds per suite>])
#
# Like gtest_discover_tests, the suites are listed after each link by
# running the program with --gtest_list_tests (see ListGTestSuites.cmake).
function(quillmark_add_gtest_suites target)
  cmake_parse_arguments(SUITES "" "TIMEOUT" "" ${ARGN})
  if(NOT SUITES_TIMEOUT)
    set(SUITES_TIMEOUT 600)
  endif()
  set(ctest_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND}
            -DTEST_EXECUTABLE=$<TARGET_FILE:${target}>
            -DTEST_WORKING_DIR=${CMAKE_CURRENT_BINARY_DIR}
            -DTEST_TIMEOUT=${SUITES_TIMEOUT}
            -DCTEST_FILE=${ctest_file}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/ListGTestSuites.cmake
    BYPRODUCTS ${ctest_file}
    VERBATIM)
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${ctest_file})
endfunction()
