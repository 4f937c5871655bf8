#include "core/base/cp1251.h"

#include <array>
#include <cstdint>

namespace norvella {
namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

void AppendUtf8Char(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when invalid.
std::size_t DecodeOne(std::string_view text, std::size_t i, char32_t& code) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) {
    code = b0;
    return 1;
  }
  std::size_t len = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) len = 2, code = b0 & 0x1F, min = 0x80;
  else if ((b0 & 0xF0) == 0xE0) len = 3, code = b0 & 0x0F, min = 0x800;
  else if ((b0 & 0xF8) == 0xF0) len = 4, code = b0 & 0x07, min = 0x10000;
  else return 0;
  if (i + len > text.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    code = (code << 6) | (b & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return len;
}

// Appends the Windows-1251 byte of a code point, or its numeric character
// reference when the code page lacks it.
void AppendCp1251(std::string& out, char32_t code) {
  const int byte = UnicodeToCp1251(code);
  if (byte >= 0) {
    out += static_cast<char>(byte);
  } else {
    out += "&#";
    out += std::to_string(static_cast<std::uint32_t>(code));
    out += ';';
  }
}

char16_t Unit16(std::string_view text, std::size_t i, bool bigEndian) {
  const auto a = static_cast<unsigned char>(text[i]);
  const auto b = static_cast<unsigned char>(text[i + 1]);
  return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Each byte's UTF-8 form, one to three bytes: whole books are converted,
// so the table is made once.
struct Utf8Of {
  char bytes[3];
  std::uint8_t length;
};

const std::array<Utf8Of, 256>& Utf8Table() {
  static const std::array<Utf8Of, 256> table = [] {
    std::array<Utf8Of, 256> t{};
    for (int b = 0; b < 256; ++b) {
      std::string one;
      AppendUtf8Char(one, Cp1251ToUnicode(static_cast<unsigned char>(b)));
      t[b].length = static_cast<std::uint8_t>(one.size());
      one.copy(t[b].bytes, one.size());
    }
    return t;
  }();
  return table;
}

}  // namespace

char32_t Cp1251ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kHigh[byte - 0x80];
}

int UnicodeToCp1251(char32_t code) {
  if (code < 0x80) return static_cast<int>(code);
  if (code >= 0x0410 && code <= 0x044F) return static_cast<int>(code - 0x0410 + 0xC0);
  for (std::size_t k = 0; k < kHigh.size(); ++k)
    if (kHigh[k] == code) return static_cast<int>(0x80 + k);
  return -1;
}

std::string Cp1251ToUtf8(std::string_view text) {
  std::string out;
  AppendCp1251AsUtf8(out, text);
  return out;
}

void AppendCp1251AsUtf8(std::string& out, std::string_view text) {
  // Sized first and written in place: one pass to count, one to write.
  std::size_t size = 0;
  for (const char c : text) size += Utf8Table()[static_cast<unsigned char>(c)].length;
  const std::size_t start = out.size();
  out.resize(start + size);
  char* at = out.data() + start;
  for (const char c : text) {
    const Utf8Of& u = Utf8Table()[static_cast<unsigned char>(c)];
    at[0] = u.bytes[0];
    if (u.length > 1) at[1] = u.bytes[1];
    if (u.length > 2) at[2] = u.bytes[2];
    at += u.length;
  }
}

bool Utf8ToCp1251(std::string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t len = DecodeOne(text, i, code);
    if (len == 0) return false;
    i += len;
    AppendCp1251(out, code);
  }
  return true;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t len = DecodeOne(text, i, code);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::size_t DecodeUtf8At(std::string_view text, std::size_t at, char32_t& code) {
  return DecodeOne(text, at, code);
}

void AppendUtf8(std::string& out, char32_t code) { AppendUtf8Char(out, code); }
std::string Utf8ToCp1251Lenient(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t len = DecodeOne(text, i, code);
    if (len == 0) {
      out += text[i++];
      continue;
    }
    i += len;
    AppendCp1251(out, code);
  }
  return out;
}

std::string Utf16ToCp1251(std::string_view text, bool bigEndian) {
  std::string out;
  out.reserve(text.size() / 2);
  std::size_t i = 0;
  for (; i + 1 < text.size(); i += 2) {
    const char16_t u = Unit16(text, i, bigEndian);
    if (IsHighSurrogate(u) && i + 3 < text.size() && IsLowSurrogate(Unit16(text, i + 2, bigEndian))) {
      const char16_t low = Unit16(text, i + 2, bigEndian);
      AppendCp1251(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00));
      i += 2;
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      AppendCp1251(out, 0xFFFD);
    } else {
      AppendCp1251(out, u);
    }
  }
  if (i < text.size()) AppendCp1251(out, 0xFFFD);
  return out;
}

bool IsValidUtf16(std::string_view text, bool bigEndian) {
  if (text.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const char16_t u = Unit16(text, i, bigEndian);
    if (IsLowSurrogate(u)) return false;
    if (IsHighSurrogate(u)) {
      if (i + 3 >= text.size() || !IsLowSurrogate(Unit16(text, i + 2, bigEndian))) return false;
      i += 2;
    }
  }
  return true;
}

}  // namespace norvella
