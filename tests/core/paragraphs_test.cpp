#include "core/convert/paragraphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "core/base/text.h"
#include "core/base/cp1251.h"
#include "core/convert/driver.h"
#include "core/convert/text_style.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::TestContext;

const Line kHead{"<html><head></head>", 100};
const Line kTitle{"<body>", 100};
const Line kEnd{"</body></html>", 100};
const std::string kOpen = "<div align=\"justify\">";
const std::string kOpenNbsp = kOpen + "&nbsp;&nbsp;";

// The lines between a two-line document head and the document end, as the
// stages see them.
WorkingList Framed(std::vector<Line> body) {
  std::vector<Line> lines = {kHead, kTitle};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back(kEnd);
  return WorkingList(std::move(lines));
}

// The body of a framed list after the stage, checking that the frame stayed.
std::vector<Line> Body(const WorkingList& list) {
  std::vector<Line> lines = list.lines();
  EXPECT_GE(lines.size(), 3u);
  EXPECT_EQ(lines.front(), kHead);
  EXPECT_EQ(lines.back(), kEnd);
  return std::vector<Line>(lines.begin() + 2, lines.end() - 1);
}

std::vector<Line> Created(TestContext& t, std::vector<Line> body) {
  WorkingList list = Framed(std::move(body));
  CreateParagraphs(list, t.ctx);
  return Body(list);
}

std::vector<Line> Detected(TestContext& t, std::vector<Line> body) {
  WorkingList list = Framed(std::move(body));
  DetectExistingParagraphs(list, t.ctx);
  return Body(list);
}

Line Para(const std::string& text) { return {kOpenNbsp + text + "</div>", 100}; }

// ---------------------------------------------------------------------------
// Paragraphs from plain text.

TEST(CreateParagraphs, IndentedLineCollectsTheLinesUpToAnEmptyLine) {
  TestContext t;
  const std::string second(40, 'b');
  EXPECT_EQ(Created(t, {{"  First line of text", 0}, {second, 0}, {"", 0}}),
            (std::vector<Line>{Para("First line of text " + second), {"", 0}}));
  EXPECT_EQ(t.observer.tasks, (std::vector<std::string>{"CurrentTask: Detecting paragraphs"}));
}

TEST(CreateParagraphs, ALineThatIsASentenceOfItsOwnIsNotCollected) {
  TestContext t;
  // A short line ending a sentence, of a different length from the line
  // before, becomes a paragraph by itself.
  EXPECT_EQ(Created(t, {{"  Start of it", 0}, {"abcd.", 0}}),
            (std::vector<Line>{Para("Start of it"), Para("abcd.")}));
  // Lengths are compared with the line as it stands in the list: a short line
  // as long as the opening line is taken in.
  EXPECT_EQ(Created(t, {{"  Start", 0}, {"Sample.", 0}, {"", 0}}),
            (std::vector<Line>{Para("Start Sample."), {"", 0}}));
}

TEST(CreateParagraphs, CollectingStopsAtBlocksIndentsAndComments) {
  TestContext t;
  EXPECT_EQ(Created(t, {{"  one", 0}, {"<h1 align=\"center\">T</h1>", 100}}),
            (std::vector<Line>{Para("one"), {"<h1 align=\"center\">T</h1>", 100}}));
  EXPECT_EQ(Created(t, {{"  one", 0}, {"  two.", 0}}),
            (std::vector<Line>{Para("one"), Para("two.")}));
  EXPECT_EQ(Created(t, {{"  one", 0}, {"<!-- c -->", 101}, {"x.", 0}}),
            (std::vector<Line>{Para("one"), {"<!-- c -->", 101}, Para("x.")}));
}

TEST(CreateParagraphs, DashesAndIndentsStartParagraphs) {
  TestContext t;
  t.options.SetNumber(Opt::ShortStringsMax, 0);
  EXPECT_EQ(Created(t, {{"- Said he", 0}, {"and left", 0}, {"", 0}}),
            (std::vector<Line>{Para("- Said he and left"), {"", 0}}));
  // A tab counts two columns; one space is no indentation.
  EXPECT_EQ(Created(t, {{"\tThen", 0}, {"x", 0}, {"", 0}}), (std::vector<Line>{Para("\tThen x"), {"", 0}}));
  EXPECT_EQ(Created(t, {{" Then", 0}, {"x", 0}, {"", 0}}),
            (std::vector<Line>{{" Then", 0}, {"x", 0}, {"", 0}}));
  // Only two leading spaces end a paragraph being collected, not a tab.
  EXPECT_EQ(Created(t, {{"- Said he", 0}, {"\tThen", 0}, {"", 0}}),
            (std::vector<Line>{Para("- Said he \tThen"), {"", 0}}));
  // The dash may follow the indentation, also after an inline tag joined a
  // tab-indented line to a line of tabs.
  t.options.SetFlag(Opt::SpacesAtStartToDiv, false);
  EXPECT_EQ(Created(t, {{"\t", 0}, {"\t- <b>", 0}, {"x", 0}, {"", 0}}),
            (std::vector<Line>{Para("\t\t- <b>x"), {"", 0}}));
  t.options.SetFlag(Opt::DialogsToDiv, false);
  EXPECT_EQ(Created(t, {{"- Said he", 0}, {"and left", 0}}),
            (std::vector<Line>{{"- Said he", 0}, {"and left", 0}}));
}

