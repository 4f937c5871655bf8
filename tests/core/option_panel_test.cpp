// The option tree's nodes and the editor panel below it, without a window:
// captions and icons that follow the values, switching nodes, what each
// editor writes back, and the hyphenation font list.

#include "core/ui/option_panel.h"

#include <set>

#include <gtest/gtest.h>

#include "core/convert/context.h"
#include "core/convert/text_style.h"
#include "core/i18n/strings.h"
#include "core/ui/option_tree.h"

namespace norvella {
namespace {

// Records what the panel asks of the window.
class RecordingHost final : public OptionPanelHost {
 public:
  void Invalidate() override { ++invalidations; }
  std::vector<std::string> HyphFontNames() override { return fonts; }
  void ReloadFontWidths() override { ++reloads; }
  void NoFontsFound() override { ++noFontMessages; }
  void DocumentChanged(DocField field) override { changedFields.push_back(field); }
  void EditorChanged() override { ++refills; }

  std::vector<std::string> fonts = {"ThielVerdana 1.2 small", "Arial"};
  int invalidations = 0;
  int reloads = 0;
  int noFontMessages = 0;
  int refills = 0;
  std::vector<DocField> changedFields;
};

class PanelTest : public ::testing::Test {
 protected:
  std::string Caption(int node) const { return NodeCaption(node, options, doc, strings); }
  int Icon(int node) const { return NodeIcon(node, options); }

