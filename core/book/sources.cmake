target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/book.cpp
)