TEST(CreateParagraphs, LengthLimitsAreStrict) {
  TestContext t;
  t.options.SetNumber(Opt::LongStringsMin, 10);
  t.options.SetNumber(Opt::ShortStringsMax, 5);
  t.options.SetFlag(Opt::TryToRestoreDirs, false);
  // 10 characters is not long, 5 not short: both stay as they are.
  EXPECT_EQ(Created(t, {{"0123456789", 0}, {"abcde", 0}}),
            (std::vector<Line>{{"0123456789", 0}, {"abcde", 0}}));
  EXPECT_EQ(Created(t, {{"0123456789x", 0}, {"abc.", 0}}),
            (std::vector<Line>{Para("0123456789x"), Para("abc.")}));
}

TEST(CreateParagraphs, SentenceEndsAreTheFiveCharactersAndTheirTypographicForms) {
  // The closing guillemet is what the quote stage makes of a closing quote;
  // the ellipsis character stands for three points.
  for (const char* line : {"Yes!", "Yes.", "Yes:", "Yes?", "\"Yes\"", "\xABYes\xBB", "Yes\x85"}) {
    TestContext t;
    EXPECT_EQ(Created(t, {{line, 0}, {"Next", 0}, {"", 0}}),
              (std::vector<Line>{Para(line), Para("Next ")}))
        << line;
  }
  // Anything else is joined with the next line.
  for (const char* line : {"Yes,", "Yes;", "(yes)", "Yes"}) {
    TestContext t;
    EXPECT_EQ(Created(t, {{line, 0}, {"next.", 0}, {"", 0}}),
              (std::vector<Line>{Para(std::string(line) + " next."), {"", 0}}))
        << line;
  }
}

// The quote stage turns a closing quote into a guillemet before paragraphs
// are built, so a line of dialogue ending in one did not end its sentence:
// "Restore broken paragraphs" joined it with the next paragraph, and whole
// chapters of dialogue became one block.
TEST(CreateParagraphs, DialogueEndingInAClosingQuoteEndsItsParagraph) {
  for (const char* quoted : {"«Дома!»", "\"Дома!\""}) {
    TestContext t;
    ApplyTextStyle(t.options, kStyleLinePerParagraph);
    // The quote stage leaves the first lines (the document head) alone.
    std::vector<std::string> source(4, "Text.");
    source.push_back(Utf8ToCp1251Lenient(std::string("— Где ты был? — спросил он. ") + quoted));
    source.push_back(Utf8ToCp1251Lenient("Он ушёл."));
    std::vector<std::string> paragraphs;
    for (const Line& line : RunConversion(source, t.ctx).lines())
      if (line.text.starts_with(kOpen) && !line.text.ends_with("Text.</div>"))
        paragraphs.push_back(Cp1251ToUtf8(line.text));
    EXPECT_EQ(paragraphs, (std::vector<std::string>{kOpenNbsp + "— Где ты был? — спросил он. «Дома!»</div>",
                                                    kOpenNbsp + "Он ушёл.</div>"}))
        << quoted;
  }
  // Three points as one character end a sentence as the three points do.
  TestContext t;
  ApplyTextStyle(t.options, kStyleLinePerParagraph);
  EXPECT_EQ(Created(t, {{"And then\x85", 0}, {"He left", 0}, {"", 0}}),
            (std::vector<Line>{Para("And then\x85"), Para("He left ")}));
}

TEST(CreateParagraphs, BrokenLongLinesAreRestoredOnlyWhenAsked) {
  TestContext t;
  const std::string longLine = std::string(85, 'a') + ",";
  t.options.SetNumber(Opt::ShortStringsMax, 0);
  // Carried onto the next line; the joined line is long but no longer
  // starts a paragraph, so it stays text.
  EXPECT_EQ(Created(t, {{longLine, 0}, {"rest.", 0}}),
            (std::vector<Line>{{longLine + " rest.", 0}}));
  t.options.SetFlag(Opt::TryToRestoreDirs, false);
  EXPECT_EQ(Created(t, {{longLine, 0}, {"rest.", 0}}),
            (std::vector<Line>{Para(longLine), {"rest.", 0}}));
}

TEST(CreateParagraphs, AfterACarryTheLongLineRuleWaitsForTheNextSkip) {
  TestContext t;
  t.options.SetNumber(Opt::LongStringsMin, 10);
  t.options.SetNumber(Opt::ShortStringsMax, 0);
  const std::vector<Line> out = Created(t, {{"long line, broken", 0},
                                            {"tail", 0},
                                            {"another long one.", 0},
                                            {"<!-- c -->", 101},
                                            {"third long one.", 0}});
  // The long line left as text keeps the flag down for the next long line;
  // the protected comment raises it again.
  EXPECT_EQ(out, (std::vector<Line>{{"long line, broken tail", 0},
                                    {"another long one.", 0},
                                    {"<!-- c -->", 101},
                                    Para("third long one.")}));
}

