#include "core/convert/hyphenate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <random>

#include "tests/support/hyph_support.h"

namespace norvella {
namespace {

using test::Ru;
using test::UniformWidths;
using test::Utf;

// The line-end rule written out directly on a growing string: measure a
// line, step back one character, break at a space, or take the word around
// pos - 2 and insert, move it or leave it. Quadratic, but plainly the rule.
// The three safeguards of the real implementation are part of it: the first
// character of a line always fits, entity names are never broken, and a
// break that would not leave the line start behind is no break.
std::optional<std::string> DirectHyphenateByWidth(std::string body, const ActiveFontWidths& widths,
                                                  const std::string& hyph) {
  std::size_t pos = 0;
  std::optional<std::size_t> lastWord;
  for (int rounds = 0; pos < body.size(); ++rounds) {
    if (rounds > 100000) return std::nullopt;  // the rule does not end
    const std::size_t lineStart = pos;
    long long sum = 0;
    bool first = true;
    bool ended = false;
    for (;;) {
      if (pos >= body.size()) {
        ended = true;
        break;
      }
      sum += CharWidthAt(body, pos, widths);
      if (sum > widths.hyphLineWidth && !first) break;
      first = false;
    }
    if (ended) break;
    --pos;
    if (body[pos - 1] == ' ') continue;
    if (body[pos] == ' ') {
      ++pos;
      continue;
    }
    const ExtractedWord word = ExtractWord(body, pos - 1);
    const std::size_t s = word.start;
    std::size_t k = 0;
    if (word.text.find_first_of("&-") == std::string::npos) {
      k = FindBreakPoint(word.text, pos - s - 1);
      if (s > 0 && body[s - 1] == '&') k = 0;
      if (k > 0 && s + k + hyph.size() <= lineStart) k = 0;
    }
    if (k > 0) {
      body.insert(s + k, hyph);
      pos = s + k + hyph.size();
    } else if (lastWord != s) {
      pos = s;
    }
    lastWord = s;
  }
  return body;
}

std::string Hyph(std::string_view utf8, const ActiveFontWidths& widths, std::string_view hyph = "-") {
  return Utf(HyphenateByWidth(Ru(utf8), widths, hyph));
}

TEST(HyphenateByWidth, ALineIsFullOnlyWhenItsWidthIsExceeded) {
  // 12 characters of width 1.
  EXPECT_EQ(Hyph("мы стаканами", UniformWidths(12)), "мы стаканами");
  // One pixel less: "н" is the first that does not fit, so four letters of
  // the word and the mark fit in "мы стака", and стака|нами is allowed.
  EXPECT_EQ(Hyph("мы стаканами", UniformWidths(11)), "мы стака-нами");
}

TEST(HyphenateByWidth, OneMarkAtTheBreakClosestToTheLineEnd) {
  // "мы стака" fills the line; стак|анами is no break, ста|канами is. The
  // next line starts after the mark; "пили" then moves whole.
  EXPECT_EQ(Hyph("мы стаканами пили", UniformWidths(8), "&shy;"), "мы ста&shy;канами пили");
}

TEST(HyphenateByWidth, BreaksAtSpacesNeedNoMark) {
  // The line ends right after a space, or right at one.
  EXPECT_EQ(Hyph("мы пили стакан", UniformWidths(8)), "мы пили стакан");
  EXPECT_EQ(Hyph("мы пили стакан", UniformWidths(7)), "мы пили стакан");
}

TEST(HyphenateByWidth, AWordWithoutABreakMovesAndTheNextLineStartsWithIt) {
  // "вдруг" has no break; it starts the second line, which is then
  // "вдруг " and the third "стаканами" ending at стака|нами. Measured from
  // where the first line overflowed ("уг ста"), the break would differ.
  EXPECT_EQ(Hyph("мы вдруг стаканами", UniformWidths(6)), "мы вдруг стака-нами");
}

TEST(HyphenateByWidth, AWordLongerThanALineMovesOnceThenIsLeftToTheDevice) {
  // Twelve vowels never break: the word moves to line 2, overflows again
  // and is left to the device, which fills lines 2 and 3 with it. Line 4
  // starts with "стакана", which breaks at ста|кана. Had the long word
  // stayed on line 1, line 3 would end in "аа ста" and "стакана" would move
  // whole; had it been moved every time, the text would never end.
  EXPECT_EQ(Hyph("я аааааааааааа стакана", UniformWidths(6)), "я аааааааааааа ста-кана");
}

TEST(HyphenateByWidth, HyphenatedWordsMoveWhole) {
  // The line ends in "давны"; "давным-" could break as дав|ным-, but a word
  // with a hyphen moves to the next line instead.
  EXPECT_EQ(FindBreakPoint(Ru("давным-"), 4), 3u);
  EXPECT_EQ(Hyph("мы давным-давно", UniformWidths(8)), "мы давным-давно");
}

TEST(HyphenateByWidth, NbspCountsAsTheWidthOfASpace) {
  ActiveFontWidths w = UniformWidths(16);
  w.activeCharWidths[' '] = 3;
  // 3 + 3 + 2 + 3 = 11 before the word, so "стака" fits and "н" does not.
  EXPECT_EQ(Hyph("&nbsp;&nbsp;мы стаканами", w), "&nbsp;&nbsp;мы ста-канами");
  // Measured as six characters each, the word would start a line of its own.
}

TEST(HyphenateByWidth, AnEntityAtTheLineEndIsNeverBroken) {
  // "&hellip;" is the first thing that does not fit. Stepping back one
  // character lands on its ";", and the word around that is "hellip;",
  // which the syllable rules would break as "hel|lip;".
  EXPECT_EQ(Hyph("ааааа&hellip; бб", UniformWidths(5)), "ааааа&hellip; бб");
  EXPECT_EQ(Hyph("да&hellip;&raquo;", UniformWidths(3)), "да&hellip;&raquo;");
}

TEST(HyphenateByWidth, ALineNarrowerThanACharacterStillEnds) {
  // Every line holds one character; the marks that this predicts are of no
  // use, but the text comes back whole.
  ActiveFontWidths w = BuiltinActiveFontWidths();
  for (int lineWidth : {0, -5, 4}) {
    w.hyphLineWidth = lineWidth;
    std::string out = Hyph("мы стаканами пили", w);
    std::erase(out, '-');
    EXPECT_EQ(out, "мы стаканами пили");
  }
}

TEST(HyphenateByWidth, AnEmptyHyphStringStillEnds) {
  // Taken literally, the break after "ста" would be found again and again
  // at the start of the line it began.
  EXPECT_EQ(Hyph("стакааааааааааа", UniformWidths(8), ""), "стакааааааааааа");
}

TEST(HyphenateByWidth, TheDefaultFontAndLine) {
  // 314 pixels of ThielVerdana 1.2 small: "Ничего ... департ" is 308, the
  // next "а" makes 316, and the break closest to that is депар|таментов.
  ActiveFontWidths w = BuiltinActiveFontWidths();
  w.hyphLineWidth = 314;
  EXPECT_EQ(Hyph("Ничего нет сердитее всякого рода департаментов, полков, канцелярий и, "
                 "словом, всякого рода должностного сословия.",
                 w, "&shy;"),
            "Ничего нет сердитее всякого рода депар&shy;таментов, полков, канцелярий и, "
            "словом, всякого рода должностного сословия.");
}

// A 2 MB paragraph in the shapes that make a direct transcription slow.
TEST(HyphenateByWidth, AHugeParagraphFinishesQuickly) {
  const std::size_t size = 2u << 20;
  const ActiveFontWidths& w = BuiltinActiveFontWidths();
  const auto start = std::chrono::steady_clock::now();
  std::string vowels(size, '\xE0');  // one word without a single break
  EXPECT_EQ(HyphenateByWidth(vowels, w, "-"), vowels);
  std::string word;  // one word with a break in every line
  while (word.size() < size) word += Ru("стакана");
  EXPECT_GT(HyphenateByWidth(word, w, "&shy;").size(), word.size() + 1000);
  // The soft hyphen character itself is no delimiter: the word goes on
  // after it, and so do the lines of the same word.
  EXPECT_GT(HyphenateByWidth(word, w, "\xAD").size(), word.size());
  std::string words;  // many words
  while (words.size() < size) words += Ru("стаканами пили, ");
  EXPECT_GT(HyphenateByWidth(words, w, "-").size(), words.size());
  std::string entity = "&" + std::string(size, 'a');  // one unterminated entity
  EXPECT_EQ(HyphenateByWidth(entity, w, "-"), entity);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 10.0);
}

TEST(HyphenateByWidth, MatchesTheDirectTranscriptionOnRandomInput) {
  std::mt19937 rng(4242);
  const std::vector<std::string> pieces = {
      Ru("ста"), Ru("ка"), Ru("на"), Ru("ми"), Ru("подъ"), Ru("езд"), Ru("ааа"), Ru("ьь"),
      Ru("стр"), "bul", "ga", "kov", " ", " ", "  ", "-", ",", ".", "&nbsp;", "&hellip;",
      "&laquo;", "&", ";", "&a b", "7", "\"", "\t", "\xB7", "\xAD", "?", "=", "/"};
  const std::vector<std::string> hyphs = {"-", "&shy;", "\xAD", "", "~", "a-b"};
  for (int round = 0; round < 4000; ++round) {
    std::string body;
    const int count = static_cast<int>(rng() % 40);
    for (int k = 0; k < count; ++k) body += pieces[rng() % pieces.size()];
    ActiveFontWidths widths;
    for (auto& width : widths.activeCharWidths) width = static_cast<std::uint8_t>(rng() % 4 == 0 ? 0 : rng() % 12);
    if (round % 3 == 0) widths = BuiltinActiveFontWidths();
    widths.hyphLineWidth = static_cast<int>(rng() % 60);
    const std::string& hyph = hyphs[rng() % hyphs.size()];
    const std::optional<std::string> expected = DirectHyphenateByWidth(body, widths, hyph);
    ASSERT_TRUE(expected) << "the direct rule does not end on: " << body;
    ASSERT_EQ(HyphenateByWidth(body, widths, hyph), *expected)
        << "body: " << body << " width: " << widths.hyphLineWidth << " hyph: " << hyph;
  }
}

TEST(HyphenateByWidth, RemovingTheMarksGivesBackTheInput) {
  std::mt19937 rng(99);
  const std::vector<std::string> words = {Ru("стаканами"), Ru("подъезды"), Ru("карманы"),
                                          Ru("раздельный"), Ru("и"), Ru("из-за"), "&nbsp;",
                                          Ru("стоимость,"), Ru("молоток.")};
  for (int round = 0; round < 300; ++round) {
    std::string body;
    for (int k = 0; k < 60; ++k) body += words[rng() % words.size()] + " ";
    ActiveFontWidths w = BuiltinActiveFontWidths();
    w.hyphLineWidth = 100 + static_cast<int>(rng() % 400);
    std::string marked = HyphenateByWidth(body, w, "&shy;");
    for (auto at = marked.find("&shy;"); at != std::string::npos; at = marked.find("&shy;", at))
      marked.erase(at, 5);
    ASSERT_EQ(marked, body);
  }
}

}  // namespace
}  // namespace norvella
