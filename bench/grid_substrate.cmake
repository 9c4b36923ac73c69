cf_add_benchmark(grid_substrate SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/grid_substrate.cpp DEPS grid_base)
