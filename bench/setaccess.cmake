cf_add_benchmark(setaccess SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/setaccess.cpp DEPS editors_fieldbus)
