cf_add_benchmark(gridcells SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridcells.cpp DEPS grid_base)
