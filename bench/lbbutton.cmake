cf_add_benchmark(lbbutton SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/lbbutton.cpp DEPS app)
