cf_add_benchmark(itemselector SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/itemselector.cpp DEPS controls_dropdown)
