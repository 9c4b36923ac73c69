cf_add_benchmark(multicolumn SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/multicolumn.cpp DEPS controls_dropdown grid_tools)