TEST(CreateParagraphs, BlankAndEmptyLines) {
  TestContext t;
  // With the default run of 2, three empty lines become one divider.
  EXPECT_EQ(Created(t, {{"End.", 0}, {"", 0}, {"", 0}, {"", 0}, {"Next.", 0}}),
            (std::vector<Line>{Para("End."), {"<br>", 1}, Para("Next.")}));
  // Lines of spaces are blank; a line with a tab is not.
  EXPECT_EQ(Created(t, {{"End.", 0}, {"   ", 0}, {" ", 0}, {"", 0}, {"Next.", 0}}),
            (std::vector<Line>{Para("End."), {"<br>", 1}, Para("Next.")}));
  EXPECT_EQ(Created(t, {{"End.", 0}, {"", 0}, {"\t", 0}, {"Next.", 0}}),
            (std::vector<Line>{Para("End."), Para("\t"), Para("Next.")}));
  // A single empty line starts a paragraph that collects what follows.
  EXPECT_EQ(Created(t, {{"End.", 0}, {"", 0}, {"a", 0}, {"b", 0}, {"", 0}}),
            (std::vector<Line>{Para("End."), Para("a b"), {"", 0}}));
  // A longer run with a replacement of its own.
  t.options.SetNumber(Opt::DetectTwoEmptyLines, 3);
  t.options.SetText(Opt::EmptyLinesReplaceWith, "<hr>");
  EXPECT_EQ(Created(t, {{"End.", 0}, {"", 0}, {"", 0}, {"x.", 0}, {"", 0}, {"", 0}, {" ", 0}, {"", 0}, {"y.", 0}}),
            (std::vector<Line>{Para("End."), {"", 0}, {"", 0}, Para("x."), {"<hr>", 1}, Para("y.")}));
}

TEST(CreateParagraphs, EmptyLinesAreSkippedWhenTheyStartNoParagraph) {
  TestContext t;
  t.options.SetFlag(Opt::EmptyLineToDiv, false);
  t.options.SetNumber(Opt::DetectTwoEmptyLines, 0);
  EXPECT_EQ(Created(t, {{"", 0}, {"", 0}, {"Word.", 0}}),
            (std::vector<Line>{{"", 0}, {"", 0}, Para("Word.")}));
}

TEST(CreateParagraphs, InlineMarkupLinesJoinTheLineBefore) {
  TestContext t;
  EXPECT_EQ(Created(t, {{"He said ", 0}, {"<i>", 1}, {"so", 0}, {"</i> and left.", 0}, {"", 0}}),
            (std::vector<Line>{Para("He said <i>so </i> and left."), {"", 0}}));
}

TEST(CreateParagraphs, SpacesAreCollapsedAndNbspFollowTheOption) {
  TestContext t;
  t.options.SetNumber(Opt::NumberOfNbsp, 0);
  t.options.SetText(Opt::ParagraphStartTag, "<p>");
  t.options.SetText(Opt::ParagraphEndTag, "</p>");
  EXPECT_EQ(Created(t, {{"  a   b  c.", 0}}), (std::vector<Line>{{"<p>a b c.</p>", 100}}));
}

// A text line used to take in the comment, header or epigraph after it: a
// comment holding an inline tag was joined like a split inline tag (and its
// "--" then rewritten, so that a browser showed it), a broken line was
// carried into a finished line, in front of its tags.
TEST(CreateParagraphs, ParagraphBuildingSwallowsNoCommentsHeadersOrEpigraphs) {
  TestContext t;
  const Line comment{"<!-- <i>note</i> -->", 101};
  EXPECT_EQ(Created(t, {{"Text", 0}, comment, {"more text.", 0}}),
            (std::vector<Line>{Para("Text"), comment, Para("more text.")}));
  EXPECT_EQ(Created(t, {{"He said ", 0}, {"<i>", 1}, comment, {"so.", 0}}),
            (std::vector<Line>{Para("He said <i>"), comment, Para("so.")}));

  const Line header{"<h1 align=\"center\">Chapter</h1>", 100};
  const Line epigraph{"<blockquote><i>Line one line two</i><br>&nbsp;&nbsp;A. Author</blockquote>", 100};
  const std::string broken = std::string(85, 'a') + " and so";
  for (const Line& finished : {header, epigraph, Line{"<b>Custom header</b>", 100}}) {
    // A long line cut in the middle of a sentence, a short one, an indented
    // one collecting the lines after it: each is a paragraph by itself.
    EXPECT_EQ(Created(t, {{broken, 0}, finished}), (std::vector<Line>{Para(broken), finished}));
    EXPECT_EQ(Created(t, {{"Some text", 0}, finished}), (std::vector<Line>{Para("Some text"), finished}));
    EXPECT_EQ(Created(t, {{"  one", 0}, {"two", 0}, finished}),
              (std::vector<Line>{Para("one two"), finished}));
    // A line carried forward stops there too.
    EXPECT_EQ(Created(t, {{"Some", 0}, {"text", 0}, finished, {"After.", 0}}),
              (std::vector<Line>{Para("Some text"), finished, Para("After.")}));
  }

  // The whole conversion keeps such a comment as it stands, on a line of
  // its own.
  const std::string inLine = "<!-- <b>old -- note</b> -->";
  for (const std::vector<std::string>& source :
       {std::vector<std::string>{"Text", comment.text, "more text."}, {"Text " + inLine + " more text."}}) {
    TestContext run;
    const std::vector<std::string> out = RunConversion(source, run.ctx).texts();
    const std::string& kept = source.size() == 3 ? comment.text : inLine;
    EXPECT_EQ(std::count(out.begin(), out.end(), kept), 1) << kept;
  }
}

TEST(CreateParagraphs, FinishedAndProtectedLinesAreLeftAlone) {
  TestContext t;
  const std::vector<Line> body = {{"<h1>T</h1>", 100}, {"<!--  x  -->", 101}, {"<hr>", 1}};
  EXPECT_EQ(Created(t, body), body);
}

