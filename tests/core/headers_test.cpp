#include "core/convert/headers.h"

#include <gtest/gtest.h>

#include "core/base/text.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::TestContext;

// A framed document: two head lines, the body, `pad` lines of text and the
// end line. Body lines that start with "<h" are finished headers, other
// lines that start with "<" tags.
WorkingList Book(const std::vector<std::string>& body, std::size_t pad = 6) {
  std::vector<Line> lines = {{"<head>", 100}, {"<title>", 100}};
  for (const auto& text : body)
    lines.push_back({text, StartsWith(text, "<h") ? 100 : StartsWith(text, "<") ? 1 : 0});
  for (std::size_t k = 0; k < pad; ++k) lines.push_back({"z", 0});
  lines.push_back({"</body></html>", 100});
  return WorkingList(std::move(lines));
}

std::vector<std::string> Headers(const std::vector<std::string>& body, TestContext& t) {
  WorkingList list = Book(body);
  DetectHeaders(list, t.ctx);
  std::vector<std::string> out;
  for (const Line& line : list.lines())
    if (line.tag == 100 && StartsWith(line.text, "<h1")) out.push_back(line.text);
  return out;
}

TEST(DetectHeaders, ABlankFrameMakesAHeaderAndTheBlankLinesAboveGo) {
  TestContext t;
  WorkingList list = Book({"text", "", "   ", "", "Title", "", "more"});
  DetectHeaders(list, t.ctx);
  EXPECT_EQ(list[3], (Line{"<h1 align=\"center\">Title</h1>", 100}));
  EXPECT_EQ(list.text(2), "text");
  EXPECT_EQ(list.text(4), "");
  EXPECT_EQ(t.observer.tasks, std::vector<std::string>{"CurrentTask: Detecting headers"});
}

TEST(DetectHeaders, TitlesAfterAnEmptyLine) {
  TestContext t;
  const std::string h = "<h1 align=\"center\">";
  // Centred (eight spaces), isolated by two empty lines, or numbered.
  EXPECT_EQ(Headers({"a", "", "        Centred", "", "b"}, t),
            std::vector<std::string>{h + "        Centred</h1>"});
  EXPECT_EQ(Headers({"a", "", "Alone", "", "", "b"}, t), std::vector<std::string>{h + "Alone</h1>"});
  for (const char* numbered : {"IV", "XII", "L", "M", "  V", "12. Chapter", "- 3 -"})
    EXPECT_EQ(Headers({"a", "", numbered, "", "b"}, t).size(), 1u) << numbered;
  // C and D are Roman numerals too, but start too many ordinary lines.
  for (const char* plain : {"C", "D", "iv", "       Seven spaces", "Para"})
    EXPECT_TRUE(Headers({"a", "", plain, "", "b"}, t).empty()) << plain;
}

TEST(DetectHeaders, TheEmptyLineRulesNeedEmptyNotBlankLines) {
  TestContext t;
  EXPECT_TRUE(Headers({"a", " ", "IV", "", "b"}, t).empty());
  EXPECT_TRUE(Headers({"a", "", "IV", " ", "b"}, t).empty());
  EXPECT_TRUE(Headers({"a", "", "Alone", "", " ", "b"}, t).empty());
}

TEST(DetectHeaders, TagsAndOption) {
  TestContext t;
  // An empty start tag means <h1>, whatever the close tag holds.
  t.options.SetText(Opt::HeadStartTag, "");
  t.options.StoreText(Opt::HeadCloseTag, "</h2>");
  EXPECT_EQ(Headers({"a", "", "IV", "", "b"}, t), std::vector<std::string>{"<h1>IV</h1>"});
  // Only text lines become headers.
  WorkingList list = Book({"", "", "<p>", ""});
  DetectHeaders(list, t.ctx);
  EXPECT_EQ(list[4], (Line{"<p>", kTagHtml}));

  TestContext off;
  off.options.SetFlag(Opt::DetectHeaders, false);
  EXPECT_TRUE(Headers({"a", "", "IV", "", "b"}, off).empty());
  EXPECT_TRUE(off.observer.tasks.empty());
}

