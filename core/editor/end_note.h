#pragma once

// End notes written into the source by "Insert comment": a link in the
// text that points at a note at the end of the document, and the note
// pointing back at the link. Both carry the same identifier, two random
// numbers joined by "~~"; the ids "Norvella~link" and "NorvellaEndlink" mark
// the two anchors, and the rule before the note is one the conversion keeps.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace norvella {

class Options;
class StringTable;

// A random number from 0 to 2147483646.
using EndNoteRandom = std::function<int()>;
// The program's own source of them.
EndNoteRandom DefaultEndNoteRandom();

std::string NewEndNoteId(const EndNoteRandom& random);

// The message that stops the command while "KillLinks" is on (the
// conversion would remove the link again), or nothing.
std::optional<std::string> EndNoteRefusal(const Options& options, const StringTable& strings);

// The title the dialog proposes: the first 10 characters of the selection
// and "...". A character reference ("&#8594;", how a character the code
// page lacks reaches the core) counts as one character and is never cut.
std::string EndNoteTitle(std::string_view selection);

struct EndNote {
  std::string link;  // replaces the selection; the editor selects all of it
  std::string note;  // a line of its own near the end of the document
  // The index of the line the note goes in front of; the line count when it
  // becomes the last line.
  std::size_t noteLine = 0;
};

// `lineCount` and `lastLine` describe the editor's text; a document that
// ends with "</body></html>" on its last line gets the note two lines above
// the end, anything else at the end.
EndNote MakeEndNote(std::string_view id, std::string_view title, std::string_view body, std::size_t lineCount,
                    std::string_view lastLine);

}  // namespace norvella
