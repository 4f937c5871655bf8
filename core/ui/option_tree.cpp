#include "core/ui/option_tree.h"

#include <stdexcept>
#include <vector>

#include "core/convert/context.h"
#include "core/i18n/strings.h"
#include "core/i18n/option_nodes.h"

namespace norvella {
namespace {

using K = NodeKind;
using E = EditorKind;
using F = DocField;
constexpr Opt kNone = Opt::Count;

constexpr OptionNode Group(int index, int icon) {
  return {index, 0, icon, K::Group, kNone, F::None, E::None, {}};
}
constexpr OptionNode Doc(int index, F field, E editor) {
  return {index, 1, kTreeIconDocument, K::Value, kNone, field, editor, {}};
}
constexpr OptionNode Value(int index, int parent, int icon, Opt option, E editor) {
  return {index, parent, icon, K::Value, option, F::None, editor, {}};
}
constexpr OptionNode Toggle(int index, int parent, int icon, Opt option, std::string_view descr = {},
                            E editor = E::None) {
  return {index, parent, icon, K::Toggle, option, F::None, editor, descr};
}

// The tree in its order: the index is the node's caption key; the parents
// are the groups above.
constexpr std::array<OptionNode, kOptionNodeCount> kNodes = {{
    {0, -1, kTreeIconRoot, K::Root, kNone, F::None, E::None, {}},
    Group(1, kTreeIconDocument),
    Doc(2, F::Author, E::Author),
    Doc(3, F::Title, E::Title),
    Doc(4, F::ShortTitle, E::ShortTitle),
    Doc(5, F::Comment, E::Comment),
    Doc(6, F::Cover, E::Cover),
    Value(7, 1, kTreeIconDocument, Opt::NumberOfNbsp, E::Spaces),
    Toggle(8, 1, kTreeIconOn, Opt::Hyphenate, {}, E::Hyphenation),
    Group(9, kTreeIconTranslation),
    Toggle(10, 9, kTreeIconOn, Opt::KillLinks, "InfoA"),
    Toggle(11, 9, kTreeIconOn, Opt::KillGraph, "InfoIMG"),
    Toggle(12, 9, kTreeIconOn, Opt::KillFormsScripts, "InfoForm"),
    Toggle(13, 9, kTreeIconOn, Opt::KillPreTags, "InfoPre"),
    Toggle(14, 9, kTreeIconOn, Opt::KillSpanTags, "InfoSpan"),
    Toggle(15, 9, kTreeIconOn, Opt::KillFontTags, "InfoFont"),
    Toggle(16, 9, kTreeIconOn, Opt::KillStylesAndClasses, "InfoStyle"),
    Toggle(17, 9, kTreeIconOn, Opt::ConvertPToDiv, "InfoP"),
    Toggle(18, 9, kTreeIconOn, Opt::ConvertBrToDiv, "InfoBr"),
    Toggle(19, 9, kTreeIconOn, Opt::AddNbsp),
    Group(20, kTreeIconParagraphs),
    Toggle(21, 20, kTreeIconOn, Opt::LongStringsMin, {}, E::Longer),
    Toggle(22, 20, kTreeIconOn, Opt::ShortStringsMax, {}, E::Shorter),
    Toggle(23, 20, kTreeIconOn, Opt::SpacesAtStartToDiv, "InfoSp"),
    Toggle(24, 20, kTreeIconOn, Opt::DialogsToDiv, "InfoLine"),
    Toggle(25, 20, kTreeIconOn, Opt::EmptyLineToDiv, "InfoEmptyP"),
    Toggle(26, 20, kTreeIconOn, Opt::DetectTwoEmptyLines, {}, E::EmptyLines),
    Toggle(27, 20, kTreeIconOn, Opt::DetectEpigraphs, {}, E::Epigraph),
    Toggle(28, 20, kTreeIconOn, Opt::TryToRestoreDirs, "InfoRestore"),
    Toggle(29, 20, kTreeIconOff, Opt::ParagraphStartTag, {}, E::ParagraphTag),
    Group(30, kTreeIconHeaders),
    Toggle(31, 30, kTreeIconOn, Opt::DetectHeaders, "InfoH"),
    Toggle(32, 30, kTreeIconOn, Opt::InsertHr, "InfoHR"),
    Toggle(33, 30, kTreeIconOn, Opt::CreateToc, "InfoTOC"),
    Toggle(34, 30, kTreeIconOff, Opt::HeadStartTag, {}, E::HeadTag),
    Group(35, kTreeIconFormatting),
    Toggle(36, 35, kTreeIconOn, Opt::UnderscoreToItalic, "InfoI"),
    Toggle(37, 35, kTreeIconOn, Opt::ConvertBracketText, "InfoUp"),
    Toggle(38, 35, kTreeIconOn, Opt::ConvertQuotes, "InfoQ"),
    Toggle(39, 35, kTreeIconOn, Opt::ConvertDashes, "InfoDefis"),
    Toggle(40, 35, kTreeIconOn, Opt::ConvertThreePoints, "Info3Point"),
    Group(41, kTreeIconGeneral),
    Value(42, 41, kTreeIconFont, Opt::SrcFontName, E::SourceFont),
    Value(43, 41, kTreeIconFont, Opt::HtmFontName, E::HtmlFont),
    Toggle(44, 41, kTreeIconOff, Opt::WrapInSrc),
    Toggle(45, 41, kTreeIconOff, Opt::WrapInHtml),
    Toggle(46, 41, kTreeIconOn, Opt::ShowHtml),
    Toggle(47, 41, kTreeIconOn, Opt::UseSourceEditor),
    Toggle(48, 41, kTreeIconOn, Opt::IndependentBrowserWidth),
    Toggle(49, 41, kTreeIconOn, Opt::ConfirmToc),
    Toggle(50, 41, kTreeIconOn, Opt::AskAboutTitle),
    Toggle(51, 41, kTreeIconOn, Opt::TrySplitTitle),
    Group(52, kTreeIconLanguage),
    Toggle(53, 52, kTreeIconOff, Opt::LoadSafely),
    Value(54, 52, kTreeIconLanguage, Opt::Language, E::Language),
}};

constexpr std::array<EditorInfo, kEditorKindCount> kEditors = {{
    {E::None, -1, {}, {}},
    {E::Spaces, 7, "LabelSpaces", "infoSpaces"},
    {E::Author, 2, "LabelAuthor", "infoAuthor"},
    {E::Title, 3, "LabelTitle", "infoTitle"},
    {E::Longer, 21, "labelMinLength", "InfoLonger"},
    {E::Shorter, 22, "LabelShorter", "infoShorter"},
    {E::HeadTag, 34, "LabelHeadTag", "infoheadTag"},
    {E::SourceFont, 42, "LabelEditorFont", "InfoEditorFont"},
    {E::HtmlFont, 43, "LabelEditorFont", "InfoEditorFont"},
    {E::ParagraphTag, 29, "LabelDiv", "InfoDIv"},
    {E::ShortTitle, 4, "labelShortTitle", "infoShortTitle"},
    {E::Language, 54, "labelLang", "infoLang"},
    {E::EmptyLines, 26, "LabelEmpty", "infoEmpty"},
    {E::Hyphenation, 8, "LabelHyph", "infoHyph"},
    {E::Epigraph, 27, "LabelEpigr", "infoEpigraph"},
    {E::Comment, 5, "LabelComment", "InfoComment"},
    {E::Cover, 6, "LabelPNG", "InfoPNG"},
}};

constexpr bool TableInOrder() {
  for (int i = 0; i < kOptionNodeCount; ++i) {
    if (kNodes[i].index != i) return false;
    if (kNodes[i].parent >= i) return false;
    if (kNodes[i].editor != E::None && kEditors[static_cast<int>(kNodes[i].editor)].node != i) return false;
  }
  for (int k = 0; k < kEditorKindCount; ++k)
    if (static_cast<int>(kEditors[k].kind) != k) return false;
  return true;
}
static_assert(TableInOrder(), "the node table is indexed by node and the editor table by kind");

// Children lists and rows, derived from the parents once.
struct TreeShape {
  std::array<std::vector<int>, kOptionNodeCount> children;
  std::array<int, kOptionNodeCount> row{};
  std::array<int, kOptionCount> nodeOfOption{};
  TreeShape() {
    nodeOfOption.fill(-1);
    for (const OptionNode& node : kNodes) {
      if (node.parent >= 0) {
        row[node.index] = static_cast<int>(children[node.parent].size());
        children[node.parent].push_back(node.index);
      }
      if (node.option != kNone) nodeOfOption[static_cast<std::size_t>(node.option)] = node.index;
    }
  }
};

const TreeShape& Shape() {
  static const TreeShape shape;
  return shape;
}

// The caption of a document node: the property in double quotes after its
// name and a colon, also when it is empty. The name is the node's caption
// in the tree section ("Author", ...), so a localisation names it too.
std::string DocumentCaption(int index, DocField field, const DocumentProperties& doc, const StringTable& strings) {
  const std::string& name = strings.Get(kTree, std::to_string(index));
  switch (field) {
    case F::Author: return name + ":\"" + doc.author + "\"";
    case F::Title: return name + ":\"" + doc.title + "\"";
    case F::ShortTitle: return name + ":\"" + doc.shortTitle + "\"";
    case F::Comment: return name + ":\"" + doc.comment + "\"";
    default: return {};
  }
}

}  // namespace

const std::array<OptionNode, kOptionNodeCount>& OptionNodes() { return kNodes; }

const OptionNode& NodeAt(int index) {
  if (index < 0 || index >= kOptionNodeCount) throw std::out_of_range("no option-tree node " + std::to_string(index));
  return kNodes[static_cast<std::size_t>(index)];
}

const EditorInfo& EditorOf(EditorKind kind) { return kEditors[static_cast<std::size_t>(kind)]; }

std::span<const int> ChildNodes(int index) { return Shape().children[static_cast<std::size_t>(NodeAt(index).index)]; }

int RowOfNode(int index) { return Shape().row[static_cast<std::size_t>(NodeAt(index).index)]; }

int NodeOfOption(Opt id) {
  const auto at = static_cast<std::size_t>(id);
  return at < kOptionCount ? Shape().nodeOfOption[at] : -1;
}

int NodeOfField(DocField field) {
  for (const OptionNode& node : kNodes)
    if (node.field == field && field != F::None) return node.index;
  return -1;
}

int NodeIcon(int index, const Options& options) {
  const OptionNode& node = NodeAt(index);
  if (node.kind == K::Toggle)
    if (const auto icon = OptionNodeIcon(node.option, options)) return *icon;
  return node.designIcon;
}

bool NodeSwitchable(int index, const Options& options) {
  if (NodeAt(index).kind != K::Toggle) return false;
  const int icon = NodeIcon(index, options);
  return icon == kTreeIconOn || icon == kTreeIconOff;
}

std::string NodeCaption(int index, const Options& options, const DocumentProperties& doc,
                        const StringTable& strings) {
  const OptionNode& node = NodeAt(index);
  if (node.field != F::None && node.field != F::Cover) return DocumentCaption(index, node.field, doc, strings);
  if (node.option != kNone)
    if (auto caption = OptionNodeCaption(node.option, options, strings)) return *caption;
  return strings.Get(kTree, std::to_string(index));
}

}  // namespace norvella
