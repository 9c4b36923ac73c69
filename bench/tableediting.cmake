cf_add_benchmark(tableediting SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tableediting.cpp DEPS gateway)
