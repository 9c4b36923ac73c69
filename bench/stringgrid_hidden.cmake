cf_add_benchmark(stringgrid_hidden SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/stringgrid_hidden.cpp DEPS grid_string)
