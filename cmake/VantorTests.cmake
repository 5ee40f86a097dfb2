# vantor_add_test(name SOURCES ... DEPENDS ... [LABELS ...])
# One GoogleTest program; every test in it is registered with CTest. In the sanitizer
# build every test also carries the label "sanitize".
include(GoogleTest)

set(VANTOR_TEST_DATA_DIR "${PROJECT_SOURCE_DIR}/tests/data")
set(VANTOR_ALLOCATION_COUNTER "${PROJECT_SOURCE_DIR}/tests/support/allocation_counter.cpp")

function(vantor_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gmock)
  if(NOT ARG_SOURCES MATCHES "main\\.cpp")
    target_link_libraries(${name} PRIVATE vantor_test_main)
  endif()
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/src/core" "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}/tests"
    "${VANTOR_GENERATED_DIR}")
  target_compile_options(${name} PRIVATE ${VANTOR_WARNINGS})
  target_compile_definitions(${name} PRIVATE
    VANTOR_TEST_DATA_DIR="${VANTOR_TEST_DATA_DIR}"
    VANTOR_SHARE_DIR="${VANTOR_SHARE_DIR}")
  set(labels ${ARG_LABELS})
  if(VANTOR_SANITIZE)
    list(APPEND labels sanitize)
  endif()
  gtest_discover_tests(${name}
    PROPERTIES LABELS "${labels}"
    DISCOVERY_TIMEOUT 60)
endfunction()
