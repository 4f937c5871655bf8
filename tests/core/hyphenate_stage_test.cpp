#include "core/convert/hyphenate.h"

#include <gtest/gtest.h>

#include "core/convert/driver.h"
#include "tests/support/hyph_support.h"
#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::ListOf;
using test::Ru;
using test::TestContext;
using test::UniformWidths;
using test::Utf;

// A finished document: head (3 lines), the given body lines, end.
WorkingList Document(const std::vector<std::string>& body) {
  std::vector<Line> lines = {{"<html><head>", 100}, {"<title>x</title></head><body>", 100},
                             {"<a name=\"start000\"><h1>t</h1></a>", 100}};
  for (const std::string& text : body) lines.push_back({Ru(text), 100});
  lines.push_back({"</body></html>", 100});
  return WorkingList(std::move(lines));
}

struct Stage : ::testing::Test {
  TestContext t;
  ActiveFontWidths narrow = UniformWidths(8);
  Stage() {
    t.options.SetFlag(Opt::Hyphenate, true);
    t.ctx.fontWidths = &narrow;
  }
  std::vector<std::string> Run(WorkingList list) {
    HyphenateParagraphs(list, t.ctx);
    std::vector<std::string> out;
    for (const std::string& text : list.texts()) out.push_back(Utf(text));
    return out;
  }
};

TEST_F(Stage, OffByDefaultAndSilent) {
  TestContext quiet;
  WorkingList list = Document({"<div>мы стаканами</div>"});
  HyphenateParagraphs(list, quiet.ctx);
  EXPECT_EQ(Utf(list.text(3)), "<div>мы стаканами</div>");
  EXPECT_TRUE(quiet.observer.tasks.empty());
}

TEST_F(Stage, HyphenatesTheBodiesOfDivAndPParagraphs) {
  const auto out = Run(Document({"<div align=\"justify\">мы стаканами</div>",
                                 "<p class=x>мы стаканами</p><br>", "мы стаканами",
                                 "<h2>мы стаканами</h2>"}));
  EXPECT_EQ(out[3], "<div align=\"justify\">мы ста-канами</div>");
  EXPECT_EQ(out[4], "<p class=x>мы ста-канами</p><br>");
  EXPECT_EQ(out[5], "мы стаканами");           // no paragraph
  EXPECT_EQ(out[6], "<h2>мы стаканами</h2>");  // headers are never hyphenated
  EXPECT_EQ(t.observer.tasks, std::vector<std::string>{"CurrentTask: Inserting hyphenation..."});
  EXPECT_FALSE(t.observer.percents.empty());
}

TEST_F(Stage, TheHeadTheEndCommentsAndOpenParagraphsStay) {
  WorkingList list = ListOf({{Ru("<div>мы стаканами</div>"), 100},
                             {Ru("<div>мы стаканами</div>"), 100},
                             {Ru("<div>мы стаканами</div>"), 100},
                             {Ru("<div>мы стаканами</div><!-- x -->"), 100},
                             {Ru("<div>мы стаканами"), 100},
                             {Ru("<div мы стаканами</div>"), 100},
                             {Ru("<div>мы стаканами</div>"), 100}});
  const auto out = Run(std::move(list));
  for (std::size_t i : {0u, 1u, 2u, 6u}) EXPECT_EQ(out[i], "<div>мы стаканами</div>") << i;
  EXPECT_EQ(out[3], "<div>мы стаканами</div><!-- x -->");
  EXPECT_EQ(out[4], "<div>мы стаканами");
  EXPECT_EQ(out[5], "<div мы стаканами</div>");
}

TEST_F(Stage, ABodyWithTagsIsHyphenatedOnlyInTheEveryBreakMode) {
  const std::vector<std::string> body = {"<div>мы <i>стаканами</i> стаканами</div>"};
  EXPECT_EQ(Run(Document(body))[3], "<div>мы <i>стаканами</i> стаканами</div>");
  t.options.SetText(Opt::HyphFont, "totaly &shy;");
  EXPECT_EQ(Run(Document(body))[3], "<div>мы <i>стаканами</i> ста&shy;ка&shy;нами</div>");
}

TEST_F(Stage, TheEveryBreakModeIgnoresTheLineWidthAndTheHyphString) {
  t.options.SetText(Opt::HyphFont, "totaly &shy;");
  t.options.SetText(Opt::HyphString, "-");
  EXPECT_EQ(Run(Document({"<p>мы стаканами, стакан</p>"}))[3],
            "<p>мы ста&shy;ка&shy;нами, стакан</p>");
}

TEST_F(Stage, TheOrientationChoosesTheLine) {
  // 429 pixels of the default font: more than the vertical line of 314,
  // less than the horizontal one of 474.
  const std::vector<std::string> body = {
      "<div>Ничего нет сердитее всякого рода департаментов, полков</div>"};
  MemoryFontStore store;
  ActiveFontWidths widths = BuiltinActiveFontWidths();
  t.ctx.fontWidths = &widths;
  t.options.SetText(Opt::HyphString, "&shy;");

  LoadFontWidths(store, t.options, widths);  // vertical by default
  EXPECT_EQ(Run(Document(body))[3],
            "<div>Ничего нет сердитее всякого рода депар&shy;таментов, полков</div>");
  t.options.SetFlag(Opt::ILikeOrientation, false);
  ReloadFontWidths(store, t.options, widths);
  EXPECT_EQ(Run(Document(body))[3], Utf(Ru(body[0])));
}

TEST(HyphenationStage, RunsLastInTheConversion) {
  TestContext t;
  t.options.SetFlag(Opt::Hyphenate, true);
  t.document.comment = "c";
  const WorkingList list = RunConversion({"text"}, t.ctx);
  ASSERT_GE(t.observer.tasks.size(), 2u);
  EXPECT_EQ(t.observer.tasks.back(), "CurrentTask: Inserting hyphenation...");
  // The closing comment is a paragraph of the body, but the last line is not.
  EXPECT_EQ(list.text(list.size() - 1), "</body></html>");
}

}  // namespace
}  // namespace norvella
