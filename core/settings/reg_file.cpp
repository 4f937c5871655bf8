#include "core/settings/reg_file.h"

#include <array>

#include "core/base/cp1251.h"
#include "core/base/text.h"

namespace norvella {
namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";
// Characters a name cannot hold on a line of the store's file.
constexpr std::string_view kBadInName("\r\0", 2);

bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::string& utf8) {
  utf8.clear();
  if (bytes.size() % 2 != 0) return false;
  utf8.reserve(bytes.size());
  auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
  };
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    char32_t code = unit(i);
    if (code >= 0xDC00 && code <= 0xDFFF) return false;
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (i + 2 >= bytes.size()) return false;
      const char32_t low = unit(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return false;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(utf8, code);
  }
  return true;
}

std::string EncodeUtf16Le(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2 + 2);
  auto put = [&](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  };
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t code = 0;
    const std::size_t len = DecodeUtf8At(utf8, i, code);
    if (len == 0) {  // not reached: the model holds valid UTF-8 only
      ++i;
      continue;
    }
    i += len;
    if (code >= 0x10000) {
      code -= 0x10000;
      put(0xD800 + (code >> 10));
      put(0xDC00 + (code & 0x3FF));
    } else {
      put(code);
    }
  }
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses 1 to `maxDigits` hexadecimal digits making up the whole text.
bool ParseHex(std::string_view s, std::size_t maxDigits, std::uint32_t& out) {
  if (s.empty() || s.size() > maxDigits) return false;
  out = 0;
  for (const char c : s) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    out = out << 4 | static_cast<std::uint32_t>(d);
  }
  return true;
}

enum class Hive { User, Foreign, Unknown };

Hive HiveOf(std::string_view name) {
  const std::string n = LowerCase(name);
  if (n == "hkey_current_user" || n == "hkcu") return Hive::User;
  static constexpr std::array<std::string_view, 12> kOthers = {
      "hkey_local_machine", "hklm", "hkey_classes_root", "hkcr", "hkey_users", "hku",
      "hkey_current_config", "hkcc", "hkey_performance_data", "hkey_dyn_data", "hkpd", "hkdd"};
  for (const auto other : kOthers)
    if (n == other) return Hive::Foreign;
  return Hive::Unknown;
}

class Parser {
 public:
  Parser(std::string_view text, RegFileContents& out) : out_(out) {
    while (!text.empty()) {
      const auto nl = text.find('\n');
      lines_.push_back(text.substr(0, nl));
      if (nl == std::string_view::npos) break;
      text.remove_prefix(nl + 1);
    }
  }

  bool Run() {
    std::size_t i = 0;
    while (i < lines_.size() && Trim(lines_[i]).empty()) ++i;
    if (i == lines_.size()) return Fail(1, "the file is empty");
    const std::string_view header = Trim(lines_[i]);
    if (header == kHeader5) {
      unicodeHex_ = true;
    } else if (header == kHeader4) {
      unicodeHex_ = false;
    } else {
      return Fail(i + 1, "not a registry export file: the first line must be \"" +
                             std::string(kHeader5) + "\" or \"" + std::string(kHeader4) + "\"");
    }
    for (line_ = i + 1; line_ < lines_.size(); ++line_) {
      const std::string_view s = Trim(lines_[line_]);
      if (s.empty() || s.front() == ';') continue;
      if (s.front() == '[') {
        if (!KeyLine(s)) return false;
      } else if (s.front() == '"' || s.front() == '@') {
        if (!ValueLine(s)) return false;
      } else {
        return Fail(line_ + 1, "not a key, a value or a comment");
      }
    }
    return true;
  }

 private:
  enum class Section { None, Key, Skipped };

  bool Fail(std::size_t line, std::string reason) {
    out_.error = "line " + std::to_string(line) + ": " + std::move(reason);
    return false;
  }
  bool Fail(std::string reason) { return Fail(line_ + 1, std::move(reason)); }

  bool KeyLine(std::string_view s) {
    if (s.back() != ']') return Fail("a key line must end with \"]\"");
    std::string_view inner = s.substr(1, s.size() - 2);
    const bool remove = !inner.empty() && inner.front() == '-';
    if (remove) inner.remove_prefix(1);
    const auto slash = inner.find('\\');
    const Hive hive = HiveOf(inner.substr(0, slash));
    if (hive == Hive::Unknown)
      return Fail("the key \"" + std::string(inner) + "\" does not start with a registry hive");
    std::string path(slash == std::string_view::npos ? std::string_view() : inner.substr(slash + 1));
    if (path.find_first_of(kBadInName) != std::string::npos)
      return Fail("a key name holds a carriage return or a NUL character");
    if (hive == Hive::Foreign) {
      ++out_.foreignKeys;
      section_ = Section::Skipped;
      return true;
    }
    RegFileOperation op;
    op.kind = remove ? RegFileOperation::Kind::DeleteKey : RegFileOperation::Kind::CreateKey;
    op.path = path;
    out_.operations.push_back(std::move(op));
    // Values after a deleted key belong to no key and are skipped.
    section_ = remove ? Section::Skipped : Section::Key;
    path_ = std::move(path);
    return true;
  }

