#pragma once

// The source editor's markup commands, on the text side: the tags each one
// puts around the selection, how the selected text is tidied while it is
// wrapped, and how the editor shows the result (a larger or bold font, a
// raised index, an indent, a bullet). The window takes the selected text,
// asks for the replacement and applies it together with the formatting.
//
// Text here is Windows-1251; a line break inside the editor's text is one
// carriage return ("\r").

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

class Options;

enum class MarkupKind {
  Head1,
  Head2,
  Head3,
  Head4,
  Head5,
  Paragraph,
  AlignLeft,
  AlignRight,
  AlignCenter,
  Justify,
  List,
  Blockquote,
  Epigraph,
  UpperIndex,
  LowerText,
  Bold,
  Italic,
};

// How the editor shows wrapped text at character level: sub- or
// superscript is set before the text is replaced.
enum class ScriptLook { Normal, Superscript, Subscript };

// Paragraph formatting applied after the text is replaced.
enum class ParagraphLook { None, AlignLeft, AlignRight, AlignCenter, Justify, Bullet, Indent };

struct MarkupCommand {
  MarkupKind kind;
  std::string_view hint;     // the button's hint
  std::string_view button;   // the button's control name
  std::string_view hintKey;  // key of the hint in "interface\Hints"
  bool block;                // the result stands on lines of its own
  int sizeIncrease;          // points over the editor's own font size
  bool bold;
  bool italic;
  ScriptLook script;
  ParagraphLook paragraph;
  int indent;                // points added to the start indent (Indent), or the least indent (Bullet)
  bool needsSelection;       // does nothing on an empty selection
};

// Every markup command, in toolbar order.
const std::vector<MarkupCommand>& MarkupCommands();
const MarkupCommand& MarkupCommandOf(MarkupKind kind);

struct MarkupTags {
  std::string open;
  std::string close;
};

// The tags of a command; the paragraph and epigraph commands take them from
// the options (their built-in tags when the options are empty).
MarkupTags TagsOf(MarkupKind kind, const Options& options);

// The built-in paragraph tags used when "Paragraph start tag" is empty.
inline constexpr std::string_view kDefaultParagraphOpen = "<div align=\"justify\">";
inline constexpr std::string_view kDefaultParagraphClose = "</div>";

// A replacement for the editor's selection, with the selection to make
// afterwards, given inside the replacement (the caret after it by default).
struct SelectionEdit {
  std::string text;
  std::size_t selectStart = 0;
  std::size_t selectLength = 0;
};

// The selected text wrapped in the tags: line breaks at either end move
// outside the tags (and leave one carriage return there), a block result
// gets a carriage return on both sides, and the whole result is tidied:
// for a block, runs of carriage returns become one; runs of spaces become
// one; a line holding only a space is joined to the one before it.
std::string WrapText(std::string_view selected, std::string_view open, std::string_view close, bool block);

// The whole of one markup command on the selected text; an empty result
// means that the command does nothing (it needs a selection and there is
// none). The caret goes after the inserted text.
bool WrapSelection(MarkupKind kind, const Options& options, std::string_view selected, SelectionEdit& edit);

// "Break line": the selection (or nothing, at the caret) becomes "<br>\r".
SelectionEdit BreakLine();

// "Upper case" and "Lower case" of the selection, in Windows-1251 (so
// Cyrillic letters change case too); the changed text stays selected.
// False on an empty selection.
bool ChangeCase(std::string_view selected, bool upper, SelectionEdit& edit);

// The loops of the tidying, each equivalent to "while the text contains
// the pattern, delete the first character of its first occurrence", in one
// pass.
void CollapseRuns(std::string& text, char c);
void JoinSpaceOnlyLines(std::string& text);

}  // namespace norvella
