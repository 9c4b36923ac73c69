cf_add_benchmark(lazytreedrag SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/lazytreedrag.cpp DEPS controls_tree)
