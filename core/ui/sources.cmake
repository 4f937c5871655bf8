target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/option_tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/option_panel.cpp
)
