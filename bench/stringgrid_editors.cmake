cf_add_benchmark(stringgrid_editors SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/stringgrid_editors.cpp DEPS grid_string)
