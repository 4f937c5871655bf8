#pragma once

#include <string>
#include <vector>

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

// The first stage: splits the source lines, whatever mixture of text and
// HTML they hold, into the working list of one item per tag (tagged 1), per
// run of text (0) and per comment (101). Tags are normalised: spaces before
// a "<" removed, runs of spaces reduced to one, lower case. An inline
// closing tag (</i>, </b>, ...) stays at the start of the text after it.
WorkingList SimplifyHtml(std::vector<std::string> source, StageContext& ctx);

// The normalised form of one tag.
std::string NormaliseTag(std::string_view tag);

}  // namespace norvella
