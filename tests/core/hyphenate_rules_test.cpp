#include "core/convert/hyphenate.h"

#include <gtest/gtest.h>

#include "tests/support/hyph_support.h"

namespace norvella {
namespace {

using test::Ru;
using test::Utf;
using L = LetterClass;

L ClassOf(std::string_view utf8) { return CharClass(Ru(utf8)[0]); }

TEST(CharClass, LettersSignsHyphensAndTheRest) {
  EXPECT_EQ(CharClass('J'), L::Vowel);  // J counts as a vowel,
  EXPECT_EQ(CharClass('j'), L::Vowel);
  EXPECT_EQ(CharClass('Y'), L::Consonant);  // Y as a consonant
  EXPECT_EQ(CharClass('b'), L::Consonant);
  EXPECT_EQ(ClassOf("Й"), L::Consonant);
  EXPECT_EQ(ClassOf("й"), L::Consonant);
  EXPECT_EQ(ClassOf("Ё"), L::Vowel);
  EXPECT_EQ(ClassOf("ё"), L::Vowel);
  EXPECT_EQ(ClassOf("ы"), L::Vowel);
  EXPECT_EQ(ClassOf("Я"), L::Vowel);
  EXPECT_EQ(ClassOf("щ"), L::Consonant);
  EXPECT_EQ(ClassOf("Ъ"), L::Sign);
  EXPECT_EQ(ClassOf("ь"), L::Sign);
  EXPECT_EQ(CharClass('-'), L::Hyphen);
  EXPECT_EQ(CharClass('\xB7'), L::Hyphen);
  EXPECT_EQ(CharClass('\x96'), L::Other);  // the en dash is no hyphen
  EXPECT_EQ(CharClass('7'), L::Other);
  EXPECT_EQ(ClassOf("«"), L::Other);
  EXPECT_EQ(CharClass(' '), L::Other);
}

TEST(EntityCharFor, NamesInAnyCaseAndUnknownOnesAsAQuestionMark) {
  EXPECT_EQ(EntityCharFor("&NbSp"), ' ');
  EXPECT_EQ(EntityCharFor("&laquo"), '\xAB');
  EXPECT_EQ(EntityCharFor("&macr"), '\x97');  // measured as the em dash
  EXPECT_EQ(EntityCharFor("&micro"), 'i');
  EXPECT_EQ(EntityCharFor("&pound"), '?');
  EXPECT_EQ(EntityCharFor("&"), '?');
  EXPECT_EQ(EntityCharFor("&nbspnbsp"), '?');
}

TEST(CharWidthAt, AnEntityIsOneCharacterUpToItsSemicolonOrSpace) {
  const ActiveFontWidths& w = BuiltinActiveFontWidths();
  std::size_t pos = 0;
  EXPECT_EQ(CharWidthAt("&nbsp;x", pos, w), 5);
  EXPECT_EQ(pos, 6u);
  pos = 0;
  EXPECT_EQ(CharWidthAt("&nbsp x", pos, w), 5);
  EXPECT_EQ(pos, 6u);  // the closing space is part of the entity
  pos = 0;
  EXPECT_EQ(CharWidthAt("&laquo;", pos, w), 9);
  pos = 0;
  EXPECT_EQ(CharWidthAt("&Pound;", pos, w), 8);  // "?"
  pos = 0;
  EXPECT_EQ(CharWidthAt("&amp", pos, w), 11);
  EXPECT_EQ(pos, 4u);  // unterminated: to the end
  pos = 1;
  EXPECT_EQ(CharWidthAt("am", pos, w), 13);
  EXPECT_EQ(pos, 2u);
}

TEST(ExtractWord, TakesTrailingPunctuationButNotSpacesOrEntities) {
  const std::string text = Ru("один, два из-за&nbsp;");
  auto word = ExtractWord(text, 2);
  EXPECT_EQ(Utf(word.text), "один,");
  EXPECT_EQ(word.start, 0u);
  word = ExtractWord(text, 8);  // in "два"
  EXPECT_EQ(Utf(word.text), "два");
  EXPECT_EQ(word.start, 6u);
  word = ExtractWord(text, 11);  // "из" and its hyphen
  EXPECT_EQ(Utf(word.text), "из-");
  EXPECT_EQ(word.start, 10u);
  word = ExtractWord(text, 14);  // "за", up to the "&"
  EXPECT_EQ(Utf(word.text), "за");
  EXPECT_EQ(word.start, 13u);
  // Right after a delimiter the backward part is empty.
  word = ExtractWord(text, 5);
  EXPECT_EQ(word.text, "");
  EXPECT_EQ(word.start, 5u);
}

std::size_t Break(std::string_view utf8, std::size_t largest) {
  return FindBreakPoint(Ru(utf8), largest);
}

TEST(FindBreakPoint, RussianSyllableRules) {
  EXPECT_EQ(Break("карманы", 6), 3u);    // vowel consonant | consonant
  EXPECT_EQ(Break("стакана", 6), 3u);    // consonant vowel | consonant vowel
  EXPECT_EQ(Break("стоимость", 5), 3u);  // consonant vowel | vowel consonant
  EXPECT_EQ(Break("подъезды", 7), 4u);   // after the hard sign
  EXPECT_EQ(Break("молоток", 6), 0u);    // мо|лоток is too early, мол|оток no rule
}

TEST(FindBreakPoint, TheLatestBreakNotBeyondTheLargestPosition) {
  EXPECT_EQ(Break("стаканами", 8), 5u);  // стака|нами (at most n - 4)
  EXPECT_EQ(Break("стаканами", 4), 3u);  // ста|канами
  EXPECT_EQ(Break("стаканами", 2), 0u);
  EXPECT_EQ(Break("стаканами", 9), 0u);  // it fits
}

TEST(FindBreakPoint, FourCharactersStayAfterTheBreakCountingPunctuation) {
  EXPECT_EQ(Break("стакан", 5), 0u);
  EXPECT_EQ(Break("стакан,", 5), 3u);
}

TEST(FindBreakPoint, NoBreakBeforeAHyphen) {
  EXPECT_EQ(Break("кармами", 6), 3u);
  EXPECT_EQ(Break("карм-ами", 7), 0u);
  EXPECT_EQ(Break("карм\xC2\xB7" "ами", 7), 0u);  // the middle dot is a hyphen too
}

TEST(FindBreakPoint, NoBreakAfterADigitOrSymbolFromTheThirdCharacterOn) {
  EXPECT_EQ(Break("стоаканами", 6), 6u);
  EXPECT_EQ(Break("ст2аканами", 6), 0u);
  EXPECT_EQ(Break("стакан2ами", 9), 3u);  // a break before the digit is fine
  EXPECT_EQ(Break("«стаканами", 4), 4u);  // a leading quote does not count
}

std::string Shy(std::string_view utf8) { return Utf(ShyAllWords(Ru(utf8))); }

TEST(ShyAllWords, MarksEveryAllowedBreakOfWordsOfSevenOrMore) {
  EXPECT_EQ(Shy("стакана"), "ста&shy;кана");
  EXPECT_EQ(Shy("стакан"), "стакан");
  EXPECT_EQ(Shy("молоток"), "молоток");
  EXPECT_EQ(Shy("стаканами"), "ста&shy;ка&shy;нами");
  EXPECT_EQ(Shy("СТОИМОСТЬ"), "СТО&shy;ИМОСТЬ");
  EXPECT_EQ(Shy("подъезды"), "подъ&shy;езды");
  EXPECT_EQ(Shy("раздельный"), "раз&shy;дельный");
  EXPECT_EQ(Shy(" ,стакана, и\tкарманы."), " ,ста&shy;кана, и\tкар&shy;маны.");
}

TEST(ShyAllWords, LeavesMarkupAlone) {
  EXPECT_EQ(Shy("<i>стаканами</i> стаканами"), "<i>стаканами</i> ста&shy;ка&shy;нами");
  EXPECT_EQ(Shy("&nbsp;&nbsp;стакана&hellip;"), "&nbsp;&nbsp;ста&shy;кана&hellip;");
  // Words inside a tag are not text: a mark in a link would break it.
  EXPECT_EQ(Shy("<a href=\"http://lib.ru/bulgakov.txt\">x</a> bulgakov"),
            "<a href=\"http://lib.ru/bulgakov.txt\">x</a> bul&shy;gakov");
  // Nor is an entity name, however long.
  EXPECT_EQ(Shy("&thetasym; thetasym"), "&thetasym; the&shy;tasym");
}

}  // namespace
}  // namespace norvella
