#include "core/export/book_builder.h"

#include <gtest/gtest.h>

#include "core/convert/context.h"
#include "tests/support/hyph_support.h"

namespace norvella {
namespace {

using test::Ru;

// The frame the conversion puts around every body, with the title heading
// and a contents block.
std::string Document(const std::string& body) {
  return "<html><head><title>x</title></head><body>\n<a name=\"start000\"><h1>Title</h1></a>\n" + body +
         "\n</body></html>";
}

BookStructure Build(const std::string& body, BookInfo info = {}) { return BuildBookFromHtml(Document(body), info); }

std::string Text(const BookBlock& b) { return b.paragraph.PlainText(); }

TEST(BookBuilder, HeadersOfTwoLevelsNestAndTheContentsBlockIsLeftOut) {
  const BookStructure book = Build(
      "<h3><a href=\"#linktostr5\">Part one</a></h3>\n"
      "<blockquote><blockquote><h3><a href=\"#linktostr6\">I</a></h3></blockquote></blockquote>\n"
      "<div align=\"justify\">&nbsp;&nbsp;Before any header.</div>\n"
      "<h1 align=\"center\"><a name=\"linktostr5\"> Part one</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a></h1>\n"
      "<div align=\"justify\">&nbsp;&nbsp;Opening of the part.</div><hr size=\"0\">\n"
      "<h2><a name=\"linktostr6\">I</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a></h2>\n"
      "<div align=\"justify\">&nbsp;&nbsp;First.</div>\n"
      "<h2><a name=\"linktostr7\">II</a></h2>\n<div>Second.</div>\n"
      "<h1><a name=\"linktostr8\">Part two</a></h1>\n<div>Third.</div>");
  EXPECT_EQ(book.title, "Title");  // from the title heading, which makes no section
  ASSERT_EQ(book.body.blocks.size(), 1u);
  EXPECT_EQ(Text(book.body.blocks[0]), "Before any header.");
  ASSERT_EQ(book.body.children.size(), 2u);
  const BookSection& one = book.body.children[0];
  EXPECT_EQ(one.TitleText(), "Part one");  // without the link back to the top
  EXPECT_EQ(one.level, 1);
  ASSERT_EQ(one.blocks.size(), 1u);
  EXPECT_EQ(Text(one.blocks[0]), "Opening of the part.");
  ASSERT_EQ(one.children.size(), 2u);
  EXPECT_EQ(one.children[0].TitleText(), "I");
  EXPECT_EQ(Text(one.children[0].blocks[0]), "First.");
  EXPECT_EQ(one.children[1].TitleText(), "II");
  EXPECT_EQ(book.body.children[1].TitleText(), "Part two");
  EXPECT_TRUE(book.body.children[1].children.empty());
}

TEST(BookBuilder, HeaderWithoutTextMakesNoSectionAndBreaksSplitTitleLines) {
  const BookStructure book = Build("<h1> &nbsp; </h1><div>a</div><h2>Chapter<br>The Beginning</h2><div>b</div>");
  ASSERT_EQ(book.body.children.size(), 1u);
  const BookSection& s = book.body.children[0];
  ASSERT_EQ(s.title.size(), 2u);
  EXPECT_EQ(s.title[1].PlainText(), "The Beginning");
  EXPECT_EQ(Text(book.body.blocks[0]), "a");
}

TEST(BookBuilder, EpigraphAfterAHeaderKeepsItsAuthorLine) {
  const BookStructure book = Build(
      "<h1>One</h1>\n<blockquote><blockquote><blockquote><blockquote><blockquote><blockquote>"
      "<i>Line one line two</i><br>&nbsp;&nbsp;A. Author"
      "</blockquote></blockquote></blockquote></blockquote></blockquote></blockquote>\n"
      "<div>Text.</div>\n<blockquote>A quotation<br>&#8212; Somebody</blockquote><div>More.</div>");
  const BookSection& s = book.body.children.at(0);
  ASSERT_EQ(s.epigraphs.size(), 1u);
  const BookQuote& e = s.epigraphs[0];
  ASSERT_EQ(e.lines.size(), 1u);
  EXPECT_EQ(e.lines[0].runs, (std::vector<BookRun>{{"Line one line two", 0, -1}}));  // italic is the epigraph's
  ASSERT_EQ(e.authors.size(), 1u);
  EXPECT_EQ(e.authors[0].PlainText(), "A. Author");
  // Later in the section a quotation is a block of the text, its dashed
  // last line its author.
  ASSERT_EQ(s.blocks.size(), 3u);
  ASSERT_EQ(s.blocks[1].kind, BookBlock::Kind::kQuote);
  EXPECT_EQ(s.blocks[1].quote.authors.at(0).PlainText(), "\xE2\x80\x94 Somebody");
}

TEST(BookBuilder, EndNotesOfTheSourceEditorBecomeNotes) {
  const BookStructure book = Build(
      "<div>See <a href=\"#11~~22\" name=\"11~~22back\" id=\"Norvella~link\">here...</a> now.</div>\n"
      "<div>Unrelated <a href=\"#elsewhere\">link</a>.</div>\n"
      "<hr size=\"0\" id=\"norvella\"><a id=\"NorvellaEndlink\" name=\"11~~22\">The <i>note</i> body</a> "
      "<a href=\"#11~~22back\">[^^Back^^]</a>");
  ASSERT_EQ(book.notes.size(), 1u);
  EXPECT_EQ(book.notes[0].body.at(0).runs,
            (std::vector<BookRun>{{"The ", 0, -1}, {"note", kStyleItalic, -1}, {" body", 0, -1}}));
  ASSERT_EQ(book.body.blocks.size(), 2u);  // the end note is not text of the book
  EXPECT_EQ(book.body.blocks[0].paragraph.runs,
            (std::vector<BookRun>{{"See ", 0, -1}, {"here...", 0, 0}, {" now.", 0, -1}}));
  EXPECT_EQ(Text(book.body.blocks[1]), "Unrelated link.");
}

TEST(BookBuilder, TagSoupIsRepairedWithoutLosingText) {
  const BookStructure book = Build(
      "<div>plain <i>italic <b>both</div>\n<div>after</div>\n"
      "<div><b>x<i>y</b>z</i> <sup>1</sup>H<sub>2</sub>O</div>\n"
      "<p>open paragraph\n<p>another <font color=red>red <span>word</span></font>\n"
      "Text outside any paragraph.<script>alert(1)</script>");
  const auto& b = book.body.blocks;
  ASSERT_GE(b.size(), 5u);
  EXPECT_EQ(b[0].paragraph.runs, (std::vector<BookRun>{{"plain ", 0, -1},
                                                      {"italic ", kStyleItalic, -1},
                                                      {"both", kStyleItalic | kStyleBold, -1}}));
  // An unclosed tag does not run on into the next paragraph.
  EXPECT_EQ(b[1].paragraph.runs, (std::vector<BookRun>{{"after", 0, -1}}));
  EXPECT_EQ(Text(b[2]), "xyz 1H2O");
  EXPECT_EQ(b[2].paragraph.runs.at(0), (BookRun{"x", kStyleBold, -1}));
  EXPECT_EQ(b[2].paragraph.runs.back(), (BookRun{"O", 0, -1}));
  EXPECT_EQ(Text(b[3]), "open paragraph");
  std::string rest;
  for (std::size_t i = 4; i < b.size(); ++i) rest += Text(b[i]) + "|";
  EXPECT_EQ(rest, "another red word Text outside any paragraph.|");
}

TEST(BookBuilder, PropertiesAreReadAsHtmlAndCharacterReferencesResolved) {
  DocumentProperties doc;
  doc.title = Ru("\xC2\xAB\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0\xC2\xBB & \"peace\" &amp; more");
  doc.author = "  Lev   Tolstoy ";
  const BookStructure book =
      BuildBook({"<body>", "<div>Arrow &#8594; and &#x1F600;, &nbsp;&laquo;x&raquo; &amp;c</div>", "</body>"},
                doc, "file");
  EXPECT_EQ(book.title, "\xC2\xAB\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0\xC2\xBB & \"peace\" & more");
  EXPECT_EQ(book.author, "Lev Tolstoy");
  EXPECT_EQ(Text(book.body.blocks.at(0)),
            "Arrow \xE2\x86\x92 and \xF0\x9F\x98\x80, \xC2\xA0\xC2\xAB" "x\xC2\xBB &c");
  EXPECT_EQ(HtmlToPlainText("a < b & c"), "a < b & c");
}

TEST(BookBuilder, TitleFallsBackToTheFirstHeaderThenToTheFileName) {
  EXPECT_EQ(BuildBookFromHtml("<body><h1>Chapter</h1><p>x</p></body>", {}).title, "Chapter");
  BookInfo info;
  info.fallbackTitle = "book";
  EXPECT_EQ(BuildBookFromHtml("<body><p>x</p></body>", info).title, "book");
  EXPECT_EQ(BuildBookFromHtml("", {}).title, "?");
}

TEST(BookBuilder, LanguageIsRussianUnlessTheTextHoldsNoCyrillic) {
  EXPECT_EQ(Build("<p>\xD0\x94\xD0\xB0 and yes</p>").language, "ru");
  EXPECT_EQ(Build("<p>Plain English text</p>").language, "en");
}

TEST(BookBuilder, IdentifierFollowsTheText) {
  const BookStructure a = Build("<p>One</p>");
  EXPECT_EQ(a.Identifier(), Build("<p>One</p>").Identifier());
  EXPECT_NE(a.Identifier(), Build("<p>Two</p>").Identifier());
  EXPECT_EQ(a.Identifier().size(), 45u);
  EXPECT_EQ(a.Identifier().substr(0, 9), "urn:uuid:");
  EXPECT_EQ(a.Identifier()[23], '5');  // a name-based UUID

  // The identifier of a book already exported never changes: the SHA-1 of
  // the namespace line, title, author and text, as any SHA-1 gives it
  // (here over more than one block of the hash).
  BookStructure known;
  known.title = "Title";
  known.author = "Author";
  for (const std::string& text : {std::string("One"), std::string(1000, 'x')}) {
    BookBlock block;
    block.paragraph.runs.push_back({text});
    known.body.blocks.push_back(block);
  }
  EXPECT_EQ(known.Identifier(), "urn:uuid:de90e386-f390-5f5f-b5c2-00847a0752c5");
}

TEST(BookModel, NamesSplitIntoTheirParts) {
  const PersonName three = SplitPersonName("Lev Nikolaevich Tolstoy");
  EXPECT_EQ(three.first, "Lev");
  EXPECT_EQ(three.middle, "Nikolaevich");
  EXPECT_EQ(three.last, "Tolstoy");
  const PersonName two = SplitPersonName(" Anton  Chekhov");
  EXPECT_EQ(two.first + "|" + two.middle + "|" + two.last, "Anton||Chekhov");
  EXPECT_EQ(SplitPersonName("Pushkin").nickname, "Pushkin");
  EXPECT_EQ(SplitPersonName("A B C D").middle, "B C");
}

TEST(BookModel, PicturesAreRecognisedByTheirSignature) {
  EXPECT_EQ(RecognisePicture("\x89PNG\r\n\x1a\nrest")->mediaType, "image/png");
  EXPECT_EQ(RecognisePicture("\xFF\xD8\xFF\xE0")->extension, "jpg");
  EXPECT_EQ(RecognisePicture("GIF89a...")->mediaType, "image/gif");
  EXPECT_FALSE(RecognisePicture("<svg/>"));
  EXPECT_FALSE(RecognisePicture(""));
}

}  // namespace
}  // namespace norvella
