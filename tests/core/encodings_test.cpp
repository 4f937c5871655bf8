#include "core/source/encodings.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>

#include "core/base/cp1251.h"

namespace norvella {
namespace {

// The code point of one byte in a code page, as the C library's converter
// knows it: an independent reference for the tables.
std::optional<char32_t> ReferenceCodePoint(const char* codePage, unsigned char byte) {
  const iconv_t cd = iconv_open("UTF-32LE", codePage);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char in[1] = {static_cast<char>(byte)};
  unsigned char out[4] = {};
  char* inPtr = in;
  char* outPtr = reinterpret_cast<char*>(out);
  std::size_t inLeft = 1, outLeft = 4;
  const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1) || outLeft != 0) return std::nullopt;
  return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

TEST(Cp1251Utf8, EveryByteMatchesTheReferenceAndComesBack) {
  // All 256 bytes in one text, so that the sizing pass and the writing
  // pass of the conversion meet every length of sequence side by side.
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1251ToUtf8(all + all);
  std::string expected;
  for (int b = 0; b < 256; ++b) {
    const char32_t c = b == 0x98 ? 0x98 : ReferenceCodePoint("CP1251", static_cast<unsigned char>(b)).value_or(0);
    if (c < 0x80) {
      expected += static_cast<char>(c);
    } else if (c < 0x800) {
      expected += static_cast<char>(0xC0 | (c >> 6));
      expected += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      expected += static_cast<char>(0xE0 | (c >> 12));
      expected += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      expected += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  EXPECT_EQ(utf8, expected + expected);
  std::string back;
  ASSERT_TRUE(Utf8ToCp1251(utf8, back));
  EXPECT_EQ(back, all + all);
  EXPECT_EQ(Cp1251ToUtf8(""), "");
}

TEST(DosScore, CountsEachListedByteOnceAnd160And173Twice) {
  std::string text = "\xA0\xA1\xA2\xA7\xAD\x95" + std::string(50, '\xA0');
  EXPECT_EQ(DosScore(text), 8);  // not above the threshold: no question
  EXPECT_EQ(DosScore(text + "\x97"), 9);
  EXPECT_EQ(DosScore(text + "\x97\xAF"), 10);
  EXPECT_EQ(DosScore("\xE0\xE1\xE2 plain Windows-1251"), 0);
}

TEST(KoiScore, CountsOnlyCharacters1000To2000) {
  EXPECT_EQ(KoiScore(std::string(999, '\xC0')), 0);  // short texts never score
  EXPECT_EQ(KoiScore(std::string(1000, '\xC0')), 1);
  EXPECT_EQ(KoiScore(std::string(5000, '\xC0')), 1001);
  EXPECT_EQ(KoiScore(std::string(999, 'x') + std::string(1001, '\xE0') + std::string(99, '\xC0')), -1001);
  EXPECT_EQ(KoiScore(std::string(999, '\xE0') + std::string(301, '\xC0') + std::string(700, ' ')), 301);
}

TEST(OemToAnsi, MatchesTheReferenceWhereWindows1251HasTheCharacter) {
  if (!ReferenceCodePoint("CP866", 0x80)) GTEST_SKIP() << "the C library has no CP866 converter";
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    const unsigned char ansi = OemToAnsiByte(byte);
    const int expected = UnicodeToCp1251(*ReferenceCodePoint("CP866", byte));
    if (expected >= 0) {
      EXPECT_EQ(ansi, expected) << "CP866 byte " << b;
    } else {
      // Box drawing and the like: a visible stand-in, never NUL or a control.
      EXPECT_TRUE((ansi >= 0x20 && ansi < 0x7F) || ansi == 0x95 || ansi == 0xB7) << "CP866 byte " << b;
    }
  }
  EXPECT_EQ(OemToAnsi("\xDA\xC4\xBF\xB3\xCD\xB0"), "+-+|=#");
}

TEST(Koi8ToAnsi, ConvertsTheLettersAndIoAndKeepsEveryOtherByte) {
  if (!ReferenceCodePoint("KOI8-R", 0xC0)) GTEST_SKIP() << "the C library has no KOI8-R converter";
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    if (b >= 192 || b == 163 || b == 179)
      EXPECT_EQ(Koi8ToAnsiByte(byte), UnicodeToCp1251(*ReferenceCodePoint("KOI8-R", byte))) << b;
    else
      EXPECT_EQ(Koi8ToAnsiByte(byte), byte) << b;
  }
  EXPECT_EQ(Koi8ToAnsi("\xA3\xB3"), "\xB8\xA8");  // small io stays small, capital stays capital
}

TEST(RecogniseUnicode, TellsUnicodeFromSingleByteText) {
  EXPECT_EQ(RecogniseUnicode("plain ASCII"), UnicodeForm::kNone);
  EXPECT_EQ(RecogniseUnicode("\xCF\xF0\xE8\xE2\xE5\xF2"), UnicodeForm::kNone);  // Привет in 1251
  EXPECT_EQ(RecogniseUnicode("\xD0\x9F\xD1\x80\xD0\xB8"), UnicodeForm::kUtf8);
  EXPECT_EQ(RecogniseUnicode("\xEF\xBB\xBFx"), UnicodeForm::kUtf8Bom);
  EXPECT_EQ(RecogniseUnicode(std::string("\xFF\xFEx\0", 4)), UnicodeForm::kUtf16Le);
  EXPECT_EQ(RecogniseUnicode(std::string("\xFE\xFF\0x", 4)), UnicodeForm::kUtf16Be);
  // A byte-order mark followed by an odd number of bytes is not UTF-16.
  EXPECT_EQ(RecogniseUnicode("\xFF\xFE\xE0"), UnicodeForm::kNone);
  // Nor is a lone surrogate.
  EXPECT_EQ(RecogniseUnicode(std::string("\xFF\xFE\x00\xDC", 4)), UnicodeForm::kNone);
}

TEST(DecodeUnicode, KeepsWindows1251CharactersAsBytesAndReferencesTheRest) {
  // № € « — stay single bytes; an arrow and the combining stress mark become references.
  EXPECT_EQ(DecodeUnicode("\xE2\x84\x96\xE2\x82\xAC\xC2\xAB\xE2\x80\x94", UnicodeForm::kUtf8),
            "\xB9\x88\xAB\x97");
  EXPECT_EQ(DecodeUnicode("\xEF\xBB\xBF\xE2\x86\x92 \xD0\xB0\xCC\x81", UnicodeForm::kUtf8Bom),
            "&#8594; \xE0&#769;");
  EXPECT_EQ(DecodeUnicode(std::string("\xFF\xFE\x10\x04\x3D\xD8\x00\xDE", 8), UnicodeForm::kUtf16Le),
            "\xC0&#128512;");
  EXPECT_EQ(DecodeUnicode(std::string("\xFE\xFF\x04\x10\xDC\x00\x00", 7), UnicodeForm::kUtf16Be),
            "\xC0&#65533;&#65533;");
  // Broken UTF-8 keeps its bytes.
  EXPECT_EQ(DecodeUnicode("\xD0\xB0\xE0 x", UnicodeForm::kUtf8), "\xE0\xE0 x");
  EXPECT_EQ(ForcedUnicodeForm("\xE0 x"), UnicodeForm::kUtf8);
}

}  // namespace
}  // namespace norvella
