cf_add_benchmark(clockface SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/clockface.cpp DEPS controls_dropdown)