// The last line of the list is the document end: text is never joined with
// it. Taken literally, a broken last line would be carried into the end line
// (and with "Try to restore dirs" off the end line would be wrapped in the
// paragraph); here the line becomes a paragraph by itself.
TEST(CreateParagraphs, TheLastTextLineIsNotJoinedWithTheDocumentEnd) {
  for (const bool restore : {true, false}) {
    TestContext t;
    t.options.SetFlag(Opt::TryToRestoreDirs, restore);
    EXPECT_EQ(Created(t, {{"The End", 0}}), (std::vector<Line>{Para("The End")}));
    EXPECT_EQ(Created(t, {{std::string(90, 'x') + ",", 0}}),
              (std::vector<Line>{Para(std::string(90, 'x') + ",")}));
  }
  TestContext t;
  WorkingList list = Framed({{"a ", 0}});
  list.back().text = "<b></b></body></html>";
  CreateParagraphs(list, t.ctx);
  EXPECT_EQ(list.lines().back(), (Line{"<b></b></body></html>", 100}));
}

// ---------------------------------------------------------------------------
// Blocks the source already marks.

TEST(DetectExistingParagraphs, CenterBlockBecomesACentredDiv) {
  TestContext t;
  EXPECT_EQ(Detected(t, {{"<center>", 1}, {"Title", 0}, {"</center>", 1}, {"", 0}}),
            (std::vector<Line>{{"<div align=\"center\">&nbsp;&nbsp; Title</div>", 100}, {"", 0}}));
  EXPECT_EQ(t.observer.tasks, (std::vector<std::string>{"CurrentTask: Detecting already paragraphs"}));
}

TEST(DetectExistingParagraphs, ParagraphTagsAreConvertedOnlyWhenAsked) {
  TestContext t;
  const std::vector<Line> body = {{"<p class=x>", 1}, {"One", 0}, {"</p>", 1}, {"<p>", 1}, {"Two", 0}, {"</p>", 1}};
  EXPECT_EQ(Detected(t, body), (std::vector<Line>{{kOpenNbsp + " One</div>", 100},
                                                  {kOpenNbsp + " Two</div>", 100}}));
  t.options.SetFlag(Opt::ConvertPToDiv, false);
  t.options.SetFlag(Opt::AddNbsp, false);
  EXPECT_EQ(Detected(t, body), (std::vector<Line>{{"<p class=x> One</p>", 100}, {"<p> Two</p>", 100}}));
  // A "<p>" that follows closes the block and stays.
  t.options.SetFlag(Opt::ConvertPToDiv, true);
  EXPECT_EQ(Detected(t, {{"<p>", 1}, {"One", 0}, {"<p>", 1}, {"Two", 0}, {"", 0}}),
            (std::vector<Line>{{kOpen + " One</div>", 100}, {kOpen + " Two</div>", 100}, {"", 0}}));
}

TEST(DetectExistingParagraphs, NbspIsNotAddedTwiceOrToHeadersAndQuotes) {
  TestContext t;
  EXPECT_EQ(Detected(t, {{"<div>", 1}, {"&nbsp;Text", 0}, {"</div>", 1}, {"", 0}}),
            (std::vector<Line>{{"<div> &nbsp;Text</div>", 100}, {"", 0}}));
  EXPECT_EQ(Detected(t, {{"<h2>", 1}, {"Chapter", 0}, {"</h2>", 1}, {"", 0}}),
            (std::vector<Line>{{"<h2> Chapter</h2>", 100}, {"", 0}}));
  EXPECT_EQ(Detected(t, {{"<blockquote>", 1}, {"Q", 0}, {"</blockquote>", 1}, {"</blockquote>", 1}, {"", 0}}),
            (std::vector<Line>{{"<blockquote> Q</blockquote></blockquote>", 100}, {"", 0}}));
}

TEST(DetectExistingParagraphs, AnUnclosedBlockTakesInAtMost51Lines) {
  TestContext t;
  std::vector<Line> body = {{"<div>", 1}};
  for (int k = 0; k < 60; ++k) body.push_back({"l" + std::to_string(k), 0});
  const std::vector<Line> out = Detected(t, body);
  ASSERT_EQ(out.size(), 10u);
  EXPECT_TRUE(out[0].text.ends_with(" l50</div>")) << out[0].text;
  EXPECT_EQ(out[0].tag, 100);
  EXPECT_EQ(out[1], (Line{"l51", 0}));
}

TEST(DetectExistingParagraphs, BrRunsBecomeParagraphs) {
  TestContext t;
  const std::vector<Line> lead = {{"a", 0}, {"b", 0}, {"</div>", 1}};  // indices 2-4
  std::vector<Line> body = lead;
  body.insert(body.end(), {{"first", 0}, {"second", 0}, {"<br>", 1}, {"third", 0}, {"<br>", 1}});
  std::vector<Line> expected = lead;
  expected.insert(expected.end(), {{kOpenNbsp + "first second </div>", 100}, {kOpenNbsp + "third </div>", 100}});
  EXPECT_EQ(Detected(t, body), expected);

  // Left alone: an empty line before the <br>, a <br> below index 5, the option off.
  body = {{"a", 0}, {"b", 0}, {"c", 0}, {"", 0}, {"<br>", 1}, {"x", 0}, {"<br>", 1}};
  expected = {{"a", 0}, {"b", 0}, {"c", 0}, {"", 0}, {"<br>", 1}, {kOpenNbsp + "x </div>", 100}};
  EXPECT_EQ(Detected(t, body), expected);
  EXPECT_EQ(Detected(t, {{"x", 0}, {"<br>", 1}}), (std::vector<Line>{{"x", 0}, {"<br>", 1}}));
  t.options.SetFlag(Opt::ConvertBrToDiv, false);
  EXPECT_EQ(Detected(t, {{"a", 0}, {"b", 0}, {"c", 0}, {"x", 0}, {"<br>", 1}}),
            (std::vector<Line>{{"a", 0}, {"b", 0}, {"c", 0}, {"x", 0}, {"<br>", 1}}));
}

