cf_add_benchmark(markup SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/markup.cpp DEPS grid_base)
