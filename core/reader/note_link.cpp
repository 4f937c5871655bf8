#include "core/reader/note_link.h"

#include <cstddef>

#include "core/base/cp1251.h"

namespace norvella {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (LowerAscii(text[i]) != prefix[i]) return false;
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A code point as Windows-1251 text; what the code page lacks becomes a
// numeric character reference, which the note, being markup, shows as the
// character itself.
void AppendCodePoint(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
    return;
  }
  const int byte = UnicodeToCp1251(code);
  if (byte >= 0) out += static_cast<char>(byte);
  else out += "&#" + std::to_string(static_cast<unsigned long>(code)) + ";";
}

// Reads `count` hex digits at text[at]; -1 when they are not all there.
long ReadHex(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return -1;
  long value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const int digit = HexValue(text[at + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// Parses the JavaScript string literal that starts at script[at] (at its
// opening quote) into `out`, and moves `at` past its closing quote. False
// when the literal does not close, or is a template with a substitution.
bool ParseStringLiteral(std::string_view script, std::size_t& at, std::string& out) {
  const char quote = script[at];
  std::size_t i = at + 1;
  while (i < script.size()) {
    const char c = script[i];
    if (c == quote) {
      at = i + 1;
      return true;
    }
    if (quote == '`' && c == '$' && i + 1 < script.size() && script[i + 1] == '{') return false;
    if (c != '\\') {
      // A line break ends an unclosed quoted literal in the language.
      if (quote != '`' && (c == '\n' || c == '\r')) return false;
      out += c;
      ++i;
      continue;
    }
    if (++i >= script.size()) return false;
    const char e = script[i++];
    switch (e) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'v': out += '\v'; break;
      case '0': out += '\0'; break;
      case '\r':  // a line continuation writes nothing
        if (i < script.size() && script[i] == '\n') ++i;
        break;
      case '\n':
        break;
      case 'x': {
        const long code = ReadHex(script, i, 2);
        if (code < 0) return false;
        AppendCodePoint(out, static_cast<char32_t>(code));
        i += 2;
        break;
      }
      case 'u': {
        long code = -1;
        if (i < script.size() && script[i] == '{') {
          const std::size_t close = script.find('}', i);
          if (close == std::string_view::npos || close == i + 1 || close - i - 1 > 6) return false;
          code = ReadHex(script, i + 1, close - i - 1);
          i = close + 1;
        } else {
          code = ReadHex(script, i, 4);
          i += 4;
        }
        if (code < 0 || code > 0x10FFFF) return false;
        // A surrogate pair written as two escapes is one character.
        if (code >= 0xD800 && code <= 0xDBFF && i + 6 <= script.size() && script[i] == '\\' &&
            script[i + 1] == 'u') {
          const long low = ReadHex(script, i + 2, 4);
          if (low >= 0xDC00 && low <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            i += 6;
          }
        }
        AppendCodePoint(out, static_cast<char32_t>(code));
        break;
      }
      default:  // any other escaped character stands for itself
        out += e;
        break;
    }
  }
  return false;
}

void SkipSpaces(std::string_view script, std::size_t& at) {
  while (at < script.size() && IsSpace(script[at])) ++at;
}

// Parses the arguments of a write call from just after its "(": string
// literals joined by "+", several arguments separated by ",". Moves `at`
// past the ")". False when an argument is anything but literals.
bool ParseWriteArguments(std::string_view script, std::size_t& at, std::string& out) {
  SkipSpaces(script, at);
  if (at < script.size() && script[at] == ')') {
    ++at;
    return true;
  }
  for (;;) {
    SkipSpaces(script, at);
    if (at >= script.size()) return false;
    const char c = script[at];
    if (c != '\'' && c != '"' && c != '`') return false;
    if (!ParseStringLiteral(script, at, out)) return false;
    SkipSpaces(script, at);
    if (at >= script.size()) return false;
    if (script[at] == ')') {
      ++at;
      return true;
    }
    if (script[at] != '+' && script[at] != ',') return false;
    ++at;
  }
}

// The note page cut to its body: the text after the first <body ...> up to
// the last </body>; all of it when it has no body element.
std::string BodyOf(const std::string& page) {
  std::string lower(page);
  for (char& c : lower) c = LowerAscii(c);
  std::size_t start = std::string::npos;
  for (std::size_t at = lower.find("<body"); at != std::string::npos; at = lower.find("<body", at + 1)) {
    const std::size_t next = at + 5;
    if (next < lower.size() && (lower[next] == '>' || lower[next] == '/' || IsSpace(lower[next]))) {
      const std::size_t close = lower.find('>', next);
      start = close == std::string::npos ? lower.size() : close + 1;
      break;
    }
  }
  if (start == std::string::npos) return page;
  std::size_t end = lower.rfind("</body");
  if (end == std::string::npos || end < start) end = page.size();
  return page.substr(start, end - start);
}

// Decodes the percent escapes of a "javascript:" address. Each run of
// escapes is a UTF-8 sequence, as a web browser reads it; bytes that do not
// form one stay as they are.
std::string PercentDecode(std::string_view text) {
  std::string out;
  std::string run;
  auto flush = [&] {
    if (run.empty()) return;
    out += Utf8ToCp1251Lenient(run);
    run.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const long byte = text[i] == '%' ? ReadHex(text, i + 1, 2) : -1;
    if (byte >= 0) {
      run += static_cast<char>(byte);
      i += 2;
      continue;
    }
    flush();
    out += text[i];
  }
  flush();
  return out;
}

// The address as a web browser parses it: without leading and trailing
// spaces and control characters, and without tabs and line breaks inside.
std::string CleanAddress(std::string_view href) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!href.empty() && blank(href.front())) href.remove_prefix(1);
  while (!href.empty() && blank(href.back())) href.remove_suffix(1);
  std::string out;
  out.reserve(href.size());
  for (const char c : href)
    if (c != '\t' && c != '\n' && c != '\r') out += c;
  return out;
}

}  // namespace

std::optional<std::string> NoteFromScript(std::string_view script) {
  std::string page;
  bool wrote = false;
  std::size_t at = 0;
  while (at < script.size()) {
    const char c = script[at];
    if (c == '\'' || c == '"' || c == '`') {
      // A literal outside a write call is skipped whole, so that a
      // ".write(" inside it is not taken for a call.
      std::string ignored;
      if (!ParseStringLiteral(script, at, ignored)) ++at;
      continue;
    }
    if (c != '.' || script.compare(at + 1, 5, "write") != 0) {
      ++at;
      continue;
    }
    std::size_t i = at + 6;
    const bool line = script.compare(i, 2, "ln") == 0;
    if (line) i += 2;
    SkipSpaces(script, i);
    if (i >= script.size() || script[i] != '(') {
      at = i;
      continue;
    }
    ++i;
    std::string text;
    if (ParseWriteArguments(script, i, text)) {
      page += text;
      if (line) page += '\n';
      wrote = true;
    }
    at = i;
  }
  if (!wrote) return std::nullopt;
  return BodyOf(page);
}

std::optional<std::string> NoteFromLink(std::string_view href, std::string_view onclick) {
  const std::string address = CleanAddress(href);
  if (StartsWithNoCase(address, "javascript:")) {
    if (auto note = NoteFromScript(PercentDecode(std::string_view(address).substr(11)))) return note;
  }
  return NoteFromScript(onclick);
}

}  // namespace norvella
