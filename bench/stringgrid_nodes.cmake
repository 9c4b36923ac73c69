cf_add_benchmark(stringgrid_nodes SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/stringgrid_nodes.cpp DEPS grid_string)
