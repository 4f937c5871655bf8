#include "core/source/encodings.h"

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
