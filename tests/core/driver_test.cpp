#include "core/convert/driver.h"

#include <gtest/gtest.h>

#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::TestContext;

TEST(ConversionDriver, ConvertsOnceUntilInvalidated) {
  TestContext t;
  ConversionDriver driver;
  std::vector<std::string> source = {"<html><body>", "text", "</body></html>"};
  EXPECT_TRUE(driver.ConvertText(source, t.ctx));
  EXPECT_TRUE(driver.Converted());
  EXPECT_TRUE(source.empty());
  EXPECT_EQ(t.observer.tasks.back(), "Ready");

  std::vector<std::string> again = {"other"};
  EXPECT_FALSE(driver.ConvertText(again, t.ctx));
  EXPECT_EQ(again.size(), 1u);  // not consumed
  driver.Invalidate();
  EXPECT_TRUE(driver.ConvertText(again, t.ctx));
  EXPECT_NE(driver.ResultLines()[3].find("other"), std::string::npos);
}

TEST(ConversionDriver, StagesRunInTableOrderWithTheirProcessTexts) {
  TestContext t;
  ConversionDriver driver;
  std::vector<std::string> source = {"text"};
  driver.ConvertText(source, t.ctx);
  const std::vector<std::string> expected = {
      "CurrentTask: Simplyfy HTML",        "CurrentTask: Adding new header",
      "CurrentTask: Adding correct end",   "CurrentTask: Removing forms and scripts",
      "CurrentTask: Removing images",      "CurrentTask: Removing links",
      "CurrentTask: Removing <pre> tags",  "CurrentTask: Removing <span>",
      "CurrentTask: Removing <font>",      "CurrentTask: Removing stylesheets",
      "CurrentTask: Detecting _italic_ text", "CurrentTask: Detecting [upper] text",
      "CurrentTask: Searching for [ \" ]",  "CurrentTask: Detecting headers",
      "CurrentTask: Detecting already paragraphs",
      "CurrentTask: Detecting paragraphs",
      "CurrentTask: Removing unneeded text", "CurrentTask:  Searching for [-]",
      "CurrentTask:  Searching for [...]",   "CurrentTask: Inserting <hr>",
      "CurrentTask: Creating table of content",
      "Ready"};
  EXPECT_EQ(t.observer.tasks, expected);
}

TEST(ConversionDriver, ProgressOnlyWhenThePercentageChanges) {
  TestContext t;
  std::vector<std::string> source(1000, "<p>a</p>");
  ConversionDriver driver;
  driver.ConvertText(source, t.ctx);
  for (std::size_t k = 1; k < t.observer.percents.size(); ++k)
    ASSERT_NE(t.observer.percents[k], t.observer.percents[k - 1]);
}

TEST(ConversionDriver, FrameAroundAPlainText) {
  TestContext t;
  t.document.comment = "c";
  const auto lines = RunConversion({"one", "two"}, t.ctx).lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2], (Line{"<a name=\"start000\"><h1></h1></a>", 100}));
  EXPECT_EQ(lines[3], (Line{"<div align=\"justify\">&nbsp;&nbsp;one two</div>", 100}));
  EXPECT_EQ(lines[4].text, "<hr size=\"0\"><div align=\"center\">c</div>");
  EXPECT_EQ(lines[5].text, "</body></html>");
}

}  // namespace
}  // namespace norvella
