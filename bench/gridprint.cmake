cf_add_benchmark(gridprint SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridprint.cpp DEPS grid_tools)
