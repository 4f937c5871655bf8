#include "core/editor/editor_settings.h"

#include "core/settings/options.h"

namespace norvella {
namespace {

constexpr int kDefaultFontSize = 13;
constexpr int kLargestFontSize = 400;
constexpr const char* kDefaultFontName = "Courier New";

Opt NameOpt(EditorPane editor) { return editor == EditorPane::Source ? Opt::SrcFontName : Opt::HtmFontName; }
Opt SizeOpt(EditorPane editor) { return editor == EditorPane::Source ? Opt::SrcFontSize : Opt::HtmFontSize; }
Opt WrapOpt(EditorPane editor) { return editor == EditorPane::Source ? Opt::WrapInSrc : Opt::WrapInHtml; }

}  // namespace

EditorFont EditorFontOf(const Options& options, EditorPane editor) {
  EditorFont font{options.Text(NameOpt(editor)), options.Number(SizeOpt(editor))};
  if (font.name.empty()) font.name = kDefaultFontName;
  if (font.size < 1 || font.size > kLargestFontSize) font.size = kDefaultFontSize;
  return font;
}

bool EditorWordWrap(const Options& options, EditorPane editor) { return options.Flag(WrapOpt(editor)); }

void SetEditorFont(Options& options, EditorPane editor, const EditorFont& font) {
  if (options.Text(NameOpt(editor)) != font.name) options.SetText(NameOpt(editor), font.name);
  if (options.Number(SizeOpt(editor)) != font.size) options.SetNumber(SizeOpt(editor), font.size);
}

void SetEditorWordWrap(Options& options, EditorPane editor, bool wrap) {
  if (options.Flag(WrapOpt(editor)) != wrap) options.SetFlag(WrapOpt(editor), wrap);
}

}  // namespace norvella
