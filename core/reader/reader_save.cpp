#include "core/reader/reader_save.h"

#include "core/base/cp1251.h"
#include "core/base/text.h"
#include "core/source/encodings.h"

namespace norvella {
namespace {

bool IsCharsetChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
         c == ':';
}

void AppendReference(std::string& out, char32_t code) {
  out += "&#";
  out += std::to_string(static_cast<unsigned long>(code));
  out += ';';
}

// ASCII text with every other character as a numeric reference: correct in
// any character set that contains ASCII.
std::string Utf8ToAsciiReferences(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      out += utf8[i++];
      continue;
    }
    char32_t code = 0;
    const std::size_t length = DecodeUtf8At(utf8, i, code);
    if (length == 0) {
      AppendReference(out, 0xFFFD);
      ++i;
      continue;
    }
    AppendReference(out, code);
    i += length;
  }
  return out;
}

}  // namespace

DocumentCharset DeclaredCharset(std::string_view head) {
  const std::string lower = LowerCase(head);
  std::size_t at = 0;
  while ((at = lower.find("charset", at)) != std::string::npos) {
    std::size_t i = at + 7;
    at = i;
    while (i < lower.size() && lower[i] == ' ') ++i;
    if (i >= lower.size() || lower[i] != '=') continue;
    ++i;
    while (i < lower.size() && (lower[i] == ' ' || lower[i] == '"' || lower[i] == '\'')) ++i;
    std::size_t end = i;
    while (end < lower.size() && IsCharsetChar(lower[end])) ++end;
    const std::string name = lower.substr(i, end - i);
    if (name == "windows-1251" || name == "cp1251" || name == "x-cp1251" || name == "win-1251")
      return DocumentCharset::Windows1251;
    if (name == "utf-8" || name == "utf8") return DocumentCharset::Utf8;
    if (name == "koi8-r" || name == "koi8r") return DocumentCharset::Koi8r;
    if (name == "ibm866" || name == "cp866") return DocumentCharset::Cp866;
    return DocumentCharset::Other;
  }
  return DocumentCharset::Other;
}

std::string DocumentTextToCp1251(std::string_view bytes, DocumentCharset charset) {
  switch (charset) {
    case DocumentCharset::Utf8: return Utf8ToCp1251Lenient(bytes);
    case DocumentCharset::Koi8r: return Koi8ToAnsi(bytes);
    case DocumentCharset::Cp866: return OemToAnsi(bytes);
    case DocumentCharset::Windows1251:
    case DocumentCharset::Other: break;
  }
  return std::string(bytes);
}

std::string EncodeForDocument(std::string_view utf8, DocumentCharset charset) {
  switch (charset) {
    case DocumentCharset::Utf8: return std::string(utf8);
    case DocumentCharset::Windows1251: return Utf8ToCp1251Lenient(utf8);
    case DocumentCharset::Koi8r:
    case DocumentCharset::Cp866:
    case DocumentCharset::Other: break;
  }
  return Utf8ToAsciiReferences(utf8);
}

std::string_view WithoutOldBlock(std::string_view body) {
  // The block a save wrote is the last one; a marker quoted earlier in the
  // text is not a block and keeps what follows it.
  std::size_t opening = body.rfind(kBookmarksOpening);
  while (opening != std::string_view::npos) {
    const auto closing = body.find(kBookmarksClosing, opening + kBookmarksOpening.size());
    if (closing != std::string_view::npos) {
      std::size_t next = closing + kBookmarksClosing.size();
      while (next < body.size() &&
             (body[next] == ' ' || body[next] == '\n' || body[next] == '\r' || body[next] == '\t'))
        ++next;
      if (body.compare(next, kPositionOpening.size(), kPositionOpening) == 0)
        return body.substr(0, opening);
    }
    if (opening == 0) break;
    opening = body.rfind(kBookmarksOpening, opening - 1);
  }
  return body;
}

std::optional<std::string> ComposeReaderDocument(const ReaderDocumentParts& parts,
                                                 std::string_view bodyUtf8,
                                                 const std::vector<Bookmark>& bookmarks,
                                                 std::int32_t position) {
  static constexpr std::string_view kEndTag = "</body>";
  if (bodyUtf8.size() >= kEndTag.size() &&
      LowerCase(bodyUtf8.substr(bodyUtf8.size() - kEndTag.size())) == kEndTag)
    bodyUtf8.remove_suffix(kEndTag.size());
  if (bodyUtf8.empty()) return std::nullopt;
  std::string body(WithoutOldBlock(bodyUtf8));
  body += Cp1251ToUtf8(BuildBookmarkBlock(bookmarks, position));
  std::string file = parts.head;
  file += EncodeForDocument(body, parts.charset);
  file += parts.tail;
  return file;
}

FileResult SaveReaderDocument(const std::string& path, const ReaderDocumentParts& parts,
                              std::string_view bodyUtf8, const std::vector<Bookmark>& bookmarks,
                              std::int32_t position, bool* written) {
  if (written) *written = false;
  const auto file = ComposeReaderDocument(parts, bodyUtf8, bookmarks, position);
  if (!file) return {};
  const FileResult result = WriteFileAtomically(path, *file);
  if (written) *written = result.ok();
  return result;
}

}  // namespace norvella
