cf_add_benchmark(lazytree_input SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/lazytree_input.cpp DEPS controls_tree)
