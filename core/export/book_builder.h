#pragma once

// Reads a converted document into the structure of a book. The document is
// parsed by an HTML parser that repairs tag soup (unclosed and misnested
// inline tags survive from old sources) into a tree, and the tree is read
// for what the conversion put there: the title heading, the headers with
// their levels, the contents block (left out: readers build their own from
// the sections), paragraphs, epigraphs with their author line, italic,
// bold, upper and lower index, and the end notes the source editor inserts.

#include <string>
#include <string_view>
#include <vector>

#include "core/export/book.h"

namespace norvella {

struct DocumentProperties;

struct BookInfo {
  std::string title;   // UTF-8; empty: the title heading or the first header
  std::string author;  // UTF-8
  std::string fallbackTitle;  // when the document has no title at all
};

// The text of a piece of HTML as a reader sees it: character references
// resolved, tags left out, white space collapsed and trimmed. Document
// properties are written into the document as HTML, so they are read back
// this way.
std::string HtmlToPlainText(std::string_view html);

// The book of an HTML document given as UTF-8.
BookStructure BuildBookFromHtml(std::string_view html, const BookInfo& info);

// The book of a finished working list (Windows-1251 lines) with the
// document's properties.
BookStructure BuildBook(const std::vector<std::string>& lines, const DocumentProperties& document,
               const std::string& fallbackTitle);

}  // namespace norvella
