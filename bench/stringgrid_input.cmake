cf_add_benchmark(stringgrid_input SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/stringgrid_input.cpp DEPS grid_string)
