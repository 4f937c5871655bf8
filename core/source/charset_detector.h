#pragma once

// A second opinion on the encoding of a single-byte text, asked when the
// byte scores of the load take a text for Windows-1251. The detector linked
// into the program is a statistical charset detector; tests put their own
// in its place.

#include <string>
#include <string_view>

namespace norvella {

// The Cyrillic single-byte encodings a second opinion may name.
enum class CyrillicCharset {
  kUnknown,  // anything else, Windows-1251 included
  kCp866,
  kKoi8r,
  kIso88595,
  kMacCyrillic,
};

class CharsetDetector {
 public:
  virtual ~CharsetDetector() = default;
  // The detector's name for the encoding of the whole text ("KOI8-R",
  // "IBM866", ...); empty when it has no opinion.
  virtual std::string Detect(std::string_view text) const = 0;
};

// The statistical detector linked into the program.
const CharsetDetector& SystemCharsetDetector();

// The charset a detector's name stands for, letter case ignored.
CyrillicCharset CharsetOfName(std::string_view name);

}  // namespace norvella
