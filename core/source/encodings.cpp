#include "core/source/encodings.h"

#include <algorithm>
#include <array>

#include "core/base/cp1251.h"

namespace norvella {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// CP866 0xB0..0xDF: shades, box drawing and blocks, drawn with the plain
// characters a text-mode table is usually retyped with.
constexpr std::string_view kOemGraphics =
    "###|++++++|+++++"   // B0..BF: shades, vertical, right junctions, corners
    "++++-++++++++=++"   // C0..CF: left junctions, horizontal, crossings
    "+++++++++++#####";  // D0..DF: crossings, corners, full and half blocks

// CP866 0xF0..0xFF: Ё ё Є є Ї ї Ў ў ° ∙ · √ № ¤ ■ NBSP.
constexpr std::array<unsigned char, 16> kOemTail = {
    0xA8, 0xB8, 0xAA, 0xBA, 0xAF, 0xBF, 0xA1, 0xA2,
    0xB0, 0xB7, 0xB7, 'v',  0xB9, 0xA4, 0x95, 0xA0,
};

// KOI8-R 0xC0..0xDF are the small letters in this order; 0xE0..0xFF the
// capitals in the same order.
constexpr std::array<unsigned char, 32> kKoiSmall = {
    0xFE, 0xE0, 0xE1, 0xF6, 0xE4, 0xE5, 0xF4, 0xE3, 0xF5, 0xE8, 0xE9,
    0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xFF, 0xF0, 0xF1, 0xF2, 0xF3,
    0xE6, 0xE2, 0xFC, 0xFB, 0xE7, 0xF8, 0xFD, 0xF9, 0xF7, 0xFA,
};

template <unsigned char (*Map)(unsigned char)>
std::string MapBytes(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(Map(static_cast<unsigned char>(c)));
  return out;
}

// ISO-8859-5 0xA0..0xFF: NBSP, Ё..Ќ, soft hyphen, Ў..я, №, ё..ќ, §, ў, џ.
char32_t Iso88595ToUnicode(unsigned char byte) {
  if (byte < 0xA0) return byte;
  if (byte == 0xA0) return 0x00A0;
  if (byte == 0xAD) return 0x00AD;
  if (byte == 0xF0) return 0x2116;
  if (byte == 0xFD) return 0x00A7;
  return static_cast<char32_t>(0x0360 + byte);  // 0xA1 -> U+0401 ... 0xFF -> U+045F
}

// Mac Cyrillic 0xA0..0xDF; 0x80..0x9F are А..Я and 0xE0..0xFE а..ю.
constexpr std::array<char32_t, 64> kMacMiddle = {
    0x2020, 0x00B0, 0x0490, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x0406,  // A0
    0x00AE, 0x00A9, 0x2122, 0x0402, 0x0452, 0x2260, 0x0403, 0x0453,  // A8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x0456, 0x00B5, 0x0491, 0x0408,  // B0
    0x0404, 0x0454, 0x0407, 0x0457, 0x0409, 0x0459, 0x040A, 0x045A,  // B8
    0x0458, 0x0405, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,  // C0
    0x00BB, 0x2026, 0x00A0, 0x040B, 0x045B, 0x040C, 0x045C, 0x0455,  // C8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x201E,  // D0
    0x040E, 0x045E, 0x040F, 0x045F, 0x2116, 0x0401, 0x0451, 0x044F,  // D8
};

char32_t MacCyrillicToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte < 0xA0) return static_cast<char32_t>(0x0410 + (byte - 0x80));
  if (byte < 0xE0) return kMacMiddle[byte - 0xA0];
  if (byte == 0xFF) return 0x20AC;
  return static_cast<char32_t>(0x0430 + (byte - 0xE0));
}

// Each byte to Unicode, then to Windows-1251 as a UTF-8 text is.
template <char32_t (*ToUnicode)(unsigned char)>
std::string ThroughUnicode(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size() * 2);
  for (const char c : text) AppendUtf8(utf8, ToUnicode(static_cast<unsigned char>(c)));
  return Utf8ToCp1251Lenient(utf8);
}

bool HasNonAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

}  // namespace

int DosScore(std::string_view text) {
  std::array<bool, 256> present{};
  for (const char c : text) present[static_cast<unsigned char>(c)] = true;
  static constexpr unsigned char kTested[] = {160, 161, 162, 167, 173, 160, 173, 149, 151, 175};
  int score = 0;
  for (const unsigned char b : kTested)
    if (present[b]) ++score;
  return score;
}

int KoiScore(std::string_view text) {
  int score = 0;
  const std::size_t last = text.size() < 2000 ? text.size() : 2000;
  for (std::size_t pos = 1000; pos <= last; ++pos) {
    const auto b = static_cast<unsigned char>(text[pos - 1]);
    if (b >= 192 && b <= 223) ++score;
    else if (b >= 224) --score;
  }
  return score;
}

