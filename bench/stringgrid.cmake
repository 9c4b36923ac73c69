cf_add_benchmark(stringgrid SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/stringgrid.cpp DEPS grid_string)
