cf_add_benchmark(dropdown SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/dropdown.cpp DEPS controls_dropdown)
