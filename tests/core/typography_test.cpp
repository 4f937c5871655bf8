#include "core/convert/typography.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "tests/support/random_text.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::TestContext;

// «, », – and … in the expected texts.
#define L "\xAB"
#define R "\xBB"
#define D "\x96"
#define E "\x85"

// The rules as written, one occurrence at a time.
std::string ReferenceQuotes(std::string s) {
  for (const char* pair : {" \"", "-\"", "(\"", ";\""})
    for (auto at = s.find(pair); at != std::string::npos; at = s.find(pair)) s[at + 1] = kLeftGuillemet;
  for (const char* pair : {"\" ", "\"<", "\"&", "\".", "\",", "\";", "\":", "\"?", "\"!", "\")", "\"-"})
    for (auto at = s.find(pair); at != std::string::npos; at = s.find(pair)) s[at] = kRightGuillemet;
  if (!s.empty() && s.back() == '"') s.back() = kRightGuillemet;
  if (!s.empty() && s.front() == '"') s.front() = kLeftGuillemet;
  return s;
}

std::string ReferenceDashes(std::string s, const std::string& run) {
  for (auto at = s.find("- "); at != std::string::npos; at = s.find("- ")) s[at] = kDash;
  for (auto at = s.find(" -"); at != std::string::npos; at = s.find(" -")) s[at + 1] = kDash;
  const std::string opening = run + D " ";
  if (const auto at = s.find(opening); at != std::string::npos) s.replace(at + opening.size() - 1, 1, "&nbsp;");
  return s;
}

std::string ReferenceEllipses(std::string s) {
  for (auto at = s.find("..."); at != std::string::npos; at = s.find("...")) s.replace(at, 3, E);
  return s;
}

using test::RandomText;

// A list whose first six lines stand for the document head.
WorkingList WithHead(std::vector<Line> body) {
  WorkingList list;
  for (int k = 0; k < 6; ++k) list.push_back("\"head\" - ...", kTagFinished);
  for (auto& l : body) list.push_back(std::move(l));
  return list;
}

// ---------------------------------------------------------------------------
// Quotes.

TEST(QuotesInLine, OpensAfterAndClosesBefore) {
  EXPECT_EQ(QuotesInLine("He said: \"Yes\"."), "He said: " L "Yes" R ".");
  EXPECT_EQ(QuotesInLine("\"Yes\""), L "Yes" R);
  EXPECT_EQ(QuotesInLine("(\"a\"), -\"b\"- ;\"c\";"), "(" L "a" R "), -" L "b" R "- ;" L "c" R ";");
  // Between letters or digits the quote stays straight.
  EXPECT_EQ(QuotesInLine("a\"b 1\"2"), "a\"b 1\"2");
  // A quote between two spaces opens: the opening rules go first.
  EXPECT_EQ(QuotesInLine("x \" y"), "x " L " y");
  EXPECT_EQ(QuotesInLine("\""), R);
}

TEST(QuotesInLine, NextToTagsAndEntities) {
  // After a space the quote before a tag opens; at the start of the line the
  // closing rule for a quote before "<" comes first.
  EXPECT_EQ(QuotesInLine("x \"<i>word</i>\" y"), "x " L "<i>word</i>" R " y");
  EXPECT_EQ(QuotesInLine("\"<i>word</i>\" y"), R "<i>word</i>" R " y");
  // A leading closing tag and a note mark after the word.
  EXPECT_EQ(QuotesInLine("</i>\" said he"), "</i>" R " said he");
  EXPECT_EQ(QuotesInLine("the \"Word\"&nbsp;<sup>1</sup>"), "the " L "Word" R "&nbsp;<sup>1</sup>");
  // After a tag nothing opens; after an entity the ";" rule does.
  EXPECT_EQ(QuotesInLine("<b>\"x"), "<b>\"x");
  EXPECT_EQ(QuotesInLine("&nbsp;\"x"), "&nbsp;" L "x");
}

