#pragma once

// Small helpers for 8-bit Windows-1251 text, the encoding every line inside
// the core is kept in.

#include <string>
#include <string_view>
#include <vector>

namespace norvella {

// Lower and upper case of one Windows-1251 byte: ASCII letters, the Cyrillic
// block 0xC0..0xFF and the io letters (0xA8/0xB8).
char LowerChar(char c);
char UpperChar(char c);
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);

bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
bool Contains(std::string_view s, std::string_view needle);
// True when the text is empty or holds only spaces.
bool IsBlank(std::string_view s);

// Splits a text into lines the way a text list does: a line ends at CR LF,
// at a lone LF or at a lone CR; a final line break does not start a new line.
std::vector<std::string> SplitLines(std::string_view text);
// Joins lines with CR LF after each one.
std::string JoinLines(const std::vector<std::string>& lines);

// Round half to even, as the conversion's percentages and the style
// detection require.
long long RoundHalfEven(double value);
// round(index / count * 100), 0 when count is 0.
int Percent(std::size_t index, std::size_t count);

}  // namespace norvella
