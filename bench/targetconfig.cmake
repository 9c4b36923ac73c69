cf_add_benchmark(targetconfig SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/targetconfig.cpp DEPS gateway)
