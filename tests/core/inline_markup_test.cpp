#include "core/convert/inline_markup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "tests/support/random_text.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::ListOf;
using test::TestContext;

// ---------------------------------------------------------------------------
// The rules as written, one occurrence at a time, to check the one-pass
// versions against.

std::string ReferenceDeleteCharAfterEach(std::string_view pattern, std::string s, std::size_t offset) {
  for (auto at = s.find(pattern); at != std::string::npos; at = s.find(pattern)) s.erase(at + offset, 1);
  return s;
}

bool Terminator(char c) { return c == ' ' || c == '!' || c == ',' || c == '.' || c == ':' || c == '?'; }

std::string ReferenceItalic(std::string s) {
  for (auto p = s.find('_'); p != std::string::npos; p = s.find('_')) {
    s.erase(p, 1);
    if (p > 0 && s[p - 1] == ' ') s.insert(p, "<i>");
    else s.insert(p > 0 ? p - 1 : 0, "<i>");
    bool closed = false;
    for (std::size_t k = p + 4; k < s.size();) {
      if (s[k] == '_') {
        s.erase(k, 1);
        ++k;
      } else if (Terminator(s[k])) {
        s.insert(k, "</i>");
        closed = true;
        break;
      } else {
        ++k;
      }
    }
    if (!closed) s += "</i>";
  }
  return s;
}

// Only text lines take part, as in the stage.
void ReferenceUpperIndex(std::vector<Line>& lines) {
  const std::size_t n = lines.size();
  std::size_t i = 0;
  while (i + 4 < n) {
    if (lines[i].tag != kTagText || lines[i].text.find('[') == std::string::npos) {
      ++i;
      continue;
    }
    bool found = false;
    for (std::size_t j = i; j < i + 4 && !found; ++j) {
      if (lines[j].tag != kTagText) continue;
      if (const auto q = lines[j].text.find(']'); q != std::string::npos) {
        lines[j].text.replace(q, 1, "</sup>");
        found = true;
      }
    }
    if (!found) {
      ++i;
      continue;
    }
    std::string& s = lines[i].text;
    std::size_t p = s.find('[');
    s.erase(p, 1);
    while (p < s.size() && s[p] == ' ') s.erase(p, 1);
    while (p > 0 && s[p - 1] == ' ') s.erase(--p, 1);
    s.insert(p, "&nbsp;<sup>");
  }
}

const std::vector<std::pair<std::string, std::size_t>> kPatterns = {
    {"  ", 0},        {"> <", 1},        {"< ", 1},      {" >", 0},        {" </div>", 0},
    {" </p>", 0},     {" <h", 0},        {" <p", 0},     {" </i>", 0},     {" </b>", 0},
    {" </font>", 0},  {" </strong>", 0}, {" </sub>", 0}, {" </sup>", 0},   {" </em>", 0},
    {"<i> ", 3},      {"<b> ", 3},       {"<font> ", 6}, {"<strong> ", 8}, {"<sub> ", 5},
    {"<sup> ", 5},    {"<em> ", 4},      {" <div", 0},   {"&nbsp; ", 6},   {"--", 0},
};

std::string ReferenceTidy(std::string line, const std::string& run) {
  const std::string divBr = "<div>" + run + "<br>";
  for (;;) {
    std::string copy = line;
    for (const auto& [pattern, offset] : kPatterns) copy = ReferenceDeleteCharAfterEach(pattern, copy, offset);
    if (const auto at = copy.find(divBr); at != std::string::npos) copy.erase(at + divBr.size() - 4, 4);
    if (copy == line) return line;
    line = copy;
  }
}

using test::RandomText;

template <typename F>
double Seconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// ---------------------------------------------------------------------------
// Italic.

std::string Italic(std::string line) {
  TestContext t;
  auto list = ListOf({{std::move(line), kTagText}});
  DetectItalic(list, t.ctx);
  return list.text(0);
}

TEST(DetectItalic, UnderscoreBeforeEachLetter) {
  EXPECT_EQ(Italic("a _w_o_r_d, b"), "a <i>word</i>, b");
  EXPECT_EQ(Italic("_T_e_x_t"), "<i>Text</i>");
  EXPECT_EQ(Italic("_o_n_e! _t_w_o?"), "<i>one</i>! <i>two</i>?");
}

