#include "core/editor/markup.h"

#include <gtest/gtest.h>

#include <random>

#include "core/settings/options.h"
#include "tests/support/random_text.h"

namespace norvella {
namespace {

std::string Wrap(MarkupKind kind, std::string_view selected, const Options& options = Options()) {
  SelectionEdit edit;
  if (!WrapSelection(kind, options, selected, edit)) return "(nothing)";
  EXPECT_EQ(edit.selectStart, edit.text.size()) << "the caret goes after the inserted text";
  EXPECT_EQ(edit.selectLength, 0u);
  return edit.text;
}

TEST(EditorMarkup, LineBreaksAtTheEndsMoveOutsideTheTags) {
  EXPECT_EQ(Wrap(MarkupKind::Bold, "word\r"), "<b>word</b>\r");
  EXPECT_EQ(Wrap(MarkupKind::Italic, "\r\nword\r\n"), "\r<i>word</i>\r");
  EXPECT_EQ(Wrap(MarkupKind::UpperIndex, "\r\r2"), "\r<sup>2</sup>");
  // A break inside the selection stays where it is.
  EXPECT_EQ(Wrap(MarkupKind::Bold, "a\rb"), "<b>a\rb</b>");
}

TEST(EditorMarkup, BlockCommandsStandOnLinesOfTheirOwn) {
  EXPECT_EQ(Wrap(MarkupKind::Head1, "Chapter one\r"), "\r<h1>Chapter one</h1>\r");
  EXPECT_EQ(Wrap(MarkupKind::Head3, "\r\rTitle\r\r"), "\r<h3>Title</h3>\r");
  // Runs of returns inside a block become one; outside blocks they stay.
  EXPECT_EQ(Wrap(MarkupKind::Blockquote, "one\r\r\rtwo"), "\r<blockquote>one\rtwo</blockquote>\r");
  EXPECT_EQ(Wrap(MarkupKind::Bold, "one\r\rtwo"), "<b>one\r\rtwo</b>");
  EXPECT_EQ(Wrap(MarkupKind::List, "item"), "\r<li type=\"1\">item</li>\r");
  EXPECT_EQ(Wrap(MarkupKind::AlignCenter, "x"), "\r<div align=\"center\">x</div>\r");
  EXPECT_EQ(Wrap(MarkupKind::Justify, "x"), "\r<div align=\"justify\">x</div>\r");
}

TEST(EditorMarkup, SpacesAreTidiedByEveryWrappingCommand) {
  for (const MarkupCommand& command : MarkupCommands()) {
    const std::string out = Wrap(command.kind, "a  b   c");
    EXPECT_EQ(out.find("  "), std::string::npos) << command.hint;
    EXPECT_NE(out.find("a b c"), std::string::npos) << command.hint;
  }
  // A line holding only a space is joined to the line before it.
  EXPECT_EQ(Wrap(MarkupKind::Bold, "a\r \rb"), "<b>a \rb</b>");
}

TEST(EditorMarkup, OnlyLineBreaksGiveTheBareTags) {
  EXPECT_EQ(Wrap(MarkupKind::Bold, "\r\r"), "<b></b>\r");
  EXPECT_EQ(Wrap(MarkupKind::Head2, "\r"), "\r<h2></h2>\r");
  EXPECT_EQ(Wrap(MarkupKind::Blockquote, ""), "\r<blockquote></blockquote>\r");
  EXPECT_EQ(Wrap(MarkupKind::LowerText, ""), "<sub></sub>");
}

TEST(EditorMarkup, CommandsThatNeedASelectionDoNothingWithout) {
  for (const MarkupCommand& command : MarkupCommands()) {
    SelectionEdit edit;
    EXPECT_EQ(WrapSelection(command.kind, Options(), "", edit), !command.needsSelection) << command.hint;
  }
  EXPECT_EQ(Wrap(MarkupKind::Epigraph, ""), "(nothing)");
  EXPECT_EQ(Wrap(MarkupKind::Head5, ""), "(nothing)");
}

TEST(EditorMarkup, ParagraphAndEpigraphTagsComeFromTheOptions) {
  Options options;
  EXPECT_EQ(Wrap(MarkupKind::Paragraph, "text", options), "\r<div align=\"justify\">text</div>\r");
  options.SetText(Opt::ParagraphStartTag, "<p class=\"x\">");
  options.StoreText(Opt::ParagraphEndTag, "</p>");
  EXPECT_EQ(Wrap(MarkupKind::Paragraph, "text", options), "\r<p class=\"x\">text</p>\r");
  // An emptied custom tag falls back to the built-in pair, whatever the end
  // tag holds.
  options.StoreText(Opt::ParagraphStartTag, "");
  EXPECT_EQ(Wrap(MarkupKind::Paragraph, "text", options), "\r<div align=\"justify\">text</div>\r");

  std::string six;
  std::string sixClose;
  for (int i = 0; i < 6; ++i) six += "<blockquote>", sixClose += "</blockquote>";
  EXPECT_EQ(Wrap(MarkupKind::Epigraph, "Words\r", options), "\r" + six + "\rWords\r" + sixClose + "\r");
  options.StoreText(Opt::OpenEpigraph, "");
  options.StoreText(Opt::CloseEpigraph, "");
  EXPECT_EQ(Wrap(MarkupKind::Epigraph, "Words", options), "\r" + six + "\rWords\r" + sixClose + "\r");
  options.StoreText(Opt::OpenEpigraph, "<div class=\"epigraph\">");
  options.StoreText(Opt::CloseEpigraph, "</div>");
  EXPECT_EQ(Wrap(MarkupKind::Epigraph, "Words", options), "\r<div class=\"epigraph\">\rWords\r</div>\r");
}

TEST(EditorMarkup, TheTableDescribesHowTheEditorShowsEachCommand) {
  const MarkupCommand& h1 = MarkupCommandOf(MarkupKind::Head1);
  EXPECT_EQ(h1.sizeIncrease, 4);
  EXPECT_TRUE(h1.bold && !h1.italic);
  const MarkupCommand& h2 = MarkupCommandOf(MarkupKind::Head2);
  EXPECT_TRUE(h2.bold && h2.italic);
  EXPECT_EQ(h2.sizeIncrease, 3);
  EXPECT_EQ(MarkupCommandOf(MarkupKind::UpperIndex).script, ScriptLook::Superscript);
  EXPECT_EQ(MarkupCommandOf(MarkupKind::Blockquote).indent, 35);
  EXPECT_EQ(MarkupCommandOf(MarkupKind::Epigraph).indent, 50);
  // Every button name appears once.
  for (std::size_t i = 0; i < MarkupCommands().size(); ++i)
    for (std::size_t j = i + 1; j < MarkupCommands().size(); ++j)
      EXPECT_NE(MarkupCommands()[i].button, MarkupCommands()[j].button);
}

TEST(EditorMarkup, BreakLineAndCase) {
  EXPECT_EQ(BreakLine().text, "<br>\r");
  SelectionEdit edit;
  ASSERT_TRUE(ChangeCase("\xE0\xE1\xE2 abc \xB8 &#8594;", true, edit));
  EXPECT_EQ(edit.text, "\xC0\xC1\xC2 ABC \xA8 &#8594;");
  EXPECT_EQ(edit.selectLength, edit.text.size());
  ASSERT_TRUE(ChangeCase("\xC0\xDF XY", false, edit));
  EXPECT_EQ(edit.text, "\xE0\xFF xy");
  EXPECT_FALSE(ChangeCase("", true, edit));
}

// The literal loop: while the pattern occurs, delete the first character of
// its first occurrence.
std::string DeleteWhileContains(std::string s, std::string_view pattern) {
  for (std::size_t at = s.find(pattern); at != std::string::npos; at = s.find(pattern)) s.erase(at, 1);
  return s;
}

TEST(EditorMarkup, OnePassTidyingEqualsTheDeletionLoops) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20000; ++round) {
    const std::string s = test::RandomText(rng, {"\r", " ", "a", "\r \r", "  "}, 12);
    std::string runs = s;
    CollapseRuns(runs, '\r');
    ASSERT_EQ(runs, DeleteWhileContains(s, "\r\r")) << testing::PrintToString(s);
    std::string lines = s;
    JoinSpaceOnlyLines(lines);
    ASSERT_EQ(lines, DeleteWhileContains(s, "\r \r")) << testing::PrintToString(s);
  }
}

}  // namespace
}  // namespace norvella
