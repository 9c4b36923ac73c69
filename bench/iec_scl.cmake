cf_add_benchmark(iec_scl SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/iec_scl.cpp DEPS editors_building)
