cf_add_benchmark(lazytreedata SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/lazytreedata.cpp DEPS controls_tree)
