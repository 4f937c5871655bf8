#pragma once

// Inline markup inside text lines: underscores that mark italic, bracketed
// notes that become superscript, and the tidying of spaces, hyphens and
// empty paragraphs once the paragraphs are built.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

// "__ to italic": "_T_e_x_t" (an underscore before each letter) becomes
// "<i>Text</i>", closed before the next space, "!", ",", ".", ":" or "?".
void DetectItalic(WorkingList& list, StageContext& ctx);
// "Convert [text]": "text [12] more" becomes "text&nbsp;<sup>12</sup> more";
// the "]" may stand up to three lines further down.
void DetectUpperIndex(WorkingList& list, StageContext& ctx);
// Always: spaces around tags, runs of spaces and hyphens, and the deletion
// of empty lines and empty paragraphs.
void RemoveUnneededText(WorkingList& list, StageContext& ctx);

// While the pattern occurs in the text, deletes the character at the
// pattern's first occurrence + offset (0 = its first character). Only an
// offset inside the pattern ends; any other returns the text unchanged.
std::string DeleteCharAfterEach(std::string_view pattern, std::string text, std::size_t offset);

// The italic rule applied to one line, underscore by underscore.
std::string ItalicizeUnderscores(std::string_view line);

// The tidying of one line by RemoveUnneededText, repeated until nothing
// changes; `nbspRun` is "&nbsp;" times "Nimber of nbsp".
std::string TidyLine(std::string line, std::string_view nbspRun);

}  // namespace norvella
