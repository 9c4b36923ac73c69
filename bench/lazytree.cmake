cf_add_benchmark(lazytree SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/lazytree.cpp DEPS controls_tree)