TEST(DetectExistingParagraphs, ABrRunReachesBackAtMost21Lines) {
  TestContext t;
  std::vector<Line> body = {{"<hr>", 1}, {"<hr>", 1}, {"<hr>", 1}};
  for (int k = 0; k < 30; ++k) body.push_back({"w" + std::to_string(k), 0});
  body.push_back({"<br>", 1});
  const std::vector<Line> out = Detected(t, body);
  ASSERT_EQ(out.size(), 3u + 9u + 1u);
  EXPECT_EQ(out[11], (Line{"w8", 0}));
  EXPECT_TRUE(out[12].text.starts_with(kOpenNbsp + "w9 w10 ")) << out[12].text;
  EXPECT_TRUE(out[12].text.ends_with("w29 </div>")) << out[12].text;
}

// Taken literally, an opening tag just before the document end would take
// the end line into its block; the end line stays where it is.
TEST(DetectExistingParagraphs, TheDocumentEndIsNotTakenIntoABlock) {
  TestContext t;
  EXPECT_EQ(Detected(t, {{"<p>", 1}}), (std::vector<Line>{{kOpenNbsp, 100}}));
}

// A marked block used to take in a comment (which the dash stage then
// rewrote into visible text), the header after it (through its "</h") and
// the epigraph after a quote (through its "</blockquote>"); a <br> run
// reached back over a comment.
TEST(DetectExistingParagraphs, BlocksSwallowNoCommentsHeadersOrEpigraphs) {
  TestContext t;
  const Line comment{"<!-- old <b>note</b> -->", 101};
  const Line header{"<h1 align=\"center\">Chapter</h1>", 100};
  const Line epigraph{"<blockquote><i>Line one</i><br>&nbsp;&nbsp;A. Author</blockquote>", 100};
  EXPECT_EQ(Detected(t, {{"<p>", 1}, {"text", 0}, comment, {"more", 0}, {"</p>", 1}}),
            (std::vector<Line>{{kOpenNbsp + " text</div>", 100}, comment, {"more", 0}, {"</p>", 1}}));
  EXPECT_EQ(Detected(t, {{"<p>", 1}, comment, {"more", 0}}),
            (std::vector<Line>{{kOpenNbsp + "</div>", 100}, comment, {"more", 0}}));
  EXPECT_EQ(Detected(t, {{"<div>", 1}, {"text", 0}, header, {"", 0}}),
            (std::vector<Line>{{"<div>&nbsp;&nbsp; text</div>", 100}, header, {"", 0}}));
  EXPECT_EQ(Detected(t, {{"<blockquote>", 1}, {"Q", 0}, epigraph, {"", 0}}),
            (std::vector<Line>{{"<blockquote> Q", 100}, epigraph, {"", 0}}));

  const std::vector<Line> lead = {{"a", 0}, {"b", 0}, {"</div>", 1}};  // indices 2-4
  std::vector<Line> body = lead;
  body.insert(body.end(), {{"first", 0}, comment, {"second", 0}, {"<br>", 1}, comment, {"<br>", 1}});
  std::vector<Line> expected = lead;
  expected.insert(expected.end(), {{"first", 0}, comment, {kOpenNbsp + "second </div>", 100}, comment, {"<br>", 1}});
  EXPECT_EQ(Detected(t, body), expected);

  // In the whole conversion the comment comes out as it went in.
  TestContext run;
  const std::vector<std::string> out =
      RunConversion({"<html><body>", "<p>", "text", comment.text, "more", "</p>", "</body></html>"}, run.ctx).texts();
  EXPECT_EQ(std::count(out.begin(), out.end(), comment.text), 1);
}

// ---------------------------------------------------------------------------
// The stages against a direct transcription of their rules: the blank tests
// and space collapsing by repeated deletion of the first double space, carried
// lines prepended to the next line, <br> runs joined one line at a time.

namespace literal {

bool SentenceEnd(const std::string& s) {
  return !s.empty() && std::string_view("!.:?\"\xBB\x85").find(s.back()) != std::string_view::npos;
}

std::string DeleteDoubleSpaces(std::string s) {
  for (auto at = s.find("  "); at != std::string::npos; at = s.find("  ")) s.erase(at, 1);
  if (!s.empty() && s[0] == ' ') s.erase(0, 1);
  return s;
}

bool IsBlankLine(const std::string& s) { return DeleteDoubleSpaces(s).empty(); }

bool Any(const std::string& s, std::initializer_list<const char*> needles) {
  for (const char* n : needles)
    if (s.find(n) != std::string::npos) return true;
  return false;
}

bool NbspAt(const std::string& s, std::size_t positions) {
  for (std::size_t k = 0; k < positions && k < s.size(); ++k)
    if (s.compare(k, 6, "&nbsp;") == 0) return true;
  return false;
}

struct Stages {
  explicit Stages(const Options& options) : o(options), tags(ParagraphTags::From(options)) {}
  const Options& o;
  ParagraphTags tags;
  std::vector<Line> L;
  long long n() const { return static_cast<long long>(L.size()); }
  long long Len(std::size_t k) const { return static_cast<long long>(L[k].text.size()); }
  std::string Make(const std::string& s) const { return tags.open + tags.nbsp + DeleteDoubleSpaces(s) + tags.close; }
  // The document end, a comment or a finished line: nothing is joined with it.
  bool Barrier(std::size_t k) const {
    return static_cast<long long>(k) >= n() - 1 || L[k].tag == 100 || L[k].tag == 101;
  }

