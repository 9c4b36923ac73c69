cf_add_benchmark(mbus_network SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/mbus_network.cpp DEPS mbus)
