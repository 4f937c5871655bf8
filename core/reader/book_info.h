#pragma once

// Everything a saved document carries for the reader, read with the same
// code the reader opens it with: title, author, reading position,
// bookmarks and notes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/reader/page_markup.h"
#include "core/reader/reader_markers.h"
#include "core/reader/reader_save.h"

namespace norvella {

struct BookInfo {
  DocumentCharset charset = DocumentCharset::Other;
  std::string title;   // 8-bit text
  std::string author;  // 8-bit text
  std::optional<std::int32_t> position;
  std::vector<Bookmark> bookmarks;  // in block order
  std::vector<PageNote> notes;      // in page order
  std::string error;  // a bookmark number that is not an integer; the rest is still read
};

// Reads a document's bytes in the character set its head declares.
BookInfo ReadBookInfo(std::string_view bytes);

}  // namespace norvella
