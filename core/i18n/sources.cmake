target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/strings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/templates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/localisation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/option_nodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/descr_strings.cpp
)
