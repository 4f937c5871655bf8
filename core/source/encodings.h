#pragma once

// Recognising and converting the encodings Russian books arrive in: the
// MS-DOS (CP866) and KOI8-R scores, their conversions to Windows-1251, and
// the recognition of Unicode texts (UTF-8, UTF-16 with a byte-order mark).

#include <cstddef>
#include <string>
#include <string_view>

namespace norvella {

// How many of the bytes 160, 161, 162, 167, 173, 160, 173, 149, 151, 175
// occur anywhere in the text, 160 and 173 counting twice: 0 to 10. These are
// frequent CP866 letters that Windows-1251 text rarely holds.
int DosScore(std::string_view text);

// Over the characters 1000 to 2000 (1-based, as far as the text goes): +1
// for each byte 192..223 and -1 for each byte 224..255. KOI8-R keeps its
// small letters where Windows-1251 has its capitals, so KOI8-R text scores
// high. A text shorter than 1000 characters scores 0.
int KoiScore(std::string_view text);

// The scores above which a text is taken for CP866 or KOI8-R.
inline constexpr int kDosScoreThreshold = 8;
inline constexpr int kKoiScoreThreshold = 300;

// CP866 ("OEM") to Windows-1251 ("ANSI"), every byte. Characters that
// Windows-1251 lacks (box drawing, shades, the square root) become the
// closest plain character ('+', '-', '|', '=', '#', 'v'); none becomes NUL.
std::string OemToAnsi(std::string_view text);
unsigned char OemToAnsiByte(unsigned char byte);

// KOI8-R to Windows-1251 restricted to the letters: the bytes 192..255 and
// the io letters (163 small, 179 capital); every other byte is kept.
std::string Koi8ToAnsi(std::string_view text);
unsigned char Koi8ToAnsiByte(unsigned char byte);

enum class UnicodeForm {
  kNone,     // not recognisably Unicode
  kUtf8,     // well-formed UTF-8 with at least one non-ASCII character
  kUtf8Bom,  // begins with the UTF-8 byte-order mark
  kUtf16Le,  // byte-order mark FF FE, well-formed UTF-16
  kUtf16Be,  // byte-order mark FE FF, well-formed UTF-16
};

// What the text is, for a load that detects its encoding. A text of ASCII
// only is kNone: it reads the same in every encoding.
UnicodeForm RecogniseUnicode(std::string_view text);

// Whether the bytes can be a text or HTML file: no NUL byte, which no file
// in a single-byte encoding or in UTF-8 holds, except in a UTF-16 file that
// carries its byte-order mark. Pictures, archives and programs hold them.
bool LooksLikeText(std::string_view bytes);

// Whether the bytes hold anything but white space and a byte-order mark
// (UTF-8 or UTF-16).
bool HoldsText(std::string_view bytes);

// What the text is taken for when the user says it is Unicode: UTF-16 when
// it carries a UTF-16 byte-order mark and its length is even, otherwise
// UTF-8 (kUtf8Bom when it carries that mark).
UnicodeForm ForcedUnicodeForm(std::string_view text);

// ISO-8859-5 and Mac Cyrillic to Windows-1251 through Unicode: characters
// Windows-1251 lacks become numeric character references ("&#1118;").
std::string Iso88595ToAnsi(std::string_view text);
std::string MacCyrillicToAnsi(std::string_view text);

// How the Cyrillic letters of a Windows-1251 text read as Russian: the
// share (0 to 1) that the ten most frequent Russian letters (о е а и н т с
// р в л, either case) take among all Cyrillic letters. Russian prose scores
// about a half; a text decoded in the wrong code page scores far lower.
// Counts the Cyrillic letters into *letters when given.
double CommonRussianShare(std::string_view text, std::size_t* letters = nullptr);

// The text in Windows-1251, its byte-order mark dropped; characters the
// code page lacks become numeric character references ("&#8594;"). Broken
// UTF-8 bytes are kept as they are. kNone returns the text unchanged.
std::string DecodeUnicode(std::string_view text, UnicodeForm form);

}  // namespace norvella