  // A quoted text starting at s[at] == '"'; `at` ends past the closing quote.
  bool Quoted(std::string_view s, std::size_t& at, std::string& text) {
    text.clear();
    for (++at; at < s.size(); ++at) {
      const char c = s[at];
      if (c == '"') {
        ++at;
        return true;
      }
      if (c == '\\' && at + 1 < s.size() && (s[at + 1] == '\\' || s[at + 1] == '"')) {
        text += s[++at];
        continue;
      }
      text += c;
    }
    return Fail("a quoted text has no closing quote");
  }

  bool ValueLine(std::string_view s) {
    if (section_ == Section::None) return Fail("a value before the first key");
    RegValue value;
    std::size_t at = 0;
    if (s.front() == '@') {
      at = 1;
    } else if (!Quoted(s, at, value.name)) {
      return false;
    }
    if (value.name.find_first_of(kBadInName) != std::string::npos)
      return Fail("a value name holds a carriage return or a NUL character");
    while (at < s.size() && (s[at] == ' ' || s[at] == '\t')) ++at;
    if (at >= s.size() || s[at] != '=') return Fail("\"=\" expected after the value name");
    std::string_view data = Trim(s.substr(at + 1));

    RegFileOperation op;
    op.path = path_;
    if (data == "-") {
      op.kind = RegFileOperation::Kind::DeleteValue;
    } else if (!data.empty() && data.front() == '"') {
      std::size_t end = 0;
      std::string text;
      if (!Quoted(data, end, text)) return false;
      if (!Trim(data.substr(end)).empty()) return Fail("text after the closing quote");
      value.type = RegType::String;
      value.data = std::move(text);
    } else if (LowerCase(data.substr(0, 6)) == "dword:") {
      std::uint32_t n = 0;
      if (!ParseHex(Trim(data.substr(6)), 8, n)) return Fail("dword: takes 1 to 8 hexadecimal digits");
      value.type = RegType::Dword;
      value.dword = n;
    } else if (LowerCase(data.substr(0, 3)) == "hex") {
      if (!HexValue(data.substr(3), value)) return false;
    } else {
      return Fail("unknown kind of value data");
    }
    if (section_ == Section::Skipped) return true;
    if (op.kind != RegFileOperation::Kind::DeleteValue) {
      op.kind = RegFileOperation::Kind::SetValue;
      ++out_.values;
      if (value.type == RegType::String && !FitsCp1251(value.data)) ++out_.unmappableStrings;
    }
    op.value = std::move(value);
    out_.operations.push_back(std::move(op));
    return true;
  }

  // "hex:..." or "hex(N):...", after the word "hex"; may go on over lines.
  bool HexValue(std::string_view rest, RegValue& value) {
    std::uint32_t type = kRegBinary;
    if (!rest.empty() && rest.front() == '(') {
      const auto close = rest.find(')');
      if (close == std::string_view::npos || !ParseHex(rest.substr(1, close - 1), 8, type))
        return Fail("hex(N): needs a hexadecimal type number");
      rest.remove_prefix(close + 1);
    }
    if (rest.empty() || rest.front() != ':') return Fail("\":\" expected after hex");
    rest.remove_prefix(1);
    std::string bytes;
    for (;;) {
      rest = Trim(rest);
      const bool more = !rest.empty() && rest.back() == '\\';
      if (more) rest.remove_suffix(1);
      while (!rest.empty()) {
        const auto comma = rest.find(',');
        const std::string_view token = Trim(rest.substr(0, comma));
        if (!token.empty()) {
          std::uint32_t b = 0;
          if (!ParseHex(token, 2, b)) return Fail("\"" + std::string(token) + "\" is not a hexadecimal byte");
          bytes += static_cast<char>(b);
        }
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
      }
      if (!more) break;
      if (++line_ >= lines_.size()) return Fail(line_, "hex data goes on past the end of the file");
      rest = lines_[line_];
    }
    return TypedBytes(static_cast<int>(type), std::move(bytes), value);
  }

  // Hex data of a type the model knows becomes that type; the rest is kept
  // as bytes with its type number.
  bool TypedBytes(int type, std::string bytes, RegValue& value) {
    if (type == 1) {  // a string, in UTF-16LE (version 5 files) or ANSI (REGEDIT4)
      std::string text;
      bool decoded = true;
      if (unicodeHex_) {
        decoded = DecodeUtf16(bytes, false, text);
      } else {
        text = Cp1251ToUtf8(bytes);
      }
      if (decoded) {
        while (!text.empty() && text.back() == '\0') text.pop_back();
        value.type = RegType::String;
        value.data = std::move(text);
        return true;
      }
    }
    if (type == 4 && bytes.size() == 4) {
      value.type = RegType::Dword;
      value.dword = 0;
      for (int k = 3; k >= 0; --k)
        value.dword = value.dword << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(k)]);
      return true;
    }
    value.type = RegType::Binary;
    value.hexType = type;
    value.data = std::move(bytes);
    return true;
  }

  RegFileContents& out_;
  std::vector<std::string_view> lines_;
  std::size_t line_ = 0;
  bool unicodeHex_ = true;
  Section section_ = Section::None;
  std::string path_;
};

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

