cf_add_benchmark(dropdownedit SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/dropdownedit.cpp DEPS controls_dropdown)
