#include "core/reader/book_info.h"

namespace norvella {

BookInfo ReadBookInfo(std::string_view bytes) {
  BookInfo info;
  const ReaderFileParts raw = SplitReaderFile(bytes);
  info.charset = DeclaredCharset(raw.head.empty() ? bytes.substr(0, 4096) : std::string_view(raw.head));
  const std::string text = DocumentTextToCp1251(bytes, info.charset);
  const ReaderFileParts parts = SplitReaderFile(text);
  // Title and author come from the head only: every note's script holds a
  // <title> of its own.
  const std::string_view head = parts.head.empty() ? std::string_view(text) : parts.head;
  const std::string_view body = std::string_view(text).substr(parts.head.size());
  info.title = DocumentTitle(parts.head.empty() ? std::string_view() : head);
  info.author = DocumentAuthor(head);
  info.position = ReadSavedPosition(text);
  BookmarkBlock block = ParseBookmarkBlock(text);
  info.bookmarks = std::move(block.bookmarks);
  info.error = std::move(block.error);
  info.notes = FindNotes(body);
  return info;
}

}  // namespace norvella