TEST(DetectItalic, OpeningTagGoesBeforeTheCharacterBeforeTheUnderscore) {
  EXPECT_EQ(Italic("x_y"), "<i>xy</i>");
  EXPECT_EQ(Italic("ab_cd ef"), "a<i>bcd</i> ef");
  // An underscore at the very end: the tag still goes one place back.
  EXPECT_EQ(Italic("abc_"), "ab<i>c</i>");
}

TEST(DetectItalic, CharacterAfterADeletedUnderscoreIsSkipped) {
  // The "," moves into the place of the last underscore and is not looked
  // at, so the run goes on to the space.
  EXPECT_EQ(Italic("_w_o_r_d_, b"), "<i>word,</i> b");
  // The letter right after the first underscore is never examined either:
  // a doubled underscore leaves one behind, which opens a second run.
  EXPECT_EQ(Italic("__x y"), "<i<i>>x</i></i> y");
}

TEST(DetectItalic, LeavesTagsCommentsTheHeadAndMetaLinesAlone) {
  TestContext t;
  auto list = ListOf({{"<title>my_book</title></head><body>", kTagFinished},
                      {"<a name=\"x_y\">", kTagHtml},
                      {"<!-- a_b -->", kTagComment},
                      {"<meta name=\"x_y\">", kTagText},
                      {"_a_b", kTagText}});
  DetectItalic(list, t.ctx);
  EXPECT_EQ(list.texts(), (std::vector<std::string>{"<title>my_book</title></head><body>",
                                                    "<a name=\"x_y\">", "<!-- a_b -->",
                                                    "<meta name=\"x_y\">", "<i>ab</i>"}));
  EXPECT_EQ(t.observer.tasks, (std::vector<std::string>{"CurrentTask: Detecting _italic_ text"}));
  // Progress only for the line with an underscore that was worked on.
  EXPECT_EQ(t.observer.percents, (std::vector<int>{80}));
}

TEST(DetectItalic, OffMeansNoTaskAndNoChange) {
  TestContext t;
  t.options.SetFlag(Opt::UnderscoreToItalic, false);
  auto list = ListOf({{"_a_b", kTagText}});
  DetectItalic(list, t.ctx);
  EXPECT_EQ(list.text(0), "_a_b");
  EXPECT_TRUE(t.observer.tasks.empty());
}

TEST(DetectItalic, MatchesTheDirectTranscriptionOnRandomInput) {
  std::mt19937 rng(10);
  const std::vector<std::string> pieces = {"_", "_", "_", "a", "b", " ", ",", ".", "!", "<", ">", "?"};
  for (int round = 0; round < 30000; ++round) {
    const std::string line = RandomText(rng, pieces, 16);
    ASSERT_EQ(ItalicizeUnderscores(line), ReferenceItalic(line)) << line;
  }
}

TEST(DetectItalic, LinearOnALineOfUnderscores) {
  const std::string underscores(100000, '_');
  std::string words;
  for (int k = 0; k < 20000; ++k) words += "_a_b ";
  std::string out;
  EXPECT_LT(Seconds([&] { out = ItalicizeUnderscores(underscores); }), 2.0);
  EXPECT_EQ(out.find('_'), std::string::npos);
  EXPECT_LT(Seconds([&] { out = ItalicizeUnderscores(words); }), 2.0);
  EXPECT_EQ(out.substr(0, 20), "<i>ab</i> <i>ab</i> ");
}

// ---------------------------------------------------------------------------
// Upper index.

// The lines followed by four filler lines, which the stage never looks at
// for a "[".
std::vector<std::string> Upper(std::vector<std::string> lines) {
  TestContext t;
  WorkingList list;
  for (auto& l : lines) list.push_back(std::move(l), kTagText);
  for (int k = 0; k < 4; ++k) list.push_back("-", kTagText);
  DetectUpperIndex(list, t.ctx);
  auto texts = list.texts();
  texts.resize(texts.size() - 4);
  return texts;
}

