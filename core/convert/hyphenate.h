#pragma once

// Hyphenation of finished paragraphs. The reader device wraps paragraphs
// itself and never hyphenates, so the last stage predicts where it will end
// each line, from the character widths of its font and the line width, and
// puts the "Hyph string" into the one word that straddles each predicted
// line end. With the pseudo-font "totaly &shy;" it instead puts "&shy;" at
// every allowed break of every word of 7 or more characters, and leaves the
// wrapping to the device.
//
// Breaks follow simple Russian syllable rules over letter classes; see
// `BreakAllowed`. Positions in this interface are 0-based; "the k-th
// character of a word" and a break "after k" count from 1, so a break after
// k lies between word[k - 1] and word[k].

#include <cstddef>
#include <string>
#include <string_view>

#include "core/convert/context.h"
#include "core/convert/working_list.h"
#include "core/fonts/font_widths.h"

namespace norvella {

enum class LetterClass { Vowel, Consonant, Sign, Hyphen, Other };

// The letter class of a Windows-1251 byte. "J" counts as a vowel, "Y" and
// "Й" as consonants, "Ъ" and "Ь" are signs, "-" and 0xB7 hyphens.
LetterClass CharClass(char c);

// Word delimiters: tab, line feed, carriage return, space and ! & , - . / : ; = ?
bool IsWordDelimiter(char c);

// The character an entity is measured as. `name` runs from the "&" up to,
// not including, the ";" or space that ends it ("&nbsp"); letter case does
// not matter. Unknown names are measured as "?".
char EntityCharFor(std::string_view name);

// The width of the character or entity at `pos`, moving `pos` past it (past
// an entity's closing ";" or space, or to the end when it has none).
int CharWidthAt(std::string_view text, std::size_t& pos, const ActiveFontWidths& widths);

struct ExtractedWord {
  std::string text;
  std::size_t start = 0;
};

// The word around the boundary before `next`: backward from next - 1 down
// to the first delimiter (not included), forward from `next` up to the first
// delimiter, which is appended when it is one of ! , - . / : ; = ? (not a
// space, tab, line break or "&").
ExtractedWord ExtractWord(std::string_view text, std::size_t next);

// Whether a word of the classes a b | c d may break between b and c:
// vowel consonant | consonant (d not a hyphen); consonant vowel | consonant
// vowel; consonant vowel | vowel consonant; or b a sign (c not a hyphen).
bool BreakAllowed(LetterClass a, LetterClass b, LetterClass c, LetterClass d);
// The same for a break after the k-th character of a word; false unless at
// least three characters stay before the break and four after it.
bool BreakAllowedAfter(std::string_view word, std::size_t k);

// The break after the k-th character closest to, and not beyond, `largest`,
// or 0. A word that fits (`largest` characters or fewer) is not broken, nor
// is one with a digit or symbol before the break point (from its third
// character on: a leading quote or bracket does not count).
std::size_t FindBreakPoint(std::string_view word, std::size_t largest);

// A paragraph body with `hyphString` inserted inside every word that
// straddles a predicted line end. The inserted text is not measured.
std::string HyphenateByWidth(std::string_view body, const ActiveFontWidths& widths,
                             std::string_view hyphString);

// A paragraph body with "&shy;" at every allowed break of every word of 7 or
// more characters. Words touching markup ("&", "<", ">"), words inside a tag
// and entity names are left alone.
std::string ShyAllWords(std::string_view body);

// The stage ("Hyphenate"): hyphenates the body of every <div> or <p>
// paragraph line between the document head and the last line.
void HyphenateParagraphs(WorkingList& list, StageContext& ctx);

}  // namespace norvella
