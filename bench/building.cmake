cf_add_benchmark(building SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/building.cpp DEPS editors_building)
