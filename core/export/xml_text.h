#pragma once

// Text for XML documents: escaping, and dropping what XML cannot hold.

#include <string>
#include <string_view>

namespace norvella {

// Appends UTF-8 text with &, < and > escaped (and " in attribute values).
// Control characters other than tab and line feed, which XML 1.0 cannot
// hold, are left out.
void AppendXmlEscaped(std::string& out, std::string_view text, bool attribute = false);
std::string XmlEscaped(std::string_view text, bool attribute = false);

}  // namespace norvella

#include <functional>
#include <vector>

#include "core/export/book.h"

namespace norvella {

// The element names of the run styles in one output format.
struct InlineTags {
  std::string_view italic, bold, sup, sub;
};

// Appends styled runs as nested elements; a note run's text goes inside the
// element that `noteOpen` opens for its note, closed by `noteClose`.
void AppendRuns(std::string& out, const std::vector<BookRun>& runs, const InlineTags& tags,
                const std::function<std::string(int note)>& noteOpen, std::string_view noteClose);

}  // namespace norvella
