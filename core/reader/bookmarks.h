#pragma once

// Notes and bookmarks as text: the bookmark number and the proposed name,
// the keeping of the bookmark list, a note's text from the lines the user
// typed, and the markup both put into the page. All text is 8-bit.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/reader/reader_markers.h"

namespace norvella {

struct HtmlTemplates;

// The longest name a proposal puts into the name dialog, and the most the
// user can type there.
inline constexpr std::size_t kProposedNameLength = 50;
inline constexpr std::size_t kTypedNameLength = 40;

// Gives a number from 0 to 19; tests pass a fixed sequence.
using BookmarkRandom = std::function<int()>;
// The program's source, seeded once from the system.
BookmarkRandom DefaultBookmarkRandom();

// The reading position plus 0..19 from the random source, so that two
// bookmarks made at one place differ while the numbers still sort by place.
// Stays within the 32-bit range at the very end of a page.
std::int32_t BookmarkNumber(std::int32_t position, const BookmarkRandom& random);

// Inserts before the first bookmark whose number is greater than or equal
// to the new one, or at the end; returns the index it took.
std::size_t InsertBookmarkSorted(std::vector<Bookmark>& list, Bookmark bookmark);

// The selection's markup as a name: no line breaks, no tags, no "&nbsp;" or
// "&shy;" entities and no soft hyphens.
std::string BookmarkNameFromSelection(std::string_view html);

// A name as the bookmarks block can hold it: a ">" that would end the name
// (after a double quote) or the comment (after "--" or "--!") becomes the
// single right angle quote, which looks alike, and the "<" of a "<!--"
// becomes the single left angle quote. Unchanged when it is safe.
std::string StorableBookmarkName(std::string_view name);

// A note's text from the lines typed: apostrophes become "&rsquo;", double
// quotes "&quot;", lines are joined by "<br>".
std::string NoteTextFromLines(const std::vector<std::string>& lines);

// Plain text as markup that shows it as it is ("<", ">", "&" as entities).
std::string EscapeHtmlText(std::string_view text);

// The note link for the page: Scriptcode1 + note + Scriptcode2 + the
// selected text as markup (EscapeHtmlText) + Scriptcode3.
std::string NoteMarkup(const HtmlTemplates& templates, std::string_view note,
                       std::string_view selectedMarkup);
// The bookmark anchor around the selected markup.
std::string BookmarkMarkup(const HtmlTemplates& templates, std::int32_t number,
                           std::string_view selectedHtml);

}  // namespace norvella
