cf_add_benchmark(griddata SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/griddata.cpp DEPS grid_tools)
