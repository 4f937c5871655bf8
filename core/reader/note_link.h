#pragma once

// Note links. A note in a document is a link whose address (or whose
// onclick text) is a small script: it opens a window and writes a little
// page into it whose body is the note. The program never runs a document's
// scripts; it reads the note out of the script and shows it itself, so
// notes keep working while the document's own scripts stay off. The file is
// not changed: an ordinary web browser still opens the note its own way.

#include <optional>
#include <string>
#include <string_view>

namespace norvella {

// The note a link shows, as markup in Windows-1251: what the link's script
// writes between <body> and </body> of the note page (all it writes when
// that has no body element). `href` and `onclick` are the link's attribute
// values as the page holds them, character references already decoded.
// The address counts only when it is a "javascript:" address; its percent
// escapes are decoded first, as a web browser does before running it. The
// onclick text is read when the address writes nothing. nullopt when
// neither writes anything: the link is no note link.
std::optional<std::string> NoteFromLink(std::string_view href, std::string_view onclick = {});

// The same for one script: the text of every document.write (or writeln)
// call whose arguments are string literals, joined, and then cut to its
// body. Calls with anything but literals (a variable, an expression) are
// skipped rather than guessed at.
std::optional<std::string> NoteFromScript(std::string_view script);

}  // namespace norvella
