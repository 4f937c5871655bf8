#pragma once

// What a saved document's markup carries for the reader: its title and
// author, the notes (links whose address writes the note into a small
// window) and the bookmark anchors. The markup is read as the browser
// serialises it and as the program first inserts it, so attribute values may
// be quoted, single-quoted or bare and may hold character references.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

struct PageNote {
  std::string text;    // the note as the window shows it; line breaks as "<br>"
  std::string anchor;  // the text the note is attached to
  bool operator==(const PageNote&) const = default;
};

// The text of the first <title> element and the content of the author meta
// tag; empty when missing. Character references are decoded.
std::string DocumentTitle(std::string_view text);
std::string DocumentAuthor(std::string_view text);

// Every note link (read as NoteFromLink reads it), in page order.
std::vector<PageNote> FindNotes(std::string_view body);
// The numbers of every anchor whose id and name are the same decimal
// number, in page order.
std::vector<std::int32_t> FindBookmarkAnchors(std::string_view body);

// Decodes character references in 8-bit text: the named ones the program
// writes and numeric ones the code page has. Others stay as they are.
std::string DecodeCharacterReferences(std::string_view text);
// Markup as text: tags dropped, "<br>" as the separator, references decoded.
std::string MarkupToText(std::string_view markup, std::string_view lineBreak);

}  // namespace norvella
