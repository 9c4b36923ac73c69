cf_add_benchmark(gridvstable SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridvstable.cpp DEPS grid_string OWN_MAIN)
