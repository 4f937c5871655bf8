#pragma once

// The fixed frame of every converted document and the text that is written
// to the preview file and to saved files.

#include <string>
#include <vector>

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

// Stage run right after the split: removes everything up to the first
// "<body" and from the last "</body>" on, and puts the header, the title
// block and the end around the body, all as finished lines.
void AddDocumentFrame(WorkingList& list, StageContext& ctx);

// Stage near the end: the closing comment before the last line, when the
// document has one.
void AddClosingComment(WorkingList& list, StageContext& ctx);

// The text of a finished working list: its lines joined with line breaks,
// with the credit footer (and the hyphenation notice when "Hyphenate" is on)
// before the last "</body>".
std::string ComposeDocument(const std::vector<std::string>& lines, const Options& options,
                            const HtmlTemplates& templates);

}  // namespace norvella