// In books with one line per paragraph, blank-line runs stand around
// ordinary paragraphs too; a line longer than "Londg strings min" used to
// become a "chapter title" with a contents entry and a page break.
TEST(DetectHeaders, LongParagraphsAreNotTakenForChapterTitles) {
  TestContext t;
  const std::string limit(80, 'x');
  const std::string longer = limit + "y";
  const std::string numbered = "1" + std::string(80, ' ');
  for (const std::string& line : {longer, numbered, "        " + limit}) {
    EXPECT_TRUE(Headers({"a", "", "", line, "", "b"}, t).empty()) << line;  // blank frame
    EXPECT_TRUE(Headers({"a", "", line, "", "", "b"}, t).empty()) << line;  // isolated
    EXPECT_TRUE(Headers({"a", "", line, "", "b"}, t).empty()) << line;      // centred, numbered
  }
  // A line as long as the limit is not long, and a long line does not keep
  // a title further on from being found.
  EXPECT_EQ(Headers({"a", "", "", limit, "", "b"}, t).size(), 1u);
  EXPECT_EQ(Headers({"", longer, "", "", "IV", "", "b"}, t),
            std::vector<std::string>{"<h1 align=\"center\">IV</h1>"});
  WorkingList list = Book({"a", "", "", longer, "", "b"});
  DetectHeaders(list, t.ctx);
  EXPECT_EQ(list[5], (Line{longer, kTagText}));

  // With the option off (the HTML preset) the rules alone decide.
  t.options.SetNumber(Opt::LongStringsMin, kLengthOff);
  EXPECT_EQ(Headers({"a", "", "", std::string(500, 'x'), "", "b"}, t).size(), 1u);
}

TEST(DetectHeaders, ShortListsAreSafe) {
  for (std::size_t n = 0; n < 8; ++n) {
    TestContext t;
    WorkingList list(std::vector<Line>(n, Line{"", 0}));
    DetectHeaders(list, t.ctx);
    DetectEpigraphs(list, t.ctx);
  }
}

class Epigraphs : public ::testing::Test {
 protected:
  Epigraphs() {
    t.options.SetFlag(Opt::DetectEpigraphs, true);
    t.options.SetText(Opt::OpenEpigraph, "[");
    t.options.SetText(Opt::CloseEpigraph, "]");
  }
  // The stage over a header, the block and a line of chapter text. The scan
  // for headers starts at line 3.
  WorkingList Run(std::vector<std::string> block) {
    block.insert(block.begin(), {"text", "<h1>Chapter</h1>"});
    block.push_back(std::string(70, 'x'));
    WorkingList list = Book(block, 22);
    DetectEpigraphs(list, t.ctx);
    return list;
  }
  // The three lines after the header.
  std::vector<std::string> After(std::vector<std::string> block) {
    const std::vector<std::string> out = Run(std::move(block)).texts();
    return std::vector<std::string>(out.begin() + 4, out.begin() + 7);
  }
  // The epigraph made, or "" when there is none.
  std::string Epigraph(std::vector<std::string> block) {
    for (const Line& line : Run(std::move(block)).lines())
      if (StartsWith(line.text, "[")) return line.tag == 100 ? line.text : "untagged";
    return "";
  }
  TestContext t;
};

const std::string kChapterText(70, 'x');

TEST_F(Epigraphs, TheLastLineIsTheAuthorUnlessItGoesOnInLowerCase) {
  EXPECT_EQ(After({"", "Line one", "line two", "A. Author", ""}),
            (std::vector<std::string>{"[<i>Line one line two</i><br>&nbsp;&nbsp;A. Author]", "",
                                      kChapterText}));
  EXPECT_EQ(Epigraph({"", "Line one", "and so on", ""}), "[<i>Line one and so on</i>]");
  // Cyrillic lower case is not lower case here.
  EXPECT_EQ(Epigraph({"", "\xD0\xE0\xE7", "\xE4\xE2\xE0", ""}),
            "[<i>\xD0\xE0\xE7</i><br>&nbsp;&nbsp;\xE4\xE2\xE0]");
  EXPECT_EQ(t.observer.tasks.front(), "CurrentTask: Detecting Epigraphs");

  t.options.SetFlag(Opt::PreserveBreaksInEpigraph, true);
  EXPECT_EQ(Epigraph({"", "One", "two", "Author", ""}),
            "[<i>One<br> two<br></i><br>&nbsp;&nbsp;Author]");
}

