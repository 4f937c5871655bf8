#pragma once

// Typewriter punctuation replaced by the typographic characters of
// Windows-1251, as Russian books are set: straight double quotes by
// guillemets, hyphens next to a space by dashes, three points by the
// ellipsis character.

#include <string>
#include <string_view>

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

inline constexpr char kLeftGuillemet = '\xAB';   // «
inline constexpr char kRightGuillemet = '\xBB';  // »
inline constexpr char kDash = '\x96';            // –
inline constexpr char kEllipsis = '\x85';        // …

void ConvertQuotes(WorkingList& list, StageContext& ctx);    // "Convert Qoutes"
void ConvertDashes(WorkingList& list, StageContext& ctx);    // "Convert Defis"
void ConvertEllipses(WorkingList& list, StageContext& ctx);  // "Convert tree points"

// The rules for one line. A quote after a space, "-", "(" or ";" opens; one
// before a space, "<", "&", ".", ",", ";", ":", "?", "!", ")" or "-" closes;
// the opening rules go first.
std::string QuotesInLine(std::string line);
// `nbspRun` is "&nbsp;" times "Nimber of nbsp": the space after a dash that
// follows it becomes "&nbsp;".
std::string DashesInLine(std::string line, std::string_view nbspRun);
std::string EllipsesInLine(std::string_view line);

}  // namespace norvella
