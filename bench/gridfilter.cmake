cf_add_benchmark(gridfilter SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridfilter.cpp DEPS grid_tools)
