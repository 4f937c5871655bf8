target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reg_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_io.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_placement.cpp
)
