#pragma once

// The three text-style presets and the automatic choice between them.

#include <string_view>

namespace norvella {

class Options;

enum TextStyle : int {
  kStyleFixedWidth = 0,    // fixed width text
  kStyleLinePerParagraph = 1,  // one line per paragraph
  kStyleHtml = 2,          // HTML tags break text into paragraphs
};

// Sets the paragraph options of the preset through their setters.
void ApplyTextStyle(Options& options, int style);

// Guesses the style of a whole file text from a sample of its lines.
int DetectTextStyle(std::string_view text);

}  // namespace norvella
