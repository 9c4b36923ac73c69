cf_add_benchmark(gridediting SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gridediting.cpp DEPS grid_string OWN_MAIN)
