cf_add_benchmark(startup SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/startup.cpp DEPS program OWN_MAIN)