TEST(DetectUpperIndex, BracketsBecomeSuperscript) {
  EXPECT_EQ(Upper({"text [12] more"}), (std::vector<std::string>{"text&nbsp;<sup>12</sup> more"}));
  EXPECT_EQ(Upper({"[a] [b]"}), (std::vector<std::string>{"&nbsp;<sup>a</sup>&nbsp;<sup>b</sup>"}));
  // Spaces after the "[" and before it go; those before the "]" stay.
  EXPECT_EQ(Upper({"word  [ 5 ]"}), (std::vector<std::string>{"word&nbsp;<sup>5 </sup>"}));
  // The first "]" of the line is taken, even when it stands before the "[".
  EXPECT_EQ(Upper({"a] b [c"}), (std::vector<std::string>{"a</sup> b&nbsp;<sup>c"}));
}

TEST(DetectUpperIndex, ClosingBracketUpToThreeLinesDown) {
  EXPECT_EQ(Upper({"see [note", "a", "b", "end] x"}),
            (std::vector<std::string>{"see&nbsp;<sup>note", "a", "b", "end</sup> x"}));
  EXPECT_EQ(Upper({"see [note", "a", "b", "c", "end] x"}),
            (std::vector<std::string>{"see [note", "a", "b", "c", "end] x"}));
  // Each "[" takes the next "]" left; one that finds none stays as it is.
  EXPECT_EQ(Upper({"[1 [2 [3", "x]", "y]"}),
            (std::vector<std::string>{"&nbsp;<sup>1&nbsp;<sup>2 [3", "x</sup>", "y</sup>"}));
}

TEST(DetectUpperIndex, LastFourLinesAreNeverExamined) {
  TestContext t;
  auto list = ListOf({{"a [1]", 0}, {"b [2]", 0}, {"c", 0}, {"d", 0}, {"e", 0}});
  DetectUpperIndex(list, t.ctx);
  EXPECT_EQ(list.text(0), "a&nbsp;<sup>1</sup>");
  EXPECT_EQ(list.text(1), "b [2]");
}

TEST(DetectUpperIndex, CommentsAndTagsNeitherOpenNorClose) {
  // A "]" in a comment or a tag below a "[" must not close the note, and a
  // "[" in them does not take the "]" of the text.
  TestContext t;
  auto list = ListOf({{"text [1", 0}, {"<!-- x] -->", 101}, {"<p title=\"y]\">", 1}, {"more", 0},
                      {"<!-- [if mso] -->", 101}, {"z]", 0}, {"-", 0}, {"-", 0}, {"-", 0}, {"-", 0}});
  const auto before = list.lines();
  DetectUpperIndex(list, t.ctx);
  EXPECT_EQ(list.lines(), before);
  EXPECT_EQ(t.observer.tasks.front(), "CurrentTask: Detecting [upper] text");
}

TEST(DetectUpperIndex, OffStillShowsTheTask) {
  TestContext t;
  t.options.SetFlag(Opt::ConvertBracketText, false);
  auto list = ListOf({{"a [1]", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}});
  DetectUpperIndex(list, t.ctx);
  EXPECT_EQ(list.text(0), "a [1]");
  EXPECT_EQ(t.observer.tasks, (std::vector<std::string>{"CurrentTask: Detecting [upper] text"}));
}

TEST(DetectUpperIndex, MatchesTheDirectTranscriptionOnRandomInput) {
  std::mt19937 rng(11);
  const std::vector<std::string> pieces = {"[", "[", "]", "]", " ", " ", "a", "b"};
  TestContext t;
  for (int round = 0; round < 20000; ++round) {
    std::vector<Line> lines(rng() % 9);
    for (auto& l : lines) {
      l.text = RandomText(rng, pieces, 7);
      l.tag = rng() % 6 == 0 ? kTagComment : kTagText;
    }
    std::vector<Line> expected = lines;
    ReferenceUpperIndex(expected);
    WorkingList list(lines);
    DetectUpperIndex(list, t.ctx);
    ASSERT_EQ(list.lines(), expected) << "round " << round;
  }
}

