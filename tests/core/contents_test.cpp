#include "core/convert/contents.h"

#include <gtest/gtest.h>

#include <random>

#include "core/base/text.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::TestContext;

// Two head lines, the body and the end line; lines that start with "<" are
// finished lines, "<!--" comments, the rest text.
WorkingList Book(const std::vector<std::string>& body) {
  std::vector<Line> lines = {{"<head>", 100}, {"<title>", 100}};
  for (const auto& text : body)
    lines.push_back({text, StartsWith(text, "<!--") ? 101 : StartsWith(text, "<") ? 100 : 0});
  lines.push_back({"</body></html>", 100});
  return WorkingList(std::move(lines));
}

std::vector<std::string> Rules(const std::vector<std::string>& body, TestContext& t) {
  WorkingList list = Book(body);
  InsertPageRules(list, t.ctx);
  const std::vector<std::string> out = list.texts();
  return std::vector<std::string>(out.begin() + 2, out.end() - 1);
}

TEST(InsertPageRules, RulesGoExceptTheProgramsOwnAndAPageRuleStandsBeforeEachHeader) {
  TestContext t;
  const std::string marker(kMarkerRule);
  // Line 5 is the first one looked at.
  EXPECT_EQ(Rules({"a", "<hr>", "c", "<h1>x</h1>", "<hr width=50%>", "t<hr>e<hr size=1>xt", "<h2>y</h2>",
                   marker + "<a>note</a><hr>", "tail<hr size=", "<h6>z"},
                  t),
            (std::vector<std::string>{"a", "<hr>", "c<hr size=\"0\">", "<h1>x</h1>", "text<hr size=\"0\">",
                                      "<h2>y</h2>", marker + "<a>note</a><hr>", "tail<hr size=\"0\">",
                                      "<h6>z"}));
  // Comments are left alone.
  EXPECT_EQ(Rules({"a", "b", "c", "<!-- <hr> -->", "<!-- <h1>x</h1> -->"}, t)[3], "<!-- <hr> -->");
  EXPECT_EQ(t.observer.tasks.front(), "CurrentTask: Inserting <hr>");

  TestContext off;
  off.options.SetFlag(Opt::InsertHr, false);
  EXPECT_EQ(Rules({"a", "b", "c", "<hr>", "<h1>x</h1>"}, off)[3], "<hr>");
  EXPECT_TRUE(off.observer.tasks.empty());
}

// Deleting the first rule over and over, as the rule is stated.
RuleRemoval ReferenceRemoveRules(std::string& line) {
  while (true) {
    const std::size_t p = line.find("<hr");
    if (p == std::string::npos) return RuleRemoval::kNoRule;
    if (Contains(line, kMarkerRule)) return RuleRemoval::kMarker;
    const std::size_t q = line.find('>', p);
    line.erase(p, q == std::string::npos ? std::string::npos : q - p + 1);
  }
}

TEST(RemoveRules, MatchesRepeatedDeletionOnRandomInput) {
  std::mt19937 rng(20);
  static const char* kPieces[] = {"<", "h", "r", ">", "<hr", "<hr>", "x", " ", "<h1>",
                                  "<hr size=\"0\" id=\"norvella\">", "<hr size=\"0\" id=\"nor",
                                  "vella\">", "hr size=\"0\" id=\"norvella\">", "<h"};
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    const int pieces = static_cast<int>(rng() % 9);
    for (int k = 0; k < pieces; ++k) line += kPieces[rng() % std::size(kPieces)];
    std::string fast = line, slow = line;
    const RuleRemoval a = RemoveRules(fast), b = ReferenceRemoveRules(slow);
    ASSERT_EQ(fast, slow) << line;
    ASSERT_EQ(a, b) << line;
  }
  // Removing a rule may join the text around it into another rule, or into
  // the program's own rule, which then stays.
  std::string joined = "<<<hr>hr>hr>x";
  EXPECT_EQ(RemoveRules(joined), RuleRemoval::kNoRule);
  EXPECT_EQ(joined, "x");
  joined = "<<hr>" + std::string(kMarkerRule.substr(1)) + "<hr>";
  EXPECT_EQ(RemoveRules(joined), RuleRemoval::kMarker);
  EXPECT_EQ(joined, std::string(kMarkerRule) + "<hr>");
}

TEST(DeleteNbsp, MatchesRepeatedDeletionOnRandomInput) {
  std::mt19937 rng(21);
  static const char* kPieces[] = {"&", "nbsp;", "&nbsp;", "&nb", "sp;", "x", ";", "&n"};
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int pieces = static_cast<int>(rng() % 9);
    for (int k = 0; k < pieces; ++k) text += kPieces[rng() % std::size(kPieces)];
    std::string slow = text;
    for (auto p = slow.find("&nbsp;"); p != std::string::npos; p = slow.find("&nbsp;")) slow.erase(p, 6);
    ASSERT_EQ(DeleteNbsp(text), slow) << text;
  }
}

// Records the entries offered and unticks those listed.
class Confirmer final : public ConversionQuestions {
 public:
  void ConfirmContents(std::vector<ContentsEntry>& entries) override {
    offered = entries;
    for (std::size_t k : untick) entries[k].ticked = false;
  }
  std::vector<ContentsEntry> offered;
  std::vector<std::size_t> untick;
};

