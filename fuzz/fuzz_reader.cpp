// The reader's parsers of the bookmarks block and the position comment, and
// the save that writes them: whatever a document holds, reading must not
// fail, and a block written from what was read must read back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/reader/book_info.h"
#include "core/reader/bookmarks.h"
#include "core/reader/reader_markers.h"
#include "core/reader/reader_save.h"

using namespace norvella;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const BookmarkBlock block = ParseBookmarkBlock(text);
  const auto position = ReadSavedPosition(text);
  (void)ReadBookInfo(text);

  // Names made storable survive a write and a read unchanged.
  std::vector<Bookmark> stored;
  for (const Bookmark& b : block.bookmarks) stored.push_back({b.number, StorableBookmarkName(b.name)});
  const std::string written = BuildBookmarkBlock(stored, position.value_or(0));
  const BookmarkBlock again = ParseBookmarkBlock(written);
  if (!again.error.empty() || again.bookmarks != stored) std::abort();
  if (ReadSavedPosition(written) != position.value_or(0)) std::abort();

  // Saving the input as a body twice gives the same file.
  const ReaderFileParts parts = SplitReaderFile(text);
  const ReaderDocumentParts doc{parts.head, parts.tail, DocumentCharset::Other};
  const std::string body = "<body>" + std::string(text) + "</body>";
  const auto first = ComposeReaderDocument(doc, body, stored, 5);
  if (!first) std::abort();
  const std::string_view firstBody =
      std::string_view(*first).substr(doc.head.size(), first->size() - doc.head.size() - doc.tail.size());
  const auto second = ComposeReaderDocument(doc, firstBody, stored, 5);
  if (!second || *second != *first) std::abort();
  return 0;
}
