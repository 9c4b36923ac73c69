cf_add_benchmark(platform SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/platform.cpp DEPS platform)
