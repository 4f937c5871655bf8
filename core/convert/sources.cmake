target_sources(norvella_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/working_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/simplify_html.cpp
  ${CMAKE_CURRENT_LIST_DIR}/document_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cleanup_stages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/strip_tags.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paragraphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/inline_markup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/typography.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_style.cpp
  ${CMAKE_CURRENT_LIST_DIR}/title.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hyphenate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver.cpp
)
