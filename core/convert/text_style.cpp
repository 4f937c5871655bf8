#include "core/convert/text_style.h"

#include <string>

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {

void ApplyTextStyle(Options& options, int style) {
  struct Preset {
    int longMin;
    int shortMax;
    bool paragraphStarts;  // spaces at start, dialogue dashes, empty lines
  };
  static constexpr Preset kPresets[] = {
      {81, 0, true},
      {80, 81, true},
      {kLengthOff, 0, false},
  };
  if (style < 0 || style > 2) return;
  const Preset& p = kPresets[style];
  options.SetNumber(Opt::LongStringsMin, p.longMin);
  options.SetNumber(Opt::ShortStringsMax, p.shortMax);
  options.SetFlag(Opt::SpacesAtStartToDiv, p.paragraphStarts);
  options.SetFlag(Opt::DialogsToDiv, p.paragraphStarts);
  options.SetFlag(Opt::EmptyLineToDiv, p.paragraphStarts);
}

int DetectTextStyle(std::string_view text) {
  if (text.size() < 2000) return kStyleFixedWidth;
  const std::size_t n = text.size() < 10000 ? text.size() - 1 : 10000;
  std::vector<std::string> lines = SplitLines(text.substr(1999, n - 2000));
  if (lines.empty()) return kStyleFixedWidth;
  lines.erase(lines.begin());  // usually cut in the middle
  if (lines.size() < 5) return kStyleFixedWidth;
  lines.pop_back();

  long long fixed = 0, longLines = 0, html = 0;
  for (const std::string& raw : lines) {
    const std::string line = LowerCase(raw);
    if (!line.empty() && line.front() == ' ') ++fixed;
    if (line.size() == 80 || line.size() == 76) ++fixed;
    if (line.empty()) ++fixed;
    if (line.size() > 80) ++longLines;
    if (Contains(line, "<br>") || Contains(line, "<p") || Contains(line, "<div")) ++html;
  }
  fixed = RoundHalfEven(static_cast<double>(fixed) / 1.3);
  if (html > fixed && html > longLines) return kStyleHtml;
  if (fixed <= html) return kStyleLinePerParagraph;
  if (fixed <= longLines) return kStyleLinePerParagraph;
  return kStyleFixedWidth;
}

}  // namespace norvella