unsigned char OemToAnsiByte(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte < 0xB0) return static_cast<unsigned char>(byte + 0x40);  // А..Я, а..п
  if (byte < 0xE0) return static_cast<unsigned char>(kOemGraphics[byte - 0xB0]);
  if (byte < 0xF0) return static_cast<unsigned char>(byte + 0x10);  // р..я
  return kOemTail[byte - 0xF0];
}

std::string OemToAnsi(std::string_view text) { return MapBytes<OemToAnsiByte>(text); }

unsigned char Koi8ToAnsiByte(unsigned char byte) {
  if (byte == 163) return 184;  // ё
  if (byte == 179) return 168;  // Ё
  if (byte < 192) return byte;
  if (byte < 224) return kKoiSmall[byte - 192];
  return static_cast<unsigned char>(kKoiSmall[byte - 224] - 0x20);
}

std::string Koi8ToAnsi(std::string_view text) { return MapBytes<Koi8ToAnsiByte>(text); }

std::string Iso88595ToAnsi(std::string_view text) { return ThroughUnicode<Iso88595ToUnicode>(text); }

std::string MacCyrillicToAnsi(std::string_view text) {
  return ThroughUnicode<MacCyrillicToUnicode>(text);
}

double CommonRussianShare(std::string_view text, std::size_t* letters) {
  // о е а и н т с р в л in Windows-1251, small letters.
  static constexpr unsigned char kCommon[] = {0xEE, 0xE5, 0xE0, 0xE8, 0xED,
                                              0xF2, 0xF1, 0xF0, 0xE2, 0xEB};
  std::array<bool, 256> common{};
  for (const unsigned char b : kCommon) {
    common[b] = true;
    common[b - 0x20] = true;  // the capital
  }
  std::size_t all = 0;
  std::size_t frequent = 0;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0xC0 && b != 0xA8 && b != 0xB8) continue;
    ++all;
    if (common[b]) ++frequent;
  }
  if (letters) *letters = all;
  return all == 0 ? 0.0 : static_cast<double>(frequent) / static_cast<double>(all);
}

namespace {

bool HasUtf16Bom(std::string_view bytes) {
  return bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

}  // namespace

bool LooksLikeText(std::string_view bytes) {
  return HasUtf16Bom(bytes) || bytes.find('\0') == std::string_view::npos;
}

bool HoldsText(std::string_view bytes) {
  if (HasUtf16Bom(bytes)) {
    // Each code unit is blank when its high byte is zero and its low byte
    // is blank or zero.
    const bool littleEndian = bytes[0] == '\xFF';
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const char low = littleEndian ? bytes[i] : bytes[i + 1];
      const char high = littleEndian ? bytes[i + 1] : bytes[i];
      if (high != '\0' || (low != '\0' && !IsBlank(low))) return true;
    }
    return bytes.size() % 2 != 0;
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return std::any_of(bytes.begin(), bytes.end(), [](char c) { return !IsBlank(c); });
}

UnicodeForm RecogniseUnicode(std::string_view text) {
  if (text.starts_with(kUtf8Bom)) return UnicodeForm::kUtf8Bom;
  if (text.starts_with(kUtf16LeBom) && IsValidUtf16(text.substr(2), false))
    return UnicodeForm::kUtf16Le;
  if (text.starts_with(kUtf16BeBom) && IsValidUtf16(text.substr(2), true))
    return UnicodeForm::kUtf16Be;
  if (HasNonAscii(text) && IsValidUtf8(text)) return UnicodeForm::kUtf8;
  return UnicodeForm::kNone;
}

UnicodeForm ForcedUnicodeForm(std::string_view text) {
  if (text.size() % 2 == 0) {
    if (text.starts_with(kUtf16LeBom)) return UnicodeForm::kUtf16Le;
    if (text.starts_with(kUtf16BeBom)) return UnicodeForm::kUtf16Be;
  }
  return text.starts_with(kUtf8Bom) ? UnicodeForm::kUtf8Bom : UnicodeForm::kUtf8;
}

std::string DecodeUnicode(std::string_view text, UnicodeForm form) {
  switch (form) {
    case UnicodeForm::kNone:
      return std::string(text);
    case UnicodeForm::kUtf8:
      return Utf8ToCp1251Lenient(text);
    case UnicodeForm::kUtf8Bom:
      return Utf8ToCp1251Lenient(text.substr(kUtf8Bom.size()));
    case UnicodeForm::kUtf16Le:
      return Utf16ToCp1251(text.substr(2), false);
    case UnicodeForm::kUtf16Be:
      return Utf16ToCp1251(text.substr(2), true);
  }
  return std::string(text);
}

}  // namespace norvella
