#pragma once

// The reading state a document carries at the end of its body: the
// bookmarks block and the position comment. This is a file format shared
// by every copy of a book, so the texts below are byte-exact in both
// directions: what is written here reads back, and documents written by
// earlier versions read as they always did.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

inline constexpr std::string_view kBookmarksOpening = "<!-- Marn's Norvella bookmarks ";
inline constexpr std::string_view kBookmarksClosing = " Marn's Norvella bookmarks -->";
inline constexpr std::string_view kPositionOpening = "<!-- Marn's Norvella position=\"";
// The opening marker without its trailing space: enough to recognise a
// document that has been read with the program.
inline constexpr std::string_view kBookmarksMark = "<!-- Marn's Norvella bookmarks";
// LF first, then CR, after the opening marker and after each bookmark line.
inline constexpr std::string_view kBlockLineBreak = "\n\r";

// The largest reading position: the full height of the document.
inline constexpr std::int32_t kPositionScale = 2147483647;

struct Bookmark {
  std::int32_t number = 0;
  std::string name;  // 8-bit text, as stored in the block
  bool operator==(const Bookmark&) const = default;
};

// A file split at its body: the bytes before the first "<BODY" and after
// the last "</BODY>" (both found without regard to case), each empty when
// the file has no such tag.
struct ReaderFileParts {
  std::string head;
  std::string tail;
};
ReaderFileParts SplitReaderFile(std::string_view text);

struct BookmarkBlock {
  bool markerFound = false;  // the opening marker is in the text
  std::vector<Bookmark> bookmarks;
  // Set when a bookmark's number is not a decimal 32-bit integer: reading
  // stopped there, and `bookmarks` holds the ones read before it.
  std::string error;
};

// Reads the bookmarks of the first block in a document's text. A block
// without its closing marker has no bookmarks. Tag name and ID are matched
// without regard to case, NM only as written; a name runs to the first `">`.
BookmarkBlock ParseBookmarkBlock(std::string_view text);

// The saved position of the first position comment, or nothing when there
// is none or its value is not a decimal 32-bit integer.
std::optional<std::int32_t> ReadSavedPosition(std::string_view text);

// The block, the position comment and the lower-case body end tag, as one
// run of text that ends a saved body.
std::string BuildBookmarkBlock(const std::vector<Bookmark>& bookmarks, std::int32_t position);

// round(top / height * kPositionScale), halves to even, kept within
// 0..kPositionScale. An empty page (height 0 or less) is at position 0.
std::int32_t PositionFromScroll(long long top, long long height);
// The pixel offset of a position on a page of this height:
// round(height / kPositionScale * position), halves to even.
long long ScrollFromPosition(long long height, std::int32_t position);

// Decimal 32-bit integer with an optional sign and nothing else.
std::optional<std::int32_t> ParseInt32(std::string_view text);

}  // namespace norvella
