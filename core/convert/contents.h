#pragma once

// The late structure stages: zero-height rules before headers (the Rocket
// eBook starts a new page at a rule) and the hyperlinked table of contents.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

// The program's own rule, which starts the end notes the editor writes; the
// rule stage keeps it.
inline constexpr std::string_view kMarkerRule = "<hr size=\"0\" id=\"norvella\">";
inline constexpr std::string_view kPageRule = "<hr size=\"0\">";

// "Insert <hr>": removes every other rule and puts a zero-height rule at the
// end of the line before each header.
void InsertPageRules(WorkingList& list, StageContext& ctx);

// Inserts the book title as the top heading (anchor "start000") and, with
// "Create table of content" on, gives every header an anchor and a link back
// to the top and inserts the contents entries from line 5 on, after the
// user has confirmed them when "Confirm table of content" is on.
void CreateContents(WorkingList& list, StageContext& ctx);

// What removing rules from a line left.
enum class RuleRemoval {
  kNoRule,     // the line holds no rule (any more)
  kMarker,     // stopped at the program's own rule; the line is skipped
};

// Removes the rule tags from a line as deleting the first "<hr" up to the
// next ">" (or the end of the line) over and over would, stopping as soon as
// the line holds the program's own rule. One pass over the line.
RuleRemoval RemoveRules(std::string& line);

// The position of the first "<h1" of the line or, when there is none, of
// the first "<h2", and so on to "<h6"; npos when there is none.
std::size_t FindHeaderTag(std::string_view line);

// The contents text of a header whose tag starts at `tagAt`: the text after
// the opening tag up to the next "<" (none when there is no "<"; the line's
// last character is not looked at), without leading spaces and "&nbsp;".
std::string ContentsEntryText(std::string_view line, std::size_t tagAt);

// Deletes every "&nbsp;", also those that form when one is deleted.
std::string DeleteNbsp(std::string_view text);

// The level of a header line: the digit after its first "<h", or the level
// of the tag at `tagAt` when that is not a digit (a rule before the header).
int HeaderLevel(std::string_view line, std::size_t tagAt);

}  // namespace norvella