  void AbsorbBlock(std::size_t i) {
    const bool pToDiv = o.Flag(Opt::ConvertPToDiv);
    if (L[i].text == "<center>") L[i].text = "<div align=\"center\">";
    if (o.Flag(Opt::AddNbsp) && !Any(L[i].text, {"<blockquote", "<h"}) && !NbspAt(L[i + 1].text, 4))
      L[i].text += tags.nbsp;
    int count = 0;
    if (!Barrier(i + 1)) {  // nor a comment or a finished line
      while (true) {
        if (L[i + 1].tag != 1 && L[i].tag != 101) L[i].text += " ";
        L[i].text += L[i + 1].text;
        L.erase(L.begin() + static_cast<long>(i) + 1);
        ++count;
        const std::string& x = L[i + 1].text;
        if (static_cast<long long>(i) > n() - 3 || Barrier(i + 1) || count > 50 || x.empty() || x == "</div>" || x == "<div>" ||
            x == "</center>" || x == "</p>" || x == "<p>" || x == "<br>" || x.rfind("</h", 0) == 0 ||
            x.rfind("</t", 0) == 0 || x.rfind("<h", 0) == 0 || x.rfind("<t", 0) == 0 ||
            x.rfind("</blockquote>", 0) == 0)
          break;
      }
    }
    if (static_cast<long long>(i) < n() - 2) {
      const std::string next = L[i + 1].text;
      const bool closer = !Barrier(i + 1);
      if (next == "</p>") {
        L[i].text += pToDiv ? tags.close : "</p>";
        L.erase(L.begin() + static_cast<long>(i) + 1);
      } else if (next == "<p>") {
        L[i].text += pToDiv ? tags.close : "</p>";
      } else if (closer && Any(next, {"</h"})) {
        L[i].text += next;
        L.erase(L.begin() + static_cast<long>(i) + 1);
      } else if (closer && Any(next, {"</center"})) {
        L[i].text += tags.close;
        L.erase(L.begin() + static_cast<long>(i) + 1);
      } else if (closer && Any(next, {"</blockquote>"})) {
        while (!Barrier(i + 1) && Any(L[i + 1].text, {"</blockquote>"})) {
          L[i].text += L[i + 1].text;
          L.erase(L.begin() + static_cast<long>(i) + 1);
        }
      } else if (Any(L[i].text, {"<div"})) {
        L[i].text += tags.close;
        if (L[i + 1].text == "</div>") L.erase(L.begin() + static_cast<long>(i) + 1);
      }
    }
    L[i].tag = 100;
  }

  void BuildBrParagraph(std::size_t& i) {
    if (!(i >= 5 && !L[i - 1].text.empty() && !Barrier(i - 1))) return;
    L[i].text = tags.close;
    int count = 0;
    while (true) {
      L[i - 1].text = L[i - 1].text + " " + L[i].text;
      L.erase(L.begin() + static_cast<long>(i));
      --i;
      ++count;
      if (count > 20 || i < 5 || Barrier(i - 1)) break;
      const std::string& b = L[i - 1].text;
      if (Any(b, {"</div>", "<div", "<blockquote>"}) || b == "</p>" || b == "<p>" || b == "<br>" ||
          b.rfind("<p ", 0) == 0 || b.rfind("</h", 0) == 0 || b.rfind("</t", 0) == 0 || b.rfind("<h", 0) == 0 ||
          b.rfind("<blockquote ", 0) == 0)
        break;
    }
    std::string opening = tags.open;
    if (!NbspAt(L[i].text, 5)) opening += tags.nbsp;
    L[i].text = opening + L[i].text;
    L[i].tag = 100;
  }

  void DetectExisting() {
    for (std::size_t i = 0; i < L.size(); ++i) {
      if (L[i].tag != 1) continue;
      if (Any(L[i].text, {"<p"})) {
        if (o.Flag(Opt::ConvertPToDiv)) L[i].text = tags.open;
        AbsorbBlock(i);
      } else if (Any(L[i].text, {"<div", "<center", "<h1", "<h2", "<h3", "<h4", "<h5", "<blockquote"})) {
        AbsorbBlock(i);
      }
      if (L[i].text == "<br>" && o.Flag(Opt::ConvertBrToDiv)) BuildBrParagraph(i);
    }
  }

