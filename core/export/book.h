#pragma once

// The structure of a finished book, as the exporters write it: title,
// author and language, nested sections with their titles and epigraphs,
// paragraphs made of styled runs, quotes with their author lines, end notes
// and the cover picture. All text is UTF-8 and unescaped.

#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <vector>

namespace norvella {

enum BookStyle : std::uint8_t {
  kStyleItalic = 1,
  kStyleBold = 2,
  kStyleSup = 4,
  kStyleSub = 8,
};

// A stretch of text in one style. A run with a note index is the text of a
// link to that note (an index into BookStructure::notes).
struct BookRun {
  std::string text;
  std::uint8_t style = 0;
  int note = -1;

  bool operator==(const BookRun&) const = default;
};

struct BookParagraph {
  std::vector<BookRun> runs;

  bool empty() const { return runs.empty(); }
  // The text of every run, without styles.
  std::string PlainText() const;
  bool operator==(const BookParagraph&) const = default;
};

// An epigraph, or a quotation inside the text: its lines and the line(s)
// naming its author.
struct BookQuote {
  std::vector<BookParagraph> lines;
  std::vector<BookParagraph> authors;
};

struct BookBlock {
  enum class Kind { kParagraph, kQuote };
  Kind kind = Kind::kParagraph;
  BookParagraph paragraph;  // kParagraph
  BookQuote quote;          // kQuote
};

struct BookSection {
  int level = 0;  // the header level (1 to 6); 0 for the book's untitled opening
  std::vector<BookParagraph> title;
  std::vector<BookQuote> epigraphs;
  std::vector<BookBlock> blocks;
  std::vector<BookSection> children;

  // The title lines joined by spaces.
  std::string TitleText() const;
};

struct BookNote {
  std::vector<BookParagraph> body;
};

struct BookPicture {
  std::string bytes;
  std::string mediaType;  // image/png, image/jpeg or image/gif
  std::string extension;  // png, jpg or gif
};

struct BookStructure {
  std::string title;
  std::string author;
  std::string language = "ru";
  std::string genre = "prose_classic";
  // Text before the first header: its epigraphs are the book's own, its
  // other blocks an untitled opening. Its children are the top sections.
  BookSection body;
  std::vector<BookNote> notes;
  std::optional<BookPicture> cover;

  // A stable identifier derived from the text: the same book gives the same
  // identifier on every export ("urn:uuid:...", a name-based UUID).
  std::string Identifier() const;
};

// The book's identifier worked out beside the caller's own work (hashing a
// whole book's text takes about as long as writing a good part of it); on
// the caller's thread when no other can be had. The book must outlive it.
std::future<std::string> IdentifierInBackground(const BookStructure& book);

// The picture type of the bytes by their signature, or nothing when they
// are not a PNG, JPEG or GIF picture.
std::optional<BookPicture> RecognisePicture(std::string bytes);

// A personal name split for the FictionBook author fields: one word is a
// nickname; two are first and last name; three or more are first, middle
// (all words between) and last.
struct PersonName {
  std::string first, middle, last, nickname;
};
PersonName SplitPersonName(const std::string& name);

}  // namespace norvella
