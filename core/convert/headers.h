#pragma once

// Chapter titles and epigraphs in plain text. Both stages run before the
// paragraphs are built and tag the lines they make as finished, so the
// paragraph stages leave them alone.

#include <string_view>

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

// "Detect headers": wraps a line in the header tags when blank lines frame
// it, or when it follows an empty line and looks like a centred, isolated or
// numbered title.
void DetectHeaders(WorkingList& list, StageContext& ctx);

// "Detect Epigraphs": a short block of short lines right after a header is
// set in italics inside the epigraph tags, its last line (the author) on a
// line of its own.
void DetectEpigraphs(WorkingList& list, StageContext& ctx);

// The first character that is not a space; a space when there is none.
char FirstNonSpaceChar(std::string_view line);

// Whether a line reads like the signature under a quotation: it starts
// (after its leading spaces) with a hyphen or an en dash, or it is longer
// than two characters and starts with a digit followed by a space, ")",
// "-", "." or ";".
bool IsAuthorLine(std::string_view line);

}  // namespace norvella