TEST(DetectUpperIndex, LinearOnUnclosedBrackets) {
  TestContext t;
  WorkingList list;
  list.push_back(std::string(50000, '['), kTagText);
  list.push_back(std::string(50000, ']'), kTagText);
  list.push_back(std::string(50000, '['), kTagText);
  for (int k = 0; k < 4; ++k) list.push_back("", kTagText);
  EXPECT_LT(Seconds([&] { DetectUpperIndex(list, t.ctx); }), 2.0);
  EXPECT_EQ(list.text(0).find('['), std::string::npos);
  EXPECT_EQ(list.text(1).find(']'), std::string::npos);
  EXPECT_EQ(list.text(2), std::string(50000, '['));
}

// ---------------------------------------------------------------------------
// Unneeded text.

TEST(DeleteCharAfterEach, DeletesAtTheFirstOccurrencePlusTheOffset) {
  EXPECT_EQ(DeleteCharAfterEach("  ", "a    b  c", 0), "a b c");
  EXPECT_EQ(DeleteCharAfterEach("ab", "aaabbb", 0), "bbb");
  EXPECT_EQ(DeleteCharAfterEach("ab", "aaabbb", 1), "aaa");
  EXPECT_EQ(DeleteCharAfterEach("<i> ", "<i>   x", 3), "<i>x");
  // An offset outside the pattern would never end: nothing is deleted.
  EXPECT_EQ(DeleteCharAfterEach("ab", "ab", 2), "ab");
  EXPECT_EQ(DeleteCharAfterEach("", "ab", 0), "ab");
}

TEST(DeleteCharAfterEach, MatchesTheDirectTranscriptionOnRandomInput) {
  std::mt19937 rng(12);
  // Patterns that begin with spaces are searched from their first other
  // character; a pattern of spaces only, from its last one.
  const std::vector<std::string> patterns = {"aa", "ab",  "aba", "abab", "aab", "> <",
                                             "-",  "a  ", " >",  "  a",  "   ", " <-"};
  const std::vector<std::string> pieces = {"a", "b", " ", ">", "<", "-"};
  for (int round = 0; round < 30000; ++round) {
    const std::string& pattern = patterns[rng() % patterns.size()];
    const std::size_t offset = rng() % pattern.size();
    const std::string text = RandomText(rng, pieces, 14);
    ASSERT_EQ(DeleteCharAfterEach(pattern, text, offset), ReferenceDeleteCharAfterEach(pattern, text, offset))
        << pattern << " " << offset << " [" << text << "]";
  }
}

TEST(TidyLine, EachPatternDeletesItsSpaceAndNothingElse) {
  const std::string run = "&nbsp;&nbsp;";
  EXPECT_EQ(TidyLine("a  -- b", run), "a - b");
  EXPECT_EQ(TidyLine("a --- b", run), "a - b");
  EXPECT_EQ(TidyLine("<b> <i>", run), "<b><i>");
  EXPECT_EQ(TidyLine("< p >", run), "<p>");
  EXPECT_EQ(TidyLine("x </div> y </p> z <h1 w <p v", run), "x</div> y</p> z<h1 w<p v");
  EXPECT_EQ(TidyLine("a </i> </b> </font> </strong> </sub> </sup> </em>", run),
            "a</i></b></font></strong></sub></sup></em>");
  EXPECT_EQ(TidyLine("<i> a<b> b<font> c<strong> d<sub> e<sup> f<em> g", run),
            "<i>a<b>b<font>c<strong>d<sub>e<sup>f<em>g");
  EXPECT_EQ(TidyLine("&nbsp; x <div>", run), "&nbsp;x<div>");
  // Tags not in the list keep their space.
  EXPECT_EQ(TidyLine("<u> x <br>", run), "<u> x <br>");
}

