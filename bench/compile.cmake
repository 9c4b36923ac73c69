cf_add_benchmark(compile SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/compile.cpp DEPS gateway)
target_compile_definitions(bench_compile PRIVATE CF_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
