target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/charset_detector.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encodings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/source_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/source_loader.cpp
)
