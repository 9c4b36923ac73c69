cf_add_benchmark(startupratio SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/startupratio.cpp DEPS program OWN_MAIN)
