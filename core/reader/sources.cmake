target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/reader_markers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bookmarks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_markup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reader_save.cpp
  ${CMAKE_CURRENT_LIST_DIR}/book_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/note_link.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reader_style.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recent_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/snapshot.cpp
)