  Options options;
  DocumentProperties doc;
  StringTable strings;
  RecordingHost host;
  OptionPanel panel{options, doc, strings, host};
};

TEST(OptionTree, ShapeAndCaptions) {
  const StringTable strings;
  const Options options;
  const DocumentProperties doc;
  // Seven groups under the root, every other node inside a group, in order.
  std::vector<int> groups(ChildNodes(0).begin(), ChildNodes(0).end());
  EXPECT_EQ(groups, (std::vector<int>{1, 9, 20, 30, 35, 41, 52}));
  int seen = 1;
  for (const int group : groups) {
    EXPECT_EQ(seen++, group);
    const auto children = ChildNodes(group);
    for (std::size_t row = 0; row < children.size(); ++row) {
      EXPECT_EQ(seen++, children[row]);
      EXPECT_EQ(RowOfNode(children[row]), static_cast<int>(row));
      EXPECT_TRUE(ChildNodes(children[row]).empty());
    }
  }
  EXPECT_EQ(seen, kOptionNodeCount);

  // Every option shown by a node leads back to that node, and no option
  // has two.
  std::set<Opt> shown;
  for (const OptionNode& node : OptionNodes()) {
    if (node.option == Opt::Count) continue;
    EXPECT_TRUE(shown.insert(node.option).second) << node.index;
    EXPECT_EQ(NodeOfOption(node.option), node.index);
  }
  EXPECT_EQ(NodeOfOption(Opt::WindowWidth), -1);
  EXPECT_EQ(NodeOfField(DocField::ShortTitle), 4);

  EXPECT_EQ(NodeCaption(0, options, doc, strings), "Configuration");
  EXPECT_EQ(NodeCaption(2, options, doc, strings), "Author:\"\"");
  EXPECT_EQ(NodeCaption(6, options, doc, strings), "Cover page (312x465 PNG)");
  EXPECT_EQ(NodeCaption(21, options, doc, strings), "Strings longer than 80");
  EXPECT_EQ(NodeCaption(54, options, doc, strings), "Select language");
  // Groups and value nodes keep their pictures; only on/off nodes switch.
  EXPECT_EQ(NodeIcon(42, options), kTreeIconFont);
  EXPECT_FALSE(NodeSwitchable(9, options));
  EXPECT_FALSE(NodeSwitchable(7, options));
  EXPECT_TRUE(NodeSwitchable(53, options));
  EXPECT_EQ(NodeIcon(53, options), kTreeIconOff);  // "Load safely" is off by default
}

// A localisation names the nodes that carry a value too: the document
// nodes put their value after the localised name, the empty-lines node
// puts its number in place of the caption's leading 2.
TEST(OptionTree, ValueCaptionsKeepTheLocalisedWords) {
  StringTable strings;
  Options options;
  DocumentProperties doc;
  doc.author = "Gogol";
  EXPECT_EQ(NodeCaption(26, options, doc, strings), "2 and more empty lines to <br>");
  options.SetNumber(Opt::DetectTwoEmptyLines, 3);
  EXPECT_EQ(NodeCaption(26, options, doc, strings), "3 and more empty lines to <br>");
  strings.Set(kTree, "2", "\xC0\xE2\xF2\xEE\xF0");  // "Автор"
  strings.Set(kTree, "26", "2 \xE8 \xE1\xEE\xEB\xE5\xE5 <br>");
  EXPECT_EQ(NodeCaption(2, options, doc, strings), "\xC0\xE2\xF2\xEE\xF0:\"Gogol\"");
  EXPECT_EQ(NodeCaption(26, options, doc, strings), "3 \xE8 \xE1\xEE\xEB\xE5\xE5 <br>");
  options.SetNumber(Opt::DetectTwoEmptyLines, 12);
  EXPECT_EQ(NodeCaption(26, options, doc, strings), "12 \xE8 \xE1\xEE\xEB\xE5\xE5 <br>");
  // A caption that does not start with the number gets it in front.
  strings.Set(kTree, "26", "Empty lines to <br>");
  EXPECT_EQ(NodeCaption(26, options, doc, strings), "12 Empty lines to <br>");
  options.SetNumber(Opt::DetectTwoEmptyLines, 0);
  EXPECT_EQ(NodeCaption(26, options, doc, strings), "Empty lines to <br>");
}

TEST_F(PanelTest, DocumentCaptionsFollowTheirEditors) {
  panel.Select(3);
  ASSERT_EQ(panel.OpenKind(), EditorKind::Title);
  EXPECT_EQ(panel.View().prompt, "Enter the Title");
  panel.Edit1Changed("Anna");
  EXPECT_EQ(doc.title, "Anna");
  EXPECT_EQ(Caption(3), "Title:\"Anna\"");
  EXPECT_EQ(host.changedFields.back(), DocField::Title);
  panel.Select(5);
  panel.Edit1Changed("from the library");
  EXPECT_EQ(Caption(5), "Comment:\"from the library\"");
  panel.Select(6);
  panel.Edit1Changed("cover.png");
  panel.Select(-1);
  EXPECT_EQ(doc.coverImage, "cover.png");
  EXPECT_TRUE(panel.View().description.empty());
}

TEST_F(PanelTest, ShortTitleIsDerivedFromTheTitleWhenEmpty) {
  doc.title = "\xC2\xEE\xE9\xED\xE0 \xE8 \xEC\xE8\xF0";  // "Война и мир" in Windows-1251
  panel.Select(4);
  EXPECT_EQ(panel.View().edit1, "Vojna i mir");
  EXPECT_EQ(doc.shortTitle, "Vojna i mir");
  EXPECT_EQ(Caption(4), "Short title:\"Vojna i mir\"");

  // A short title of its own is kept, and only 35 characters of a long
  // title are taken.
  panel.Edit1Changed("VIM");
  panel.Select(3);
  panel.Select(4);
  EXPECT_EQ(panel.View().edit1, "VIM");
  panel.Select(-1);
  doc.shortTitle.clear();
  doc.title = std::string(50, 'x');
  panel.Select(4);
  EXPECT_EQ(doc.shortTitle, std::string(35, 'x'));
}

TEST_F(PanelTest, LongerThanSwitchesOffAndOnAgain) {
  panel.Select(21);
  ASSERT_EQ(panel.OpenKind(), EditorKind::Longer);
  EXPECT_EQ(panel.View().number, 80);
  ASSERT_TRUE(panel.Toggle(21));
  EXPECT_EQ(options.Number(Opt::LongStringsMin), kLengthOff);
  EXPECT_EQ(Caption(21), "Strings longer than 80");
  EXPECT_EQ(Icon(21), kTreeIconOff);
  EXPECT_EQ(panel.OpenKind(), EditorKind::None);  // an off node shows no editor
  EXPECT_FALSE(panel.View().description.empty());

  ASSERT_TRUE(panel.Toggle(21));
  EXPECT_EQ(options.Number(Opt::LongStringsMin), 80);
  EXPECT_EQ(Icon(21), kTreeIconOn);
  EXPECT_EQ(panel.OpenKind(), EditorKind::Longer);
  panel.NumberChanged(65);
  EXPECT_EQ(Caption(21), "Strings longer than 65");
}

TEST_F(PanelTest, LengthsBelowOneSwitchTheOptionOff) {
  // A minimum length of 0 would make every line a paragraph while the
  // node shows off; committing it stores the off value instead.
  panel.Select(21);
  panel.NumberChanged(0);
  panel.Select(22);
  EXPECT_EQ(options.Number(Opt::LongStringsMin), kLengthOff);
  EXPECT_FALSE(options.LongStringsOn());
  EXPECT_EQ(Icon(21), kTreeIconOff);

  panel.NumberChanged(-4);
  panel.Select(23);
  EXPECT_EQ(options.Number(Opt::ShortStringsMax), 0);
  EXPECT_EQ(Caption(22), "Strings shorter than 80");
  ASSERT_TRUE(panel.Toggle(22));
  EXPECT_EQ(options.Number(Opt::ShortStringsMax), 80);
}

TEST_F(PanelTest, OnlyOnOffNodesToggle) {
  const Options before;
  for (const int node : {0, 1, 9, 7, 42, 54, 2}) {
    EXPECT_FALSE(panel.Toggle(node)) << node;
  }
  EXPECT_EQ(host.invalidations, 0);
  EXPECT_EQ(options.Number(Opt::NumberOfNbsp), before.Number(Opt::NumberOfNbsp));

  // A plain toggle flips its option and clears the converted flag.
  const bool links = options.Flag(Opt::KillLinks);
  ASSERT_TRUE(panel.Toggle(10));
  EXPECT_NE(options.Flag(Opt::KillLinks), links);
  EXPECT_EQ(panel.View().description, "Removes from text all links (\"<A...>\" tags)");
  EXPECT_GT(host.invalidations, 0);
  options.SetNumber(Opt::DetectTwoEmptyLines, 0);
  ASSERT_TRUE(panel.Toggle(26));
  EXPECT_EQ(options.Number(Opt::DetectTwoEmptyLines), 2);
  EXPECT_EQ(Caption(26), "2 and more empty lines to <br>");
  panel.NumberChanged(3);
  EXPECT_EQ(Caption(26), "3 and more empty lines to <br>");
  ASSERT_TRUE(panel.Toggle(26));
  EXPECT_EQ(options.Number(Opt::DetectTwoEmptyLines), 0);
  EXPECT_EQ(Icon(26), kTreeIconOff);
}

TEST_F(PanelTest, CustomTagsSwitchAndLookingChangesNothing) {
  // The paragraph tag is off by default; its editor suggests the built-in
  // tag, and leaving the node without editing keeps it off.
  panel.Select(29);
  EXPECT_EQ(panel.View().edit1, "<div align=\"justify\">");
  EXPECT_EQ(panel.View().edit2, "</div>");
  panel.Select(30);
  EXPECT_EQ(options.Text(Opt::ParagraphStartTag), "");
  EXPECT_EQ(Icon(29), kTreeIconOff);

  ASSERT_TRUE(panel.Toggle(29));
  EXPECT_EQ(options.Text(Opt::ParagraphStartTag), "<div align=\"justify\">");
  EXPECT_EQ(Icon(29), kTreeIconOn);
  panel.Edit1Changed("<div align=\"left\">");
  panel.Edit2Changed("</div >");
  EXPECT_EQ(options.Text(Opt::ParagraphEndTag), "</div >");
  ASSERT_TRUE(panel.Toggle(29));
  EXPECT_EQ(options.Text(Opt::ParagraphStartTag), "");
  EXPECT_EQ(options.Text(Opt::ParagraphEndTag), "</div>");
  EXPECT_EQ(panel.OpenKind(), EditorKind::ParagraphTag);  // its editor stays, with the suggestion

  // The header tag is on by default; switching it off clears it.
  ASSERT_TRUE(panel.Toggle(34));
  EXPECT_EQ(options.Text(Opt::HeadStartTag), "");
  EXPECT_EQ(options.Text(Opt::HeadCloseTag), "</h1>");
  panel.Edit1Changed("<h2>");
  EXPECT_EQ(Icon(34), kTreeIconOn);
  panel.Select(1);
  EXPECT_EQ(options.Text(Opt::HeadStartTag), "<h2>");
}

TEST_F(PanelTest, EditorFontsAndEpigraphsWriteWhenClosed) {
  panel.Select(43);
  ASSERT_EQ(panel.OpenKind(), EditorKind::HtmlFont);
  EXPECT_EQ(panel.View().fontName, "Courier New");
  panel.FontChanged("DejaVu Sans Mono");
  panel.NumberChanged(15);
  EXPECT_EQ(options.Number(Opt::HtmFontSize), 13);  // no live update
  panel.Select(42);
  EXPECT_EQ(options.Text(Opt::HtmFontName), "DejaVu Sans Mono");
  EXPECT_EQ(options.Number(Opt::HtmFontSize), 15);
  EXPECT_EQ(options.Text(Opt::SrcFontName), "Courier New");

  panel.Select(27);  // off by default: no editor
  EXPECT_EQ(panel.OpenKind(), EditorKind::None);
  ASSERT_TRUE(panel.Toggle(27));
  ASSERT_EQ(panel.OpenKind(), EditorKind::Epigraph);
  panel.Edit1Changed("<blockquote>");
  EXPECT_EQ(options.Text(Opt::OpenEpigraph), "<blockquote>");
  panel.PresBreakChanged(true);
  EXPECT_FALSE(options.Flag(Opt::PreserveBreaksInEpigraph));
  panel.Reselect();
  EXPECT_TRUE(options.Flag(Opt::PreserveBreaksInEpigraph));
  EXPECT_EQ(panel.OpenKind(), EditorKind::Epigraph);
  EXPECT_EQ(panel.View().edit1, "<blockquote>");
}

TEST_F(PanelTest, HyphenationFontList) {
  EXPECT_EQ(HyphFontItems({"A", "B"}), (std::vector<std::string>{"I A", "I B", "- A", "- B", "+ totaly &shy;"}));
  panel.Select(8);
  EXPECT_EQ(panel.OpenKind(), EditorKind::None);  // "Hyphenate" is off
  ASSERT_TRUE(panel.Toggle(8));
  ASSERT_EQ(panel.OpenKind(), EditorKind::Hyphenation);
  const EditorView& view = panel.View();
  EXPECT_EQ(view.hyphText, options.Flag(Opt::ILikeOrientation) ? "I ThielVerdana 1.2 small" : "- ThielVerdana 1.2 small");
  EXPECT_EQ(view.hyphItems[static_cast<std::size_t>(view.hyphIndex)], view.hyphText);

  // Choosing applies the font and orientation, loads its widths and closes
  // the editor.
  panel.Edit2Changed("&shy;");
  EXPECT_EQ(options.Text(Opt::HyphString), "&shy;");
  panel.HyphFontChosen(3);  // "- Arial"
  EXPECT_EQ(options.Text(Opt::HyphFont), "Arial");
  EXPECT_FALSE(options.Flag(Opt::ILikeOrientation));
  EXPECT_EQ(host.reloads, 1);
  EXPECT_EQ(panel.OpenKind(), EditorKind::None);

  panel.Reselect();
  panel.HyphFontChosen(1);  // "I Arial"
  EXPECT_TRUE(options.Flag(Opt::ILikeOrientation));
  panel.Reselect();
  panel.HyphFontChosen(4);  // the pseudo-font has no widths to load
  EXPECT_EQ(options.Text(Opt::HyphFont), "totaly &shy;");
  EXPECT_EQ(host.reloads, 2);
  panel.Reselect();
  EXPECT_EQ(panel.View().hyphIndex, 4);

  host.fonts.clear();
  panel.Reselect();
  EXPECT_EQ(host.noFontMessages, 1);
  EXPECT_EQ(panel.View().hyphItems, (std::vector<std::string>{"+ totaly &shy;"}));
}

TEST_F(PanelTest, ChangesFromElsewhereRefillTheOpenEditor) {
  panel.Select(21);
  panel.NumberChanged(90);
  const int refills = host.refills;
  // A preset changes the length while its editor is open: the editor shows
  // the preset's value, and closing it keeps that value.
  ApplyTextStyle(options, kStyleFixedWidth);
  panel.OptionChanged(Opt::LongStringsMin);
  EXPECT_GT(host.refills, refills);
  EXPECT_EQ(panel.View().number, 81);
  panel.Select(1);
  EXPECT_EQ(options.Number(Opt::LongStringsMin), 81);
  // The HTML preset switches the length off: its editor closes.
  panel.Select(21);
  ApplyTextStyle(options, kStyleHtml);
  panel.OptionChanged(Opt::LongStringsMin);
  EXPECT_EQ(panel.OpenKind(), EditorKind::None);
  panel.Select(1);
  EXPECT_EQ(options.Number(Opt::LongStringsMin), kLengthOff);

  // The panel's own writes do not refill what is being typed.
  options.SetNumber(Opt::DetectTwoEmptyLines, 0);
  panel.Select(26);
  EXPECT_EQ(panel.OpenKind(), EditorKind::None);
  options.SetNumber(Opt::DetectTwoEmptyLines, 4);
  panel.OptionChanged(Opt::DetectTwoEmptyLines);
  ASSERT_EQ(panel.OpenKind(), EditorKind::EmptyLines);  // switched on elsewhere: its editor opens
  const int before = host.refills;
  panel.Edit2Changed("<br><br>");
  EXPECT_EQ(host.refills, before);
  EXPECT_EQ(options.Text(Opt::EmptyLinesReplaceWith), "<br><br>");
}

TEST_F(PanelTest, LanguageAndSpaces) {
  panel.Select(54);
  EXPECT_EQ(panel.View().language, options.Number(Opt::Language));
  panel.LanguageChanged(3);
  EXPECT_EQ(options.Number(Opt::Language), 3);
  panel.Select(7);
  EXPECT_EQ(panel.View().prompt, "Enter the number of \"&&nbsp;\"'s");
  panel.NumberChanged(4);
  EXPECT_EQ(options.Number(Opt::NumberOfNbsp), 4);
  const int invalidations = host.invalidations;
  panel.Select(10);  // closing writes back and clears the converted flag
  EXPECT_EQ(host.invalidations, invalidations + 1);
  panel.Select(11);  // nothing was open
  EXPECT_EQ(host.invalidations, invalidations + 1);
}

}  // namespace
}  // namespace norvella
