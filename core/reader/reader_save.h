#pragma once

// Writing a document back with its reading state. The head and the tail of
// the file are written exactly as they were read; the body is the browser's
// serialisation of the live page, followed by a new bookmarks block and
// position comment, and is written in the character set the document
// declares, so a Windows-1251 book stays Windows-1251 (characters the code
// page lacks become numeric character references) and a UTF-8 book stays
// UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/file_io.h"
#include "core/reader/reader_markers.h"

namespace norvella {

enum class DocumentCharset {
  Windows1251,
  Utf8,
  Koi8r,  // read as it is; written as ASCII with character references
  Cp866,  // likewise
  Other,  // anything else or nothing declared: ASCII with references
};

// The character set the head declares (<meta charset> or the content type's
// charset), Other when it declares none the program knows.
DocumentCharset DeclaredCharset(std::string_view head);

// The document's bytes as the core's 8-bit text; characters Windows-1251
// lacks become numeric character references.
std::string DocumentTextToCp1251(std::string_view bytes, DocumentCharset charset);
// UTF-8 text in the document's character set.
std::string EncodeForDocument(std::string_view utf8, DocumentCharset charset);

// A body without the block and position comment an earlier save left at its
// end: cut at the last opening marker that the closing marker and then the
// position comment follow, so a body that merely holds the opening marker
// keeps everything after it.
std::string_view WithoutOldBlock(std::string_view body);

struct ReaderDocumentParts {
  std::string head;  // bytes before the body, as read
  std::string tail;  // bytes after the body, as read
  DocumentCharset charset = DocumentCharset::Windows1251;
};

// The whole new file from the body's serialisation (UTF-8, ending with the
// body's end tag), the bookmarks (names in 8-bit text) and the position.
// Nothing when the serialisation holds no content.
std::optional<std::string> ComposeReaderDocument(const ReaderDocumentParts& parts,
                                                 std::string_view bodyUtf8,
                                                 const std::vector<Bookmark>& bookmarks,
                                                 std::int32_t position);

// Composes the file and writes it safely (a temporary file renamed into
// place). `written` is false when there was nothing to write.
FileResult SaveReaderDocument(const std::string& path, const ReaderDocumentParts& parts,
                              std::string_view bodyUtf8, const std::vector<Bookmark>& bookmarks,
                              std::int32_t position, bool* written = nullptr);

}  // namespace norvella
