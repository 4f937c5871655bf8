target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/builtin_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_widths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_store.cpp
)
