cf_add_benchmark(basegrid SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/basegrid.cpp DEPS grid_base)