  void Create() {
    const long long longMin = o.Number(Opt::LongStringsMin);
    const long long shortMax = o.Number(Opt::ShortStringsMax);
    const long long runLength = o.Number(Opt::DetectTwoEmptyLines);
    const bool spaces = o.Flag(Opt::SpacesAtStartToDiv), dialogs = o.Flag(Opt::DialogsToDiv),
               empty = o.Flag(Opt::EmptyLineToDiv), restore = o.Flag(Opt::TryToRestoreDirs);
    bool starts = true;
    long long i = 0;
    auto at = [&](long long k) -> Line& { return L[static_cast<std::size_t>(k)]; };
    auto erase = [&](long long k) { L.erase(L.begin() + static_cast<long>(k)); };
    auto skip = [&] { ++i; starts = true; };
    // Text is joined with the next line only when that is neither the
    // document end nor a finished or protected line.
    auto joinable = [&] { return i < n() - 2 && at(i + 1).tag != 100 && at(i + 1).tag != 101; };
    while (i < n()) {
      if (at(i).tag == 101) { skip(); continue; }
      if (i < n() - 2 && runLength != 0 && IsBlankLine(at(i).text)) {
        bool run = true;
        for (long long k = i + 1; k <= i + runLength - 1; ++k)
          if (k >= n() || !IsBlankLine(at(k).text)) { run = false; break; }
        if (run) {
          at(i) = {o.Text(Opt::EmptyLinesReplaceWith), 1};
          while (i + 1 < n() && IsBlankLine(at(i + 1).text)) erase(i + 1);
          skip();
          continue;
        }
      }
      if (at(i).tag != 0) { skip(); continue; }
      if (at(i).text.empty() && !empty) { skip(); continue; }
      if (joinable() && Any(at(i + 1).text, {"<sub", "<sup", "<i>", "<em", "<strong", "<font", "<b>"})) {
        at(i).text += at(i + 1).text;
        erase(i + 1);
        if (joinable()) { at(i).text += at(i + 1).text; erase(i + 1); }
      }
      std::string s = at(i).text;
      const long long len = static_cast<long long>(s.size());
      if (len > longMin && starts) {
        if (SentenceEnd(s) || !restore || !joinable()) { at(i) = {Make(s), 100}; skip(); continue; }
        at(i + 1).text = s + " " + at(i + 1).text;
        erase(i);
        starts = false;
        continue;
      }
      std::size_t k = 0;
      long long indent = 0;
      for (; k < s.size() && s[k] == ' '; ++k) indent += 1;
      for (; k < s.size() && s[k] == '\t'; ++k) indent += 2;
      const std::string t = s.substr(k);
      if ((!t.empty() && indent >= 2 && spaces) || (t.empty() && empty) || (!t.empty() && t[0] == '-' && dialogs)) {
        while (true) {
          if (Any(at(i + 1).text, {"<div", "<center", "<h1", "<h2", "<h3", "<h4", "<h5", "<blockquote"})) break;
          if (i >= n() - 1 || at(i + 1).text.empty() || i >= n() - 2) break;
          if (at(i + 1).text.rfind("  ", 0) == 0 && spaces) break;
          const bool ownSentence = SentenceEnd(at(i + 1).text) && Len(static_cast<std::size_t>(i + 1)) != Len(static_cast<std::size_t>(i));
          if ((Len(static_cast<std::size_t>(i + 1)) < shortMax || Len(static_cast<std::size_t>(i + 1)) > longMin) && ownSentence) break;
          if (at(i + 1).tag == 101 || at(i + 1).tag == 100) break;
          s = s + " " + at(i + 1).text;
          erase(i + 1);
        }
        while (!s.empty() && s[0] == ' ') s.erase(0, 1);
        if (!s.empty()) at(i) = {Make(s), 100};
        skip();
        continue;
      }
      if (shortMax > 0 && !s.empty() && len < shortMax) {
        if (SentenceEnd(s)) { at(i) = {Make(s), 100}; ++i; continue; }
        if (joinable() && Len(static_cast<std::size_t>(i + 1)) < shortMax &&
            (at(i + 1).text.empty() || SentenceEnd(at(i + 1).text) || !restore)) {
          at(i) = {Make(s + " " + at(i + 1).text), 100};
          erase(i + 1);
          skip();
          continue;
        }
        if (joinable()) {
          at(i + 1).text = s + " " + at(i + 1).text;
          starts = false;
          erase(i);
          continue;
        }
        at(i) = {Make(s), 100};  // nothing to carry it onto
        skip();
        continue;
      }
      ++i;
    }
  }
};

}  // namespace literal

