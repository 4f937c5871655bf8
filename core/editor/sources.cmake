target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/markup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/end_note.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_texts.cpp
)