bool NeedsHexForm(std::string_view text) {
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 && c != '\t') return true;
  }
  return false;
}

void AppendHex(std::string& out, std::string_view prefix, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  constexpr std::size_t kWidth = 76;
  std::size_t column = out.size() - out.rfind('\n') - 1 + prefix.size();
  out += prefix;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) {
      out += ',';
      ++column;
      if (column + 3 > kWidth) {
        out += "\\\n  ";
        column = 2;
      }
    }
    const auto b = static_cast<unsigned char>(bytes[i]);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
    column += 2;
  }
}

void AppendValue(std::string& out, const RegValue& v) {
  if (v.name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, v.name);
  }
  out += '=';
  switch (v.type) {
    case RegType::String:
      if (NeedsHexForm(v.data)) {
        AppendHex(out, "hex(1):", EncodeUtf16Le(v.data) + std::string(2, '\0'));
      } else {
        AppendQuoted(out, v.data);
      }
      break;
    case RegType::Dword: {
      static constexpr char kDigits[] = "0123456789abcdef";
      out += "dword:";
      for (int shift = 28; shift >= 0; shift -= 4) out += kDigits[(v.dword >> shift) & 15];
      break;
    }
    case RegType::Binary: {
      std::string prefix = "hex:";
      if (v.hexType != kRegBinary) {
        static constexpr char kDigits[] = "0123456789abcdef";
        std::string number;
        auto n = static_cast<std::uint32_t>(v.hexType);
        do {
          number.insert(number.begin(), kDigits[n & 15]);
          n >>= 4;
        } while (n != 0);
        prefix = "hex(" + number + "):";
      }
      AppendHex(out, prefix, v.data);
      break;
    }
  }
  out += '\n';
}

void AppendKey(std::string& out, const RegKey& key, const std::string& path, bool isHive) {
  if (!isHive || key.ValueCount() > 0) {
    out += '[';
    out += path;
    out += "]\n";
    for (const auto& v : key.Values()) AppendValue(out, v);
    out += '\n';
  }
  for (const auto& child : key.SubKeys()) AppendKey(out, *child, path + "\\" + child->Name(), false);
}

}  // namespace

bool DecodeRegFileText(std::string_view bytes, std::string& utf8, std::string* error) {
  auto fail = [&](std::string reason) {
    if (error != nullptr) *error = std::move(reason);
    return false;
  };
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    const bool bigEndian = bytes[0] == '\xFE';
    if (!DecodeUtf16(bytes.substr(2), bigEndian, utf8)) return fail("the file is not valid UTF-16");
    return true;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    bytes.remove_prefix(3);
    if (!IsValidUtf8(bytes)) return fail("the file starts as UTF-8 but is not valid UTF-8");
    utf8.assign(bytes);
    return true;
  }
  if (IsValidUtf8(bytes)) {
    utf8.assign(bytes);
  } else {
    utf8 = Cp1251ToUtf8(bytes);
  }
  return true;
}

RegFileContents ParseRegFile(std::string_view bytes) {
  RegFileContents out;
  std::string text;
  std::string problem;
  if (!DecodeRegFileText(bytes, text, &problem)) {
    out.error = problem;
    return out;
  }
  Parser parser(text, out);
  out.ok = parser.Run();
  if (!out.ok) {
    out.operations.clear();
    out.values = out.foreignKeys = out.unmappableStrings = 0;
  }
  return out;
}

void ApplyRegFile(const RegFileContents& contents, Registry& registry) {
  for (const auto& op : contents.operations) {
    switch (op.kind) {
      case RegFileOperation::Kind::CreateKey:
        registry.CreateUtf8(op.path);
        break;
      case RegFileOperation::Kind::DeleteKey:
        registry.DeleteTreeUtf8(op.path);
        break;
      case RegFileOperation::Kind::SetValue:
        registry.CreateUtf8(op.path).SetUtf8(op.value);
        break;
      case RegFileOperation::Kind::DeleteValue:
        if (RegKey* key = registry.OpenUtf8(op.path)) key->DeleteValueUtf8(op.value.name);
        break;
    }
  }
}

std::string WriteRegFile(const Registry& registry) {
  std::string out(kHeader5);
  out += "\n\n";
  AppendKey(out, registry.Root(), std::string(kUserHive), true);
  return out;
}

}  // namespace norvella
