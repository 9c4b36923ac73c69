cf_add_benchmark(gridsort SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridsort.cpp DEPS grid_tools)