struct Contents {
  TestContext t;
  Confirmer confirmer;
  StageContext ctx{t.options, t.strings, t.templates, t.document, t.status, confirmer};
  std::vector<std::string> Run(const std::vector<std::string>& body) {
    t.document.title = "Book";
    WorkingList list = Book(body);
    CreateContents(list, ctx);
    EXPECT_EQ(list.back().text, "</body></html>");
    return list.texts();
  }
};

TEST(CreateContents, AnchorsBackLinksAndEntriesFromLineFive) {
  Contents c;
  const auto out = c.Run({"a", "b", "c", "d", "<h1 align=\"center\">Part one</h1>", "e", "<h2>IV</h2>"});
  EXPECT_EQ(out[2], "<a name=\"start000\"><h1>Book</h1></a>");
  EXPECT_EQ(out[5], "<h3><a href=\"#linktostr7\">Part one</a></h3>");
  EXPECT_EQ(out[6], "<blockquote><blockquote><h3><a href=\"#linktostr9\">IV &nbsp;&nbsp;&gt;&gt;&gt;</a>"
                    "</h3></blockquote></blockquote>");
  EXPECT_EQ(out[9], "<h1 align=\"center\"><a name=\"linktostr7\">Part one</a>&nbsp;"
                    "<a href=\"#start000\">&nbsp;^&nbsp;</a></h1>");
  EXPECT_EQ(out[11], "<h2><a name=\"linktostr9\">IV</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a></h2>");
  ASSERT_EQ(c.confirmer.offered.size(), 2u);
  EXPECT_EQ(c.confirmer.offered[1].text, "IV >>>");
  EXPECT_EQ(c.confirmer.offered[1].line, 9u);
  EXPECT_EQ(c.confirmer.offered[1].level, 2);
  EXPECT_EQ(c.t.observer.tasks.back(), "CurrentTask: Creating table of content");
}

TEST(CreateContents, EntryTextsAndHeadersThatGiveNone) {
  Contents c;
  const std::vector<std::string> body = {"<h1>  &nbsp;Title&nbsp;</h1>", "<h1>&nbsp; Two</h1>",
                                         "<h1>   </h1>", "<h1>&nbsp;&nbsp;</h1>", "<h1><i>x</i></h1>",
                                         "<h1>no close", "<!-- <h1>Quoted</h1> -->"};
  const auto out = c.Run(body);
  EXPECT_EQ(out[5], "<h3><a href=\"#linktostr3\">Title</a></h3>");
  EXPECT_EQ(out[6], "<h3><a href=\"#linktostr4\"> Two</a></h3>");
  EXPECT_EQ(std::vector<std::string>(out.begin() + 7, out.end() - 1),
            std::vector<std::string>(body.begin() + 2, body.end()));
}

TEST(CreateContents, LevelsIndentFromTheSmallestButNoHigherThanThree) {
  Contents c;
  auto entries = [&](std::vector<std::string> body) {
    c.Run(body);
    std::vector<int> levels;
    for (const auto& e : c.confirmer.offered) levels.push_back(e.level);
    return levels;
  };
  EXPECT_EQ(c.Run({"a", "<h4>Deep</h4>"})[5],
            "<blockquote><blockquote><h3><a href=\"#linktostr4\">Deep</a></h3></blockquote></blockquote>");
  EXPECT_EQ(c.Run({"a", "<h3>Middle</h3>"})[5], "<h3><a href=\"#linktostr4\">Middle</a></h3>");
  // The level is the digit after the first "<h"; after a rule, the tag's.
  EXPECT_EQ(entries({"<h2>A</h2><h1>B</h1>", "<hr><h5>C</h5>"}), (std::vector<int>{2, 5}));
}

TEST(CreateContents, ConfirmationAndOptions) {
  Contents all;
  all.confirmer.untick = {0, 1};
  const auto out = all.Run({"a", "<h1>One</h1>", "<h1>Two</h1>", "b"});
  EXPECT_EQ(out.size(), 8u);  // the title heading is the only new line
  EXPECT_EQ(out[4], "<h1><a name=\"linktostr4\">One</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a></h1>");

  Contents unconfirmed;
  unconfirmed.t.options.SetFlag(Opt::ConfirmToc, false);
  unconfirmed.Run({"a", "<h1>One</h1>"});
  EXPECT_TRUE(unconfirmed.confirmer.offered.empty());

  Contents off;
  off.t.options.SetFlag(Opt::CreateToc, false);
  EXPECT_EQ(off.Run({"a", "<h1>One</h1>"}),
            (std::vector<std::string>{"<head>", "<title>", "<a name=\"start000\"><h1>Book</h1></a>", "a",
                                      "<h1>One</h1>", "</body></html>"}));
  EXPECT_EQ(off.t.observer.tasks, std::vector<std::string>{"CurrentTask: Creating table of content"});
}

TEST(CreateContents, MisplacedClosingTagsDoNotSplitTheAnchor) {
  Contents c;
  const auto out = c.Run({"x</h2><h1>Title</h1>", "<h1>Open<br>"});
  const std::string back = "</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a>";
  EXPECT_EQ(out[3], "x</h2><h1><a name=\"linktostr3\">Title" + back + "</h1>");
  EXPECT_EQ(out[4], "<h1><a name=\"linktostr4\">Open<br>" + back);
  // In a list too short for line 5, the entries still go before the end line.
  EXPECT_EQ(c.Run({"<h1>Solo</h1>"})[4], "<h3><a href=\"#linktostr3\">Solo</a></h3>");
}

}  // namespace
}  // namespace norvella
