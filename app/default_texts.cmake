# The built-in UI texts travel inside the program as a resource, read when the table is filled.
qt_add_resources(app default_texts
  PREFIX /app
  BASE ${CMAKE_CURRENT_LIST_DIR}
  FILES ${CMAKE_CURRENT_LIST_DIR}/default_texts.txt)
