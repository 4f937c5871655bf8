#pragma once

// Stripping of office-program markup: <span> and <font> tags and the style
// and class attributes of every tag.

#include <string>

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

void RemoveSpanTags(WorkingList& list, StageContext& ctx);          // "Kill span tags"
void RemoveFontTags(WorkingList& list, StageContext& ctx);          // "Kill font tags"
void RemoveStylesAndClasses(WorkingList& list, StageContext& ctx);  // "Kill styles and classes"

// Removes the attribute whose name starts at `at`: the name, the "=", any
// spaces, and the value up to its closing quote (or the next space when it
// is unquoted), keeping the tag's ">" in every case.
void RemoveAttribute(std::string& line, std::size_t at);

}  // namespace norvella
