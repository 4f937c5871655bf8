#pragma once

// Conversion between the core's Windows-1251 text and Unicode (UTF-8) at
// the program's edges.

#include <cstdint>
#include <string>
#include <string_view>

namespace norvella {

// The Unicode code point of a Windows-1251 byte (0x98, unassigned, maps to
// U+0098 so that every byte survives a round trip).
char32_t Cp1251ToUnicode(unsigned char byte);
// The Windows-1251 byte of a code point, or -1 when the code page lacks it.
int UnicodeToCp1251(char32_t code);

std::string Cp1251ToUtf8(std::string_view text);
// The same appended to `out`, so that many pieces can go into one string.
// A byte takes at most kMaxUtf8PerCp1251 bytes in UTF-8.
void AppendCp1251AsUtf8(std::string& out, std::string_view text);
inline constexpr std::size_t kMaxUtf8PerCp1251 = 3;

// Decodes UTF-8 into Windows-1251. A character the code page lacks becomes
// an HTML numeric character reference ("&#8594;"), so nothing is lost.
// Returns false (with `out` holding what was decoded up to the fault) when
// the text is not valid UTF-8.
bool Utf8ToCp1251(std::string_view text, std::string& out);

// Whether the text is well-formed UTF-8 (shortest forms, no surrogates).
bool IsValidUtf8(std::string_view text);

// Decodes the UTF-8 sequence at text[at]; returns its length, or 0 when it
// is not well-formed.
std::size_t DecodeUtf8At(std::string_view text, std::size_t at, char32_t& code);
// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t code);
// Decodes UTF-8 like Utf8ToCp1251 but never fails: a byte that does not
// begin a well-formed sequence is kept as the Windows-1251 byte it is, so a
// text that is only mostly UTF-8 still loses nothing.
std::string Utf8ToCp1251Lenient(std::string_view text);

// Decodes UTF-16 (without its byte-order mark) into Windows-1251 with
// numeric character references for what the code page lacks. An unpaired
// surrogate or a final odd byte becomes U+FFFD.
std::string Utf16ToCp1251(std::string_view text, bool bigEndian);

// Whether the text is well-formed UTF-16 of even length (every surrogate
// paired).
bool IsValidUtf16(std::string_view text, bool bigEndian);

}  // namespace norvella
