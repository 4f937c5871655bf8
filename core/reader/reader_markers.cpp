#include "core/reader/reader_markers.h"

#include <charconv>
#include <cmath>

#include "core/base/text.h"

namespace norvella {

ReaderFileParts SplitReaderFile(std::string_view text) {
  const std::string upper = UpperCase(text);
  ReaderFileParts parts;
  const auto body = upper.find("<BODY");
  if (body != std::string::npos) parts.head.assign(text.substr(0, body));
  const auto end = upper.rfind("</BODY>");
  if (end != std::string::npos) parts.tail.assign(text.substr(end + 7));
  return parts;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

BookmarkBlock ParseBookmarkBlock(std::string_view text) {
  BookmarkBlock result;
  const auto opening = text.find(kBookmarksOpening);
  if (opening == std::string_view::npos) return result;
  result.markerFound = true;
  const auto closing = text.find(kBookmarksClosing, opening);
  if (closing == std::string_view::npos) return result;
  const std::string_view block =
      text.substr(opening, closing + kBookmarksClosing.size() - opening);

  std::size_t at = 0;
  for (;;) {
    const auto lt = block.find('<', at);
    if (lt == std::string_view::npos) break;
    at = lt + 1;
    if (UpperCase(block.substr(lt, 10)) != "<BOOKMARK ") continue;
    at = lt + 10;
    if (UpperCase(block.substr(at, 4)) != "ID=\"") continue;
    const std::size_t numberStart = at + 4;
    const auto numberEnd = block.find('"', numberStart);
    if (numberEnd == std::string_view::npos) break;
    const auto quoteSpace = block.find("\" ", numberStart);
    if (quoteSpace == std::string_view::npos) break;
    at = quoteSpace + 2;
    if (block.substr(at, 4) != "NM=\"") continue;
    const std::size_t nameStart = at + 4;
    const auto nameEnd = block.find("\">", nameStart);
    if (nameEnd == std::string_view::npos) break;
    const std::string_view numberText = block.substr(numberStart, numberEnd - numberStart);
    const auto number = ParseInt32(numberText);
    if (!number) {
      result.error = "'" + std::string(numberText) + "' is not a valid integer value";
      return result;
    }
    result.bookmarks.push_back({*number, std::string(block.substr(nameStart, nameEnd - nameStart))});
    at = nameStart;
  }
  return result;
}

std::optional<std::int32_t> ReadSavedPosition(std::string_view text) {
  const auto at = text.find(kPositionOpening);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view window = text.substr(at + kPositionOpening.size(), 36);
  const auto quote = window.find('"');
  if (quote == std::string_view::npos) return std::nullopt;
  return ParseInt32(window.substr(0, quote));
}

std::string BuildBookmarkBlock(const std::vector<Bookmark>& bookmarks, std::int32_t position) {
  std::string out;
  out.reserve(128 + bookmarks.size() * 64);
  out += kBookmarksOpening;
  out += kBlockLineBreak;
  for (const Bookmark& b : bookmarks) {
    out += "<BOOKMARK ID=\"";
    out += std::to_string(b.number);
    out += "\" NM=\"";
    out += b.name;
    out += "\">";
    out += kBlockLineBreak;
  }
  out += kBookmarksClosing;
  out += kPositionOpening;
  out += std::to_string(position);
  out += "\" -->";
  out += "</body>";
  return out;
}

namespace {

// Nearest integer, halves to even, in extended precision.
long long RoundEven(long double value) {
  const long double floor = std::floor(value);
  const long double diff = value - floor;
  long long result = static_cast<long long>(floor);
  if (diff > 0.5L || (diff == 0.5L && (result % 2 != 0))) ++result;
  return result;
}

}  // namespace

std::int32_t PositionFromScroll(long long top, long long height) {
  if (height <= 0 || top <= 0) return 0;
  const long long p = RoundEven(static_cast<long double>(top) / static_cast<long double>(height) *
                                static_cast<long double>(kPositionScale));
  return static_cast<std::int32_t>(std::min<long long>(p, kPositionScale));
}

long long ScrollFromPosition(long long height, std::int32_t position) {
  if (height <= 0) return 0;
  return RoundHalfEven(static_cast<double>(height) / static_cast<double>(kPositionScale) *
                       static_cast<double>(position));
}

}  // namespace norvella
