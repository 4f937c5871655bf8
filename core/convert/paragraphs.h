#pragma once

// Paragraph building. The first stage gathers the blocks the source already
// marks with HTML (<p>, <div>, <center>, <blockquote>, <h1>..<h5>, runs of
// lines ended by <br>) onto one line each and frames them in the paragraph
// tags; the second joins plain text lines into paragraphs by their length,
// indentation, leading dashes, blank lines and sentence ends. Lines tagged
// 100 (headers, epigraphs, the document frame) are not handled again, and no
// plain text is ever joined with a finished line, a protected comment or the
// last line of the list, the document end.

#include <string>
#include <string_view>

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

void DetectExistingParagraphs(WorkingList& list, StageContext& ctx);  // "Detecting already paragraphs"
void CreateParagraphs(WorkingList& list, StageContext& ctx);          // "Detecting paragraphs"

// The configured paragraph tags: "Paragraph start tag" (or
// <div align="justify"> when it is empty), "Paragraph end tag" and the run of
// "Nimber of nbsp" "&nbsp;" that follows the opening tag.
struct ParagraphTags {
  std::string open;
  std::string close;
  std::string nbsp;

  static ParagraphTags From(const Options& options);

  // The text as a paragraph: every run of spaces reduced to one space, one
  // leading space dropped, framed by the tags with the "&nbsp;" run after the
  // opening tag.
  std::string Make(std::string_view text) const;
};

// Whether the line's last character ends a sentence: ! . : ?, the plain
// double quote, the closing guillemet (0xBB, which the quote stage makes of
// a closing double quote before paragraphs are built, and which books in
// UTF-8 bring themselves) or the ellipsis character (0x85, the three points
// as one character). A comma, a semicolon or a bracket does not.
bool EndsSentence(std::string_view line);

}  // namespace norvella
