#include "cli/book_command.h"

#include <charconv>
#include <cstdio>
#include <ostream>

#include "core/base/cp1251.h"
#include "core/base/file_io.h"
#include "core/reader/book_info.h"

namespace norvella {
namespace {

constexpr const char* kUsage =
    "usage: norvella-book info [--json] FILE\n"
    "Prints the title, author, reading position, bookmarks and notes a document carries.\n";

// 8-bit text as one line of UTF-8: line breaks and tabs become spaces and
// the numeric references the code page could not hold become characters.
std::string ToOutput(std::string_view text) {
  std::string utf8 = Cp1251ToUtf8(text);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '\r' || c == '\n' || c == '\t') {
      out += ' ';
      continue;
    }
    if (c == '&' && i + 2 < utf8.size() && utf8[i + 1] == '#') {
      const auto semi = utf8.find(';', i + 2);
      unsigned code = 0;
      const bool hex = utf8[i + 2] == 'x' || utf8[i + 2] == 'X';
      const char* first = utf8.data() + i + (hex ? 3 : 2);
      const char* last = utf8.data() + (semi == std::string::npos ? i : semi);
      if (semi != std::string::npos && first < last) {
        const auto [end, error] = std::from_chars(first, last, code, hex ? 16 : 10);
        if (error == std::errc() && end == last && code > 0 && code <= 0x10FFFF &&
            !(code >= 0xD800 && code <= 0xDFFF)) {
          AppendUtf8(out, code);
          i = semi;
          continue;
        }
      }
    }
    out += c;
  }
  return out;
}

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string Percent(std::int32_t position) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f",
                static_cast<double>(position) / static_cast<double>(kPositionScale) * 100.0);
  return buffer;
}

void PrintLines(const BookInfo& info, std::ostream& out) {
  out << "title: " << ToOutput(info.title) << '\n';
  out << "author: " << ToOutput(info.author) << '\n';
  if (info.position)
    out << "position: " << *info.position << " (" << Percent(*info.position) << "%)\n";
  else
    out << "position: none\n";
  for (const Bookmark& b : info.bookmarks) out << "bookmark: " << b.number << ' ' << ToOutput(b.name) << '\n';
  for (const PageNote& n : info.notes)
    out << "note: " << ToOutput(MarkupToText(n.text, " / ")) << " => " << ToOutput(n.anchor) << '\n';
}

void PrintJson(const BookInfo& info, std::ostream& out) {
  out << "{\"title\": " << JsonString(ToOutput(info.title))
      << ", \"author\": " << JsonString(ToOutput(info.author)) << ", \"position\": ";
  if (info.position)
    out << *info.position;
  else
    out << "null";
  out << ", \"bookmarks\": [";
  for (std::size_t i = 0; i < info.bookmarks.size(); ++i)
    out << (i ? ", " : "") << "{\"number\": " << info.bookmarks[i].number
        << ", \"name\": " << JsonString(ToOutput(info.bookmarks[i].name)) << '}';
  out << "], \"notes\": [";
  for (std::size_t i = 0; i < info.notes.size(); ++i)
    out << (i ? ", " : "") << "{\"text\": " << JsonString(ToOutput(MarkupToText(info.notes[i].text, " / ")))
        << ", \"anchor\": " << JsonString(ToOutput(info.notes[i].anchor)) << '}';
  out << "]}\n";
}

}  // namespace

int RunBookCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  bool json = false;
  std::string file;
  bool usageError = args.empty() || args[0] != "info";
  for (std::size_t i = 1; i < args.size() && !usageError; ++i) {
    if (args[i] == "--json" && !json)
      json = true;
    else if (file.empty() && !args[i].empty() && (args[i][0] != '-' || args[i] == "-"))
      file = args[i];
    else
      usageError = true;
  }
  if (usageError || file.empty()) {
    err << kUsage;
    return 2;
  }
  std::string bytes;
  const FileResult read = ReadWholeFile(file, bytes);
  if (!read.ok()) {
    err << "norvella-book: " << read.error().reason << '\n';
    return 1;
  }
  const BookInfo info = ReadBookInfo(bytes);
  if (!info.error.empty()) {
    err << "norvella-book: " << file << ": " << ToOutput(info.error) << '\n';
    return 1;
  }
  if (json)
    PrintJson(info, out);
  else
    PrintLines(info, out);
  return 0;
}

}  // namespace norvella
