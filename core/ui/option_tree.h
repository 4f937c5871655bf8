#pragma once

// The option tree as data: every node in its order with its caption key,
// design icon, kind, the option or document property it shows and the
// editor it opens; and how a node's caption and icon follow the current
// values.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/settings/options.h"

namespace norvella {

struct DocumentProperties;
class StringTable;

inline constexpr int kOptionNodeCount = 55;

// Icon indexes of the tree's pictures.
enum TreeIcon : int {
  kTreeIconOff = 0,
  kTreeIconOn = 1,
  kTreeIconRoot = 2,
  kTreeIconDocument = 3,
  kTreeIconTranslation = 4,
  kTreeIconParagraphs = 5,
  kTreeIconHeaders = 6,
  kTreeIconGeneral = 7,
  kTreeIconFont = 8,
  kTreeIconSpare = 9,
  kTreeIconFormatting = 10,
  kTreeIconLanguage = 11,
};
inline constexpr int kTreeIconCount = 12;

enum class NodeKind {
  Root,
  Group,
  Value,   // shows a value and opens its editor
  Toggle,  // switched on and off by its icon or a key; may also open an editor
};

// The editor a node opens below the tree; the number is the kind the
// editor controls carry.
enum class EditorKind : int {
  None = 0,
  Spaces = 1,       // "Nimber of nbsp"
  Author = 2,
  Title = 3,
  Longer = 4,       // "Londg strings min"
  Shorter = 5,      // "Short strings max"
  HeadTag = 6,      // custom header tags
  SourceFont = 7,   // the source editor's font
  HtmlFont = 8,     // the HTML editor's font
  ParagraphTag = 9, // custom paragraph tags
  ShortTitle = 10,
  Language = 11,
  EmptyLines = 12,  // "Detect two empty lines" and its replacement
  Hyphenation = 13,
  Epigraph = 14,
  Comment = 15,
  Cover = 16,
};
inline constexpr int kEditorKindCount = 17;

// The document properties shown by value nodes; they are not options and
// are not saved.
enum class DocField { None, Author, Title, ShortTitle, Comment, Cover };

struct OptionNode {
  int index;     // also the caption's key in "interface\tree"
  int parent;    // -1 for the root
  int designIcon;
  NodeKind kind;
  Opt option;    // Opt::Count when the node shows no option
  DocField field;
  EditorKind editor;
  std::string_view descrKey;  // the description of a node without an editor
};

struct EditorInfo {
  EditorKind kind;
  int node;
  std::string_view promptKey;  // both in "interface\descr"
  std::string_view descrKey;
};

const std::array<OptionNode, kOptionNodeCount>& OptionNodes();
// The node of an index; an index outside the tree is a programming error.
const OptionNode& NodeAt(int index);
const EditorInfo& EditorOf(EditorKind kind);

// The nodes below a node, in their order.
std::span<const int> ChildNodes(int index);
// The position of a node among its parent's children.
int RowOfNode(int index);

// The node whose caption or icon shows an option; -1 when none does.
int NodeOfOption(Opt id);
// The node that shows a document property.
int NodeOfField(DocField field);

// A toggle node's icon follows its option (kTreeIconOn or kTreeIconOff);
// every other node keeps its design icon.
int NodeIcon(int index, const Options& options);
// Whether the node switches by its icon and the keys: a toggle node whose
// icon is on or off.
bool NodeSwitchable(int index, const Options& options);

// The caption as the tree shows it (Windows-1251): the localised text of
// the node, or for the value nodes the text built from the value.
std::string NodeCaption(int index, const Options& options, const DocumentProperties& doc,
                        const StringTable& strings);

}  // namespace norvella
