// Hyphenation of one paragraph body, by predicted line ends and by soft
// hyphens at every allowed break.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/fonts/font_widths.h"
#include "core/convert/hyphenate.h"
#include "fuzz/fuzz_input.h"

using namespace norvella;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const bool everyBreak = in.Bit();
  const std::string hyphString = in.Bit() ? "-" : (in.Bit() ? "" : "&shy;");
  ActiveFontWidths widths = BuiltinActiveFontWidths();
  if (in.Bit()) widths.hyphLineWidth = in.Byte();
  const std::string body(in.Rest());
  const std::string out = everyBreak ? ShyAllWords(body) : HyphenateByWidth(body, widths, hyphString);
  (void)out;
  return 0;
}
