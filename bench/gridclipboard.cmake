cf_add_benchmark(gridclipboard SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridclipboard.cpp DEPS grid_tools)
