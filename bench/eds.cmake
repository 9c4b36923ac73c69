cf_add_benchmark(eds SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/eds.cpp DEPS gateway)
