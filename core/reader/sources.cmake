target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/note_link.cpp
)
