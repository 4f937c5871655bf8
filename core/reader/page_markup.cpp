#include "core/reader/page_markup.h"

#include <charconv>
#include <optional>

#include "core/base/cp1251.h"
#include "core/base/text.h"
#include "core/reader/note_link.h"
#include "core/reader/reader_markers.h"

namespace norvella {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

struct Tag {
  std::string name;  // lower case; an end tag's begins with "/"
  std::vector<std::pair<std::string, std::string>> attributes;  // names lower case, values raw
  std::size_t end = 0;  // just after the ">"

  const std::string* Attribute(std::string_view attr) const {
    for (const auto& [key, value] : attributes)
      if (key == attr) return &value;
    return nullptr;
  }
};

// Reads the tag that starts at text[at] == '<'. A quoted value may hold ">".
std::optional<Tag> ReadTag(std::string_view text, std::size_t at) {
  Tag tag;
  std::size_t i = at + 1;
  if (i < text.size() && text[i] == '/') tag.name += text[i++];  // an end tag: "/name"
  while (i < text.size() && !IsSpace(text[i]) && text[i] != '>' && text[i] != '/')
    tag.name += LowerChar(text[i++]);
  if (tag.name.empty() || tag.name == "/") return std::nullopt;
  for (;;) {
    while (i < text.size() && (IsSpace(text[i]) || text[i] == '/')) ++i;
    if (i >= text.size()) return std::nullopt;
    if (text[i] == '>') break;
    std::string key;
    while (i < text.size() && !IsSpace(text[i]) && text[i] != '=' && text[i] != '>')
      key += LowerChar(text[i++]);
    while (i < text.size() && IsSpace(text[i])) ++i;
    std::string value;
    if (i < text.size() && text[i] == '=') {
      ++i;
      while (i < text.size() && IsSpace(text[i])) ++i;
      if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        const char quote = text[i++];
        const auto close = text.find(quote, i);
        if (close == std::string_view::npos) return std::nullopt;
        value.assign(text.substr(i, close - i));
        i = close + 1;
      } else {
        while (i < text.size() && !IsSpace(text[i]) && text[i] != '>') value += text[i++];
      }
    }
    if (!key.empty()) tag.attributes.emplace_back(std::move(key), std::move(value));
  }
  tag.end = i + 1;
  return tag;
}

// Calls `visit` for every start tag of this name (lower case) in order.
template <typename Visit>
void ForEachTag(std::string_view text, std::string_view name, Visit&& visit) {
  std::size_t at = 0;
  while ((at = text.find('<', at)) != std::string_view::npos) {
    if (text.compare(at, 4, "<!--") == 0) {
      const auto close = text.find("-->", at + 4);
      if (close == std::string_view::npos) return;
      at = close + 3;
      continue;
    }
    const auto tag = ReadTag(text, at);
    if (!tag) {
      ++at;
      continue;
    }
    if (tag->name == name) visit(*tag);
    at = tag->end;
  }
}

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0) {
  return LowerCase(text).find(needle, from);
}

}  // namespace

std::string DecodeCharacterReferences(std::string_view text) {
  static constexpr std::pair<std::string_view, char32_t> kNamed[] = {
      {"amp", U'&'},      {"lt", U'<'},       {"gt", U'>'},       {"quot", U'"'},
      {"apos", U'\''},    {"nbsp", U'\u00A0'}, {"shy", U'\u00AD'}, {"rsquo", U'\u2019'},
      {"lsquo", U'\u2018'}, {"ldquo", U'\u201C'}, {"rdquo", U'\u201D'}, {"laquo", U'\u00AB'},
      {"raquo", U'\u00BB'}, {"mdash", U'\u2014'}, {"ndash", U'\u2013'}, {"hellip", U'\u2026'}};
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    const auto semi = text.find(';', i + 1);
    if (semi == std::string_view::npos || semi - i > 10) {
      out += '&';
      continue;
    }
    const std::string_view name = text.substr(i + 1, semi - i - 1);
    std::optional<char32_t> code;
    if (name.size() > 1 && name[0] == '#') {
      unsigned value = 0;
      const bool hex = name[1] == 'x' || name[1] == 'X';
      const std::string_view digits = name.substr(hex ? 2 : 1);
      const auto [end, error] =
          std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
      if (error == std::errc() && end == digits.data() + digits.size() && !digits.empty())
        code = static_cast<char32_t>(value);
    } else {
      for (const auto& [entity, c] : kNamed)
        if (name == entity) code = c;
    }
    const int byte = code ? UnicodeToCp1251(*code) : -1;
    if (byte < 0) {
      out += '&';
      continue;
    }
    out += static_cast<char>(byte);
    i = semi;
  }
  return out;
}

std::string MarkupToText(std::string_view markup, std::string_view lineBreak) {
  std::string out;
  for (std::size_t i = 0; i < markup.size(); ++i) {
    if (markup[i] != '<') {
      out += markup[i];
      continue;
    }
    const auto tag = ReadTag(markup, i);
    if (!tag) {
      out += markup[i];
      continue;
    }
    if (tag->name == "br") out += lineBreak;
    i = tag->end - 1;
  }
  return DecodeCharacterReferences(out);
}

std::string DocumentTitle(std::string_view text) {
  const auto open = FindNoCase(text, "<title");
  if (open == std::string::npos) return {};
  const auto start = text.find('>', open);
  if (start == std::string_view::npos) return {};
  const auto close = FindNoCase(text, "</title", start);
  if (close == std::string::npos) return {};
  return DecodeCharacterReferences(text.substr(start + 1, close - start - 1));
}

std::string DocumentAuthor(std::string_view text) {
  std::string author;
  bool found = false;
  ForEachTag(text, "meta", [&](const Tag& tag) {
    const std::string* name = tag.Attribute("name");
    const std::string* content = tag.Attribute("content");
    if (!found && name && content && LowerCase(*name) == "author") {
      author = DecodeCharacterReferences(*content);
      found = true;
    }
  });
  return author;
}

std::vector<PageNote> FindNotes(std::string_view body) {
  std::vector<PageNote> notes;
  const std::string lower = LowerCase(body);
  ForEachTag(body, "a", [&](const Tag& tag) {
    const std::string* href = tag.Attribute("href");
    const std::string* onclick = tag.Attribute("onclick");
    if (!href && !onclick) return;
    // The same reading of the link's script as the program's note window.
    auto note = NoteFromLink(href ? DecodeCharacterReferences(*href) : std::string(),
                             onclick ? DecodeCharacterReferences(*onclick) : std::string());
    if (!note) return;
    const auto close = lower.find("</a", tag.end);
    const std::string_view inner =
        body.substr(tag.end, close == std::string::npos ? 0 : close - tag.end);
    notes.push_back({std::move(*note), MarkupToText(inner, " ")});
  });
  return notes;
}

std::vector<std::int32_t> FindBookmarkAnchors(std::string_view body) {
  std::vector<std::int32_t> numbers;
  ForEachTag(body, "a", [&](const Tag& tag) {
    const std::string* id = tag.Attribute("id");
    const std::string* name = tag.Attribute("name");
    if (!id || !name || *id != *name) return;
    if (const auto number = ParseInt32(*id)) numbers.push_back(*number);
  });
  return numbers;
}

}  // namespace norvella