TEST_F(Epigraphs, Scoring) {
  const std::string line65(65, 'a');
  // 4 of 5 lines short: 4 / 5 = 0.8 is not enough; 5 / 6 is.
  EXPECT_EQ(Epigraph({"", line65, "b", "c", "d", "E", ""}), "");
  EXPECT_NE(Epigraph({"", line65, "b", "c", "d", "e", "F", ""}), "");
  // Ten spaces in a row count as a short line (centred verse).
  EXPECT_NE(Epigraph({"", "a" + std::string(10, ' ') + line65, "B", ""}), "");
  // Author lines count against, a long line rules the block out.
  EXPECT_EQ(Epigraph({"", "- a", "1) b", ""}), "");
  EXPECT_EQ(Epigraph({"", "One", "Two", std::string(81, 'l')}), "");
}

TEST_F(Epigraphs, WhereTheBlockMayStart) {
  // Straight after the header, with no blank line: not an epigraph.
  EXPECT_EQ(Epigraph({"One", "Author", ""}), "");
  // Tag lines between the header and the first text line: up to 16 apart.
  std::vector<std::string> near(15, "<br>"), far(16, "<br>");
  for (auto* block : {&near, &far}) block->insert(block->end(), {"", "One", "Author", ""});
  EXPECT_NE(Epigraph(near), "");
  EXPECT_EQ(Epigraph(far), "");
  // Without a header, nothing.
  WorkingList list = Book({"text", "", "One", "Author", ""}, 22);
  DetectEpigraphs(list, t.ctx);
  EXPECT_EQ(list.text(4), "One");
  // Nor in the header at line 2, before the scan starts.
  list = Book({"<h1>Chapter</h1>", "", "One", "Author", ""}, 22);
  DetectEpigraphs(list, t.ctx);
  EXPECT_EQ(list.text(4), "One");

  TestContext off;
  list = Book({"text", "<h1>Chapter</h1>", "", "One", "Author", ""}, 22);
  DetectEpigraphs(list, off.ctx);
  EXPECT_EQ(list.text(5), "One");
  EXPECT_TRUE(off.observer.tasks.empty());
}

TEST_F(Epigraphs, ABlockEndingAtTheNextHeaderCountsAndKeepsItsLastLine) {
  EXPECT_EQ(After({"", "Line one", "line two", "A. Author", "<h2>Next</h2>"}),
            (std::vector<std::string>{"[<i>Line one line two</i><br>&nbsp;&nbsp;A. Author]",
                                      "<h2>Next</h2>", kChapterText}));
  // One short line of two is no epigraph, whatever ends the block.
  const std::string line65(65, 'a');
  EXPECT_EQ(Epigraph({"", line65, "Short", ""}), "");
  EXPECT_EQ(Epigraph({"", line65, "Short", "<h2>Next</h2>"}), "");
}

TEST_F(Epigraphs, ASecondEpigraphMayFollow) {
  EXPECT_EQ(After({"", "One", "A. Author", "", "Two", "B. Author", ""}),
            (std::vector<std::string>{"[<i>One</i><br>&nbsp;&nbsp;A. Author]",
                                      "[<i>Two</i><br>&nbsp;&nbsp;B. Author]", ""}));
}

TEST(AuthorLines, DashesAndNumbering) {
  for (const char* yes : {"- Pushkin", "  \x96 Author", "1) Name", "2.x", "3;x", "4 y", "5-z"})
    EXPECT_TRUE(IsAuthorLine(yes)) << yes;
  for (const char* no : {"A. Author", "12 x", "1 ", "   ", "", "x - y"}) EXPECT_FALSE(IsAuthorLine(no)) << no;
  EXPECT_EQ(FirstNonSpaceChar("   x"), 'x');
  EXPECT_EQ(FirstNonSpaceChar("   "), ' ');
  EXPECT_EQ(FirstNonSpaceChar(""), ' ');
}

}  // namespace
}  // namespace norvella