// Random lists made of the pieces the rules look at, with random options.
struct RandomCase {
  explicit RandomCase(std::mt19937& rng) {
    static const char* kTexts[] = {"", "", " ", "  ", "\t", "  \t x", " -", "- Dialog", "word", "Word.",
                                   "two  spaces", "  indented", "\tTab", "ends,", "ends;", "(ends)",
                                   "\"Quote\"", "Ask?", "Say:", "Wow!", "&nbsp;lead", "x&nbsp;",
                                   "a long line of text here", "a long line that ends.", "</I> tail",
                                   "</font> more", "<i>in", "\t<i>x", "\t\t", "  <b>", " \t<sup>", "\t-<b>",
                                   "\xABSaid\xBB", "so\x85"};
    static const char* kTags[] = {"<p>", "<p >", "<p class=x>", "</p>", "<div>", "<div >", "</div>",
                                  "<center>", "</center>", "<br>", "<h2>", "</h2>", "<blockquote>",
                                  "</blockquote>", "<i>", "<b>", "<sup>", "<hr>", "<td>", "</table>"};
    static const char* kFinished[] = {"<h1>T</h1>", "<div align=\"justify\">p</div>", "<blockquote>e"};
    // Short texts built from single characters, so that lengths meet the
    // limits and each other, and runs of blank lines.
    static const char kChars[] = {' ', ' ', 'a', 'b', '-', '.', ',', '\t', '"', '!'};
    auto randomText = [&] {
      std::string text;
      for (auto len = rng() % 13; len > 0; --len) text += kChars[rng() % sizeof kChars];
      if (rng() % 8 == 0) text += rng() % 2 ? "<i>" : "<b>";
      return text;
    };
    const int count = static_cast<int>(rng() % 24);
    for (int k = 0; k < count; ++k) {
      const auto kind = rng() % 12;
      if (kind < 3) body.push_back({kTexts[rng() % std::size(kTexts)], 0});
      else if (kind < 6) body.push_back({randomText(), 0});
      else if (kind < 7) body.push_back({std::string(rng() % 3, ' '), 0});
      else if (kind < 8) for (auto run = rng() % 5; run > 0; --run) body.push_back({std::string(rng() % 2, ' '), 0});
      else if (kind < 11) body.push_back({kTags[rng() % std::size(kTags)], 1});
      else if (kind < 9) body.push_back({kTags[rng() % std::size(kTags)], 1});
      else if (rng() % 2) body.push_back({kFinished[rng() % std::size(kFinished)], 100});
      else body.push_back({rng() % 2 ? "<!--  c  -->" : "<!-- <i>c</i> -->", 101});
      if (!body.empty() && rng() % 4 == 0) body.back().text += kTexts[rng() % std::size(kTexts)];
    }
    static const int kLong[] = {-1, 0, 4, 8, 12, 20, 80, INT_MAX};
    static const int kShort[] = {-2, 0, 1, 5, 9, 14, 81, INT_MAX};
    static const int kRuns[] = {-1, 0, 1, 2, 3, 5, INT_MAX};
    options.SetNumber(Opt::LongStringsMin, kLong[rng() % std::size(kLong)]);
    options.SetNumber(Opt::ShortStringsMax, kShort[rng() % std::size(kShort)]);
    options.SetNumber(Opt::DetectTwoEmptyLines, kRuns[rng() % std::size(kRuns)]);
    options.SetNumber(Opt::NumberOfNbsp, static_cast<int>(rng() % 4) - 1);
    for (const Opt flag : {Opt::ConvertPToDiv, Opt::ConvertBrToDiv, Opt::AddNbsp, Opt::SpacesAtStartToDiv,
                           Opt::DialogsToDiv, Opt::EmptyLineToDiv, Opt::TryToRestoreDirs})
      options.SetFlag(flag, rng() % 3 != 0);
    if (rng() % 4 == 0) options.SetText(Opt::ParagraphStartTag, "<p>");
    static const char* kDividers[] = {"<br>", "", " ", "<hr>"};
    options.SetText(Opt::EmptyLinesReplaceWith, kDividers[rng() % std::size(kDividers)]);
    // Heads of 2 and of 6 lines, so that <br> runs meet the head at index 5.
    head = rng() % 2 ? 2 : 6;
  }

  std::vector<Line> Lines() const {
    std::vector<Line> lines(head, kHead);
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back(kEnd);
    return lines;
  }

  std::string Describe() const {
    std::string out;
    for (const Line& l : body) out += std::to_string(l.tag) + "|" + l.text + "\n";
    return out;
  }

  Options options;
  std::vector<Line> body;
  std::size_t head = 2;
};

TEST(ParagraphStages, MatchDirectTranscriptionsOnRandomInput) {
  std::mt19937 rng(1603);
  for (int round = 0; round < 20000; ++round) {
    RandomCase c(rng);
    TestContext t;
    t.options = c.options;

    literal::Stages ref(c.options);
    ref.L = c.Lines();
    WorkingList list(c.Lines());
    const bool detect = round % 2 == 0;
    if (detect) {
      ref.DetectExisting();
      DetectExistingParagraphs(list, t.ctx);
    } else {
      ref.Create();
      CreateParagraphs(list, t.ctx);
    }
    ASSERT_EQ(list.lines(), ref.L) << (detect ? "detect" : "create") << " round " << round << "\n"
                                   << c.Describe();
  }
}

TEST(ParagraphStages, BothStagesTogetherMatchTheTranscriptions) {
  std::mt19937 rng(77);
  for (int round = 0; round < 10000; ++round) {
    RandomCase c(rng);
    TestContext t;
    t.options = c.options;
    literal::Stages ref(c.options);
    ref.L = c.Lines();
    ref.DetectExisting();
    ref.Create();
    WorkingList list(c.Lines());
    DetectExistingParagraphs(list, t.ctx);
    CreateParagraphs(list, t.ctx);
    ASSERT_EQ(list.lines(), ref.L) << "round " << round << "\n" << c.Describe();
  }
}

TEST(ParagraphTags, MakeAndBlankMatchRepeatedDeletion) {
  std::mt19937 rng(5);
  Options o;
  const ParagraphTags tags = ParagraphTags::From(o);
  static const char kChars[] = {' ', ' ', ' ', 'a', '\t', '.'};
  for (int round = 0; round < 20000; ++round) {
    std::string s;
    const int len = static_cast<int>(rng() % 10);
    for (int k = 0; k < len; ++k) s += kChars[rng() % sizeof kChars];
    ASSERT_EQ(tags.Make(s), tags.open + tags.nbsp + literal::DeleteDoubleSpaces(s) + tags.close) << s;
    ASSERT_EQ(IsBlank(s), literal::IsBlankLine(s)) << s;
  }
}

}  // namespace
}  // namespace norvella
