cf_add_benchmark(stringgrid_glyphs SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/stringgrid_glyphs.cpp DEPS grid_string)
