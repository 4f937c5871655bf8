#include "core/convert/strip_tags.h"

#include <gtest/gtest.h>

#include "tests/support/test_context.h"

namespace norvella {
namespace {

using test::ListOf;
using test::TestContext;

std::string Stripped(std::string line) {
  TestContext t;
  auto list = ListOf({{std::move(line), 1}});
  RemoveStylesAndClasses(list, t.ctx);
  return list.text(0);
}

TEST(RemoveStylesAndClasses, RemovesFirstStyleAndClass) {
  EXPECT_EQ(Stripped("<p class=msonormal style=\"margin:0\">"), "<p >");
  EXPECT_EQ(Stripped("<div style=x>"), "<div >");
  // The space before the attribute stays.
  EXPECT_EQ(Stripped("<p style='a b' align=center>"), "<p  align=center>");
  // Only the exact "style=" is an attribute to remove.
  EXPECT_EQ(Stripped("<p style = \"x\">"), "<p style = \"x\">");
  // Only the first of each goes.
  EXPECT_EQ(Stripped("<p style=a style=b>"), "<p style=b>");
}

TEST(RemoveStylesAndClasses, AValuelessAttributeKeepsTheTagClosed) {
  EXPECT_EQ(Stripped("<p style=>"), "<p >");
  EXPECT_EQ(Stripped("<p class=   >"), "<p >");
}

TEST(RemoveStylesAndClasses, TextLinesAreNotTouched) {
  TestContext t;
  auto list = ListOf({{"he wrote style=bold", 0}, {"<!-- class=x -->", 101}});
  RemoveStylesAndClasses(list, t.ctx);
  EXPECT_EQ(list.text(0), "he wrote style=bold");
  EXPECT_EQ(list.text(1), "<!-- class=x -->");
}

TEST(RemoveSpanTags, DeletesSpanLinesAndKeepsTheText) {
  TestContext t;
  auto list = ListOf({{"<span lang=ru>", 1}, {"text", 0}, {"</span>", 1}, {"<!-- <span> -->", 101}});
  RemoveSpanTags(list, t.ctx);
  EXPECT_EQ(list.texts(), (std::vector<std::string>{"text", "<!-- <span> -->"}));
  EXPECT_EQ(t.observer.tasks.front(), "CurrentTask: Removing <span>");
}

TEST(RemoveFontTags, OffByDefault) {
  TestContext t;
  auto list = ListOf({{"<font color=red>", 1}});
  RemoveFontTags(list, t.ctx);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(t.observer.tasks.front(), "CurrentTask: Removing <font>");
}

TEST(RemoveFontTags, KeepsTheTextAfterALeadingClosingTag) {
  TestContext t;
  t.options.SetFlag(Opt::KillFontTags, true);
  auto list = ListOf({{"<font color=red>", 1}, {"red", 0}, {"</font> rest of the sentence", 0},
                      {"</FONT>", 0}, {"</font>", 1}});
  RemoveFontTags(list, t.ctx);
  EXPECT_EQ(list.texts(), (std::vector<std::string>{"red", " rest of the sentence"}));
}

}  // namespace
}  // namespace norvella
