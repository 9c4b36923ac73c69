# Helpers shared by the subsystem folders. Sources are taken from the folder itself
# (*.cpp and *.h, not recursive), so adding a file needs no edit here.

set(CF_PROGRAM_LIBS "" CACHE INTERNAL "libraries the program links")

# cf_add_library(<target> [DEPS ...] [EXTRA ...]): the folder's static library.
function(cf_add_library target)
  cmake_parse_arguments(A "" "" "DEPS;EXTRA" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${srcs} ${A_EXTRA})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${A_DEPS})
  target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch.h)
  set(CF_PROGRAM_LIBS ${CF_PROGRAM_LIBS} ${target} CACHE INTERNAL "libraries the program links")
endfunction()

# cf_add_test_suite(<name> [DEPS ...]): one GoogleTest executable per subsystem from the
# folder's *.cpp, registered with CTest and run headless.
function(cf_add_test_suite name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(test_${name} ${srcs})
  target_link_libraries(test_${name} PRIVATE ${A_DEPS} cf_test_main GTest::gtest GTest::gmock)
  target_precompile_headers(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch.h <gtest/gtest.h>)
  target_compile_definitions(test_${name} PRIVATE CF_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND test_${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;CF_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
    TIMEOUT 600)
endfunction()

# cf_add_benchmark(<name> SOURCES ... DEPS ... [OWN_MAIN]): a benchmark program; without
# OWN_MAIN it takes the shared headless main of bench/common.
function(cf_add_benchmark name)
  cmake_parse_arguments(A "OWN_MAIN" "" "SOURCES;DEPS" ${ARGN})
  add_executable(bench_${name} ${A_SOURCES})
  target_link_libraries(bench_${name} PRIVATE ${A_DEPS} benchmark::benchmark)
  if(NOT A_OWN_MAIN)
    target_link_libraries(bench_${name} PRIVATE cf_bench_main)
  endif()
endfunction()
