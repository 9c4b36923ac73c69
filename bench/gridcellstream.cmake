cf_add_benchmark(gridcellstream SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridcellstream.cpp DEPS grid_tools)
