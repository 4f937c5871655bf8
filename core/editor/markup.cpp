#include "core/editor/markup.h"

#include <stdexcept>

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

using K = MarkupKind;
using S = ScriptLook;
using P = ParagraphLook;

// The editor shows a list item with a bullet and at least this indent.
constexpr int kBulletIndent = 10;
constexpr int kQuoteIndent = 35;
constexpr int kEpigraphIndent = 50;

const std::vector<MarkupCommand> kCommands = {
    {K::Head1, "Head1", "ToolButton25", "H1", true, 4, true, false, S::Normal, P::None, 0, true},
    {K::Head2, "Head2", "ToolButton22", "H2", true, 3, true, true, S::Normal, P::None, 0, true},
    {K::Head3, "Head3", "ToolButton23", "H3", true, 2, true, false, S::Normal, P::None, 0, true},
    {K::Head4, "Head4", "ToolButton24", "H4", true, 1, true, true, S::Normal, P::None, 0, true},
    {K::Head5, "Head5", "ToolButton21", "H5", true, 0, true, false, S::Normal, P::None, 0, true},
    {K::Paragraph, "Convert to paragraph", "ToolButton20", "make paragraph", true, 0, false, false, S::Normal,
     P::None, 0, false},
    {K::AlignLeft, "Align left", "ToolButton13", "align left", true, 0, false, false, S::Normal, P::AlignLeft, 0,
     false},
    {K::AlignRight, "Align right", "ToolButton15", "align right", true, 0, false, false, S::Normal, P::AlignRight,
     0, false},
    {K::AlignCenter, "Align center", "ToolButton14", "align center", true, 0, false, false, S::Normal,
     P::AlignCenter, 0, false},
    {K::Justify, "Justify", "ToolButton32", "align justify", true, 0, false, false, S::Normal, P::Justify, 0,
     false},
    {K::List, "List", "ToolButton16", "list", true, 0, false, false, S::Normal, P::Bullet, kBulletIndent, false},
    {K::Blockquote, "Blockquote", "ToolButton36", "blockquote", true, 0, false, false, S::Normal, P::Indent,
     kQuoteIndent, false},
    {K::Epigraph, "Epigraph", "ToolButton52", "epigraph", true, 0, false, false, S::Normal, P::Indent,
     kEpigraphIndent, true},
    {K::UpperIndex, "Upper index", "ToolButton17", "upper index", false, 0, false, false, S::Superscript, P::None,
     0, false},
    {K::LowerText, "Lower text", "ToolButton18", "lover index", false, 0, false, false, S::Subscript, P::None, 0,
     false},
    {K::Bold, "Bold", "BoldButton", "bold", false, 0, true, false, S::Normal, P::None, 0, true},
    {K::Italic, "Italic", "ItalicBtn", "italic", false, 0, false, true, S::Normal, P::None, 0, true},
};

std::string Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

bool IsBreak(char c) { return c == '\n' || c == '\r'; }

}  // namespace

const std::vector<MarkupCommand>& MarkupCommands() { return kCommands; }

const MarkupCommand& MarkupCommandOf(MarkupKind kind) {
  for (const MarkupCommand& command : kCommands)
    if (command.kind == kind) return command;
  throw std::out_of_range("unknown markup command");
}

MarkupTags TagsOf(MarkupKind kind, const Options& options) {
  switch (kind) {
    case K::Head1: return {"<h1>", "</h1>"};
    case K::Head2: return {"<h2>", "</h2>"};
    case K::Head3: return {"<h3>", "</h3>"};
    case K::Head4: return {"<h4>", "</h4>"};
    case K::Head5: return {"<h5>", "</h5>"};
    case K::Paragraph: {
      const std::string& open = options.Text(Opt::ParagraphStartTag);
      if (open.empty()) return {std::string(kDefaultParagraphOpen), std::string(kDefaultParagraphClose)};
      return {open, options.Text(Opt::ParagraphEndTag)};
    }
    case K::AlignLeft: return {"<div align=\"left\">", "</div>"};
    case K::AlignRight: return {"<div align=\"right\">", "</div>"};
    case K::AlignCenter: return {"<div align=\"center\">", "</div>"};
    case K::Justify: return {"<div align=\"justify\">", "</div>"};
    case K::List: return {"<li type=\"1\">", "</li>"};
    case K::Blockquote: return {"<blockquote>", "</blockquote>"};
    case K::Epigraph: {
      std::string open = options.Text(Opt::OpenEpigraph);
      std::string close = options.Text(Opt::CloseEpigraph);
      if (open.empty()) open = Repeat("<blockquote>", 6);
      if (close.empty()) close = Repeat("</blockquote>", 6);
      return {open + "\r", "\r" + close};
    }
    case K::UpperIndex: return {"<sup>", "</sup>"};
    case K::LowerText: return {"<sub>", "</sub>"};
    case K::Bold: return {"<b>", "</b>"};
    case K::Italic: return {"<i>", "</i>"};
  }
  throw std::out_of_range("unknown markup command");
}

void CollapseRuns(std::string& text, char c) {
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == c && out > 0 && text[out - 1] == c) continue;
    text[out++] = text[i];
  }
  text.resize(out);
}

void JoinSpaceOnlyLines(std::string& text) {
  // Deleting the first carriage return of "\r \r" can only make a new
  // occurrence end where this one ended, so a pass that checks the end of
  // what it has written after every character finds them in the same order.
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out.push_back(c);
    while (out.size() >= 3 && out.compare(out.size() - 3, 3, "\r \r") == 0) out.erase(out.size() - 3, 1);
  }
  text = std::move(out);
}

std::string WrapText(std::string_view selected, std::string_view open, std::string_view close, bool block) {
  std::string_view inner = selected;
  bool trailing = false;
  bool leading = false;
  while (!inner.empty() && IsBreak(inner.back())) {
    inner.remove_suffix(1);
    trailing = true;
  }
  while (!inner.empty() && IsBreak(inner.front())) {
    inner.remove_prefix(1);
    leading = true;
  }
  std::string result;
  result.reserve(open.size() + inner.size() + close.size() + 2);
  if (block || leading) result += '\r';
  result.append(open).append(inner).append(close);
  if (block || trailing) result += '\r';
  if (block) CollapseRuns(result, '\r');
  CollapseRuns(result, ' ');
  JoinSpaceOnlyLines(result);
  return result;
}

bool WrapSelection(MarkupKind kind, const Options& options, std::string_view selected, SelectionEdit& edit) {
  const MarkupCommand& command = MarkupCommandOf(kind);
  if (command.needsSelection && selected.empty()) return false;
  const MarkupTags tags = TagsOf(kind, options);
  edit.text = WrapText(selected, tags.open, tags.close, command.block);
  edit.selectStart = edit.text.size();
  edit.selectLength = 0;
  return true;
}

SelectionEdit BreakLine() {
  SelectionEdit edit;
  edit.text = "<br>\r";
  edit.selectStart = edit.text.size();
  return edit;
}

bool ChangeCase(std::string_view selected, bool upper, SelectionEdit& edit) {
  if (selected.empty()) return false;
  edit.text = upper ? UpperCase(selected) : LowerCase(selected);
  edit.selectStart = 0;
  edit.selectLength = edit.text.size();
  return true;
}

}  // namespace norvella
