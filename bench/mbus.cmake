cf_add_benchmark(mbus SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/mbus.cpp DEPS mbus)
