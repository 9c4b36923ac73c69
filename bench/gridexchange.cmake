cf_add_benchmark(gridexchange SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridexchange.cpp DEPS grid_tools)