TEST(ConvertQuotes, OnlyTextLinesAfterTheHead) {
  TestContext t;
  auto list = WithHead({{"\"a\"", kTagText},
                        {"<p title=\"b\">", kTagHtml},
                        {"<!-- \"c\" -->", kTagComment},
                        {"", kTagText},
                        {"\"d\"", kTagFinished}});
  ConvertQuotes(list, t.ctx);
  EXPECT_EQ(list.text(0), "\"head\" - ...");
  EXPECT_EQ(list.text(5), "\"head\" - ...");
  EXPECT_EQ(list.text(6), L "a" R);
  EXPECT_EQ(list.text(7), "<p title=\"b\">");
  EXPECT_EQ(list.text(8), "<!-- \"c\" -->");
  EXPECT_EQ(list.text(10), L "d" R);
  EXPECT_EQ(t.observer.tasks, (std::vector<std::string>{"CurrentTask: Searching for [ \" ]"}));
}

TEST(ConvertQuotes, OffShowsNoTask) {
  TestContext t;
  t.options.SetFlag(Opt::ConvertQuotes, false);
  auto list = WithHead({{"\"a\"", kTagText}});
  ConvertQuotes(list, t.ctx);
  EXPECT_EQ(list.text(6), "\"a\"");
  EXPECT_TRUE(t.observer.tasks.empty());
}

TEST(QuotesInLine, MatchesTheDirectTranscriptionOnRandomInput) {
  std::mt19937 rng(20);
  const std::vector<std::string> pieces = {"\"", "\"", "\"", " ", "-", "(", ";", "<", "&", ".",
                                           ",", ":", "?", "!", ")", "a", "1"};
  for (int round = 0; round < 30000; ++round) {
    const std::string line = RandomText(rng, pieces, 12);
    ASSERT_EQ(QuotesInLine(line), ReferenceQuotes(line)) << line;
  }
}

// ---------------------------------------------------------------------------
// Dashes.

TEST(DashesInLine, HyphenNextToASpace) {
  EXPECT_EQ(DashesInLine("a - b", "&nbsp;&nbsp;"), "a " D " b");
  EXPECT_EQ(DashesInLine("a- b -c", "&nbsp;&nbsp;"), "a" D " b " D "c");
  // "из-за": no space, no dash.
  EXPECT_EQ(DashesInLine("\xE8\xE7-\xE7\xE0", "&nbsp;&nbsp;"), "\xE8\xE7-\xE7\xE0");
}

TEST(DashesInLine, DashOpeningAParagraphKeepsItsWord) {
  EXPECT_EQ(DashesInLine("<div align=\"justify\">&nbsp;&nbsp;- \xCF\xF0\xE8\xE2\xE5\xF2", "&nbsp;&nbsp;"),
            "<div align=\"justify\">&nbsp;&nbsp;" D "&nbsp;\xCF\xF0\xE8\xE2\xE5\xF2");
  // Only the first such place; a dash inside the text keeps its space.
  EXPECT_EQ(DashesInLine("&nbsp;&nbsp;- a - b", "&nbsp;&nbsp;"), "&nbsp;&nbsp;" D "&nbsp;a " D " b");
  EXPECT_EQ(DashesInLine("a - b - c", "&nbsp;&nbsp;"), "a " D " b " D " c");
  // With no run the first dash followed by a space anywhere gets it.
  EXPECT_EQ(DashesInLine("a - b - c", ""), "a " D "&nbsp;b " D " c");
}

TEST(ConvertDashes, EveryLineButTheFirstAndComments) {
  TestContext t;
  auto list = test::ListOf({{"<!doctype \"-//w3c//dtd\"> a - b", kTagFinished},
                            {"<title>A - B</title>", kTagFinished},
                            {"<!-- a - b -->", kTagComment},
                            {"<hr> - ", kTagHtml}});
  ConvertDashes(list, t.ctx);
  EXPECT_EQ(list.texts(), (std::vector<std::string>{"<!doctype \"-//w3c//dtd\"> a - b",
                                                    "<title>A " D " B</title>", "<!-- a - b -->",
                                                    "<hr> " D " "}));
  t.options.SetFlag(Opt::ConvertDashes, false);
  list.text(3) = "a - b";
  ConvertDashes(list, t.ctx);
  EXPECT_EQ(list.text(3), "a - b");
  EXPECT_EQ(t.observer.tasks, (std::vector<std::string>{"CurrentTask:  Searching for [-]",
                                                        "CurrentTask:  Searching for [-]"}));
}