TEST(TidyLine, BreakAfterAnEmptyIndentGoes) {
  EXPECT_EQ(TidyLine("<div>&nbsp;&nbsp;<br>text</div>", "&nbsp;&nbsp;"), "<div>&nbsp;&nbsp;text</div>");
  EXPECT_EQ(TidyLine("<div>&nbsp;&nbsp;<br> <br>  <br> text", "&nbsp;&nbsp;"), "<div>&nbsp;&nbsp;text");
  // Only right after "<div>" and the run of the configured length.
  EXPECT_EQ(TidyLine("<div>&nbsp;<br>x", "&nbsp;&nbsp;"), "<div>&nbsp;<br>x");
  EXPECT_EQ(TidyLine("<div><br><br>x", ""), "<div>x");
  EXPECT_EQ(TidyLine("<div><br> x", ""), "<div> x");
}

TEST(TidyLine, MatchesTheDirectTranscriptionOnRandomInput) {
  std::mt19937 rng(13);
  const std::vector<std::string> pieces = {" ",      "  ",   "<",    ">",     "<div>", "&nbsp;", "<br>",
                                           "<br>",   "</div>", "<i>", "</i>", "<p",    "-",      "--",
                                           "a",      "<h",   "<sup>", "</sup>", "<b>",  "<em>",   "<font>",
                                           "<strong>", "<sub>", "<div"};
  const std::vector<std::string> runs = {"", "&nbsp;", "&nbsp;&nbsp;"};
  for (int round = 0; round < 30000; ++round) {
    const std::string& run = runs[rng() % runs.size()];
    std::string line = RandomText(rng, pieces, 10);
    if (rng() % 3 == 0) line.insert(rng() % (line.size() + 1), "<div>" + run + "<br>");
    ASSERT_EQ(TidyLine(line, run), ReferenceTidy(line, run)) << "[" << line << "] run " << run.size();
  }
}

TEST(TidyLine, LinearOnHostileLines) {
  const std::string run = "&nbsp;&nbsp;";
  std::string breaks = "<div>" + run;
  for (int k = 0; k < 50000; ++k) breaks += "<br> ";
  std::string out;
  EXPECT_LT(Seconds([&] { out = TidyLine(breaks, run); }), 2.0);
  EXPECT_EQ(out, "<div>" + run);
  EXPECT_LT(Seconds([&] { out = TidyLine(std::string(100000, ' ') + std::string(100000, '-'), run); }), 2.0);
  EXPECT_EQ(out, " -");
  EXPECT_LT(Seconds([&] { out = TidyLine("<" + std::string(100000, ' ') + ">", run); }), 2.0);
  EXPECT_EQ(out, "<>");
}

TEST(RemoveUnneededText, DeletesEmptyLinesAndEmptyParagraphs) {
  TestContext t;
  auto list = ListOf({{"<head>", 100},
                      {"<div align=\"justify\">&nbsp;&nbsp;</div>", 100},
                      {"", 0},
                      {"<div align=\"justify\">&nbsp;&nbsp; </div>", 100},
                      {"   ", 0},
                      {"<!--  two  spaces  -->", 101},
                      {"", 101},
                      {"<div align=\"justify\">&nbsp;&nbsp;a  b </div>", 100},
                      {"<div align=\"justify\">&nbsp;</div>", 100},
                      {"</body></html>", 100}});
  RemoveUnneededText(list, t.ctx);
  EXPECT_EQ(list.texts(),
            (std::vector<std::string>{"<head>", "<!--  two  spaces  -->", "",
                                      "<div align=\"justify\">&nbsp;&nbsp;a b</div>",
                                      "<div align=\"justify\">&nbsp;</div>", "</body></html>"}));
  EXPECT_EQ(t.observer.tasks, (std::vector<std::string>{"CurrentTask: Removing unneeded text"}));
}

TEST(RemoveUnneededText, EmptyParagraphFollowsTheParagraphOptions) {
  TestContext t;
  t.options.SetText(Opt::ParagraphStartTag, "<p>");
  t.options.SetText(Opt::ParagraphEndTag, "</p>");
  t.options.SetNumber(Opt::NumberOfNbsp, 0);
  auto list = ListOf({{"<p></p>", 100}, {"<div align=\"justify\"></div>", 100}, {"<p>x</p>", 100}});
  RemoveUnneededText(list, t.ctx);
  EXPECT_EQ(list.texts(), (std::vector<std::string>{"<div align=\"justify\"></div>", "<p>x</p>"}));
}

}  // namespace
}  // namespace norvella
