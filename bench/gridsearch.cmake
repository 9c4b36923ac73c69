cf_add_benchmark(gridsearch SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridsearch.cpp DEPS grid_tools)