TEST(DashesInLine, MatchesTheDirectTranscriptionOnRandomInput) {
  std::mt19937 rng(21);
  const std::vector<std::string> pieces = {"-", "-", " ", " ", "a", "&nbsp;", D};
  const std::vector<std::string> runs = {"", "&nbsp;", "&nbsp;&nbsp;"};
  for (int round = 0; round < 30000; ++round) {
    const std::string& run = runs[rng() % runs.size()];
    const std::string line = RandomText(rng, pieces, 12);
    ASSERT_EQ(DashesInLine(line, run), ReferenceDashes(line, run)) << line;
  }
}

// ---------------------------------------------------------------------------
// Ellipses.

TEST(EllipsesInLine, ThreePointsAtATime) {
  EXPECT_EQ(EllipsesInLine("Wait..."), "Wait" E);
  EXPECT_EQ(EllipsesInLine("....."), E "..");
  EXPECT_EQ(EllipsesInLine("...."), E ".");
  EXPECT_EQ(EllipsesInLine("......"), E E);
  EXPECT_EQ(EllipsesInLine(".. ."), ".. .");
}

TEST(ConvertEllipses, EveryLineAfterTheHeadWhateverItsTag) {
  TestContext t;
  auto list = WithHead({{"a...", kTagText}, {"<!-- b... -->", kTagComment}, {"<p title=\"...\">", kTagHtml}});
  ConvertEllipses(list, t.ctx);
  EXPECT_EQ(list.text(5), "\"head\" - ...");
  EXPECT_EQ(list.text(6), "a" E);
  EXPECT_EQ(list.text(7), "<!-- b" E " -->");
  EXPECT_EQ(list.text(8), "<p title=\"" E "\">");
  t.options.SetFlag(Opt::ConvertThreePoints, false);
  list.text(6) = "a...";
  ConvertEllipses(list, t.ctx);
  EXPECT_EQ(list.text(6), "a...");
  EXPECT_EQ(t.observer.tasks.back(), "CurrentTask:  Searching for [...]");
  EXPECT_EQ(t.observer.tasks.size(), 2u);
}

TEST(EllipsesInLine, MatchesTheDirectTranscriptionOnRandomInput) {
  std::mt19937 rng(22);
  const std::vector<std::string> pieces = {".", ".", ".", "a", " ", E};
  for (int round = 0; round < 30000; ++round) {
    const std::string line = RandomText(rng, pieces, 14);
    ASSERT_EQ(EllipsesInLine(line), ReferenceEllipses(line)) << line;
  }
}

TEST(Typography, LinearOnLongRuns) {
  TestContext t;
  auto list = WithHead({{std::string(100000, '"'), kTagText},
                        {std::string(100000, '.'), kTagText},
                        {"&nbsp;&nbsp;" + std::string(100000, '-') + " " + std::string(100000, ' ') + "-", kTagText}});
  const auto start = std::chrono::steady_clock::now();
  ConvertQuotes(list, t.ctx);
  ConvertDashes(list, t.ctx);
  ConvertEllipses(list, t.ctx);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
  EXPECT_EQ(list.text(6).front(), kLeftGuillemet);
  EXPECT_EQ(list.text(6).back(), kRightGuillemet);
  EXPECT_EQ(list.text(7).size(), 33334u);
  EXPECT_EQ(list.text(8).back(), kDash);
}

#undef L
#undef R
#undef D
#undef E

}  // namespace
}  // namespace norvella
