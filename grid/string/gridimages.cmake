# The grid's own pictures (node glyphs, flat check and radio glyphs, drag cursors), each
# reachable as ":/<NAME>" without its file extension.
file(GLOB cf_grid_images CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/resources/*.xpm)
foreach(image IN LISTS cf_grid_images)
  get_filename_component(alias ${image} NAME_WE)
  set_source_files_properties(${image} PROPERTIES QT_RESOURCE_ALIAS ${alias})
endforeach()
qt_add_resources(grid_string "grid_string_images" PREFIX "/" FILES ${cf_grid_images})
