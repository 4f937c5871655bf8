#pragma once

// Helpers for the hyphenation tests: Russian text written as UTF-8 in the
// test sources, and a width table that makes the arithmetic easy to follow.

#include <string>
#include <string_view>

#include "core/base/cp1251.h"
#include "core/fonts/font_widths.h"

namespace norvella::test {

// The Windows-1251 form of a UTF-8 literal.
inline std::string Ru(std::string_view utf8) {
  std::string out;
  Utf8ToCp1251(utf8, out);
  return out;
}

// The UTF-8 form of a Windows-1251 text, for readable failure messages.
inline std::string Utf(std::string_view cp1251) { return Cp1251ToUtf8(cp1251); }

// Every character one pixel wide, so a line holds `lineWidth` characters.
inline ActiveFontWidths UniformWidths(int lineWidth) {
  ActiveFontWidths widths;
  widths.activeCharWidths.fill(1);
  widths.hyphLineWidth = lineWidth;
  return widths;
}

}  // namespace norvella::test
