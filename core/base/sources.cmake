target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_io.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cp1251.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_path.cpp
)
