#include "core/reader/bookmarks.h"

#include <limits>
#include <memory>
#include <random>

#include "core/i18n/templates.h"

namespace norvella {
namespace {

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
  std::size_t at = 0;
  while ((at = text.find(what, at)) != std::string::npos) {
    text.replace(at, what.size(), with);
    at += with.size();
  }
}

}  // namespace

BookmarkRandom DefaultBookmarkRandom() {
  auto engine = std::make_shared<std::minstd_rand>(std::random_device{}());
  return [engine] { return std::uniform_int_distribution<int>(0, 19)(*engine); };
}

std::int32_t BookmarkNumber(std::int32_t position, const BookmarkRandom& random) {
  int extra = random ? random() % 20 : 0;
  if (extra < 0) extra += 20;
  const long long number = static_cast<long long>(position) + extra;
  return static_cast<std::int32_t>(
      std::min<long long>(number, std::numeric_limits<std::int32_t>::max()));
}

std::size_t InsertBookmarkSorted(std::vector<Bookmark>& list, Bookmark bookmark) {
  std::size_t at = 0;
  while (at < list.size() && list[at].number < bookmark.number) ++at;
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::move(bookmark));
  return at;
}

std::string BookmarkNameFromSelection(std::string_view html) {
  std::string out;
  out.reserve(html.size());
  for (std::size_t i = 0; i < html.size(); ++i) {
    const char c = html[i];
    if (c == '\r' || c == '\n') continue;
    if (c == '<') {
      const auto close = html.find('>', i + 1);
      if (close == std::string_view::npos) break;
      i = close;
      continue;
    }
    out += c;
  }
  ReplaceAll(out, "&nbsp;", "");
  ReplaceAll(out, "&shy;", "");
  std::erase(out, '\xAD');
  return out;
}

std::string StorableBookmarkName(std::string_view name) {
  std::string out(name);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] != '>') continue;
    const bool endsName = i >= 1 && out[i - 1] == '"';
    const bool endsComment =
        (i >= 2 && out.compare(i - 2, 2, "--") == 0) || (i >= 3 && out.compare(i - 3, 3, "--!") == 0);
    if (endsName || endsComment) out[i] = '\x9B';
  }
  // Nor may a name open a comment, which would look like a block of its own.
  for (std::size_t i = 0; i + 3 < out.size(); ++i)
    if (out.compare(i, 4, "<!--") == 0) out[i] = '\x8B';
  return out;
}

std::string NoteTextFromLines(const std::vector<std::string>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "<br>";
    std::string line = lines[i];
    ReplaceAll(line, "'", "&rsquo;");
    ReplaceAll(line, "\"", "&quot;");
    out += line;
  }
  return out;
}

std::string EscapeHtmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string NoteMarkup(const HtmlTemplates& templates, std::string_view note,
                       std::string_view selectedMarkup) {
  std::string out = templates.scriptCode1;
  out += note;
  out += templates.scriptCode2;
  out += selectedMarkup;
  out += templates.scriptCode3;
  return out;
}

std::string BookmarkMarkup(const HtmlTemplates& templates, std::int32_t number,
                           std::string_view selectedHtml) {
  const std::string n = std::to_string(number);
  std::string out = templates.bookmarkPrefix;
  out += " id=" + n + " name=" + n + ">";
  out += selectedHtml;
  out += "</a>";
  return out;
}

}  // namespace norvella
