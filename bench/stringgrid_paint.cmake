cf_add_benchmark(stringgrid_paint SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/stringgrid_paint.cpp DEPS grid_string)
