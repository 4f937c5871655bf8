#include "core/editor/editor_settings.h"

#include "core/settings/options.h"

namespace norvella {
namespace {

constexpr int kDefaultFontSize = 13;
constexpr int kLargestFontSize = 400;
constexpr const char* kDefaultFontName = "Courier New";

Opt NameOpt(EditorKind editor) { return editor == EditorKind::Source ? Opt::SrcFontName : Opt::HtmFontName; }
Opt SizeOpt(EditorKind editor) { return editor == EditorKind::Source ? Opt::SrcFontSize : Opt::HtmFontSize; }
Opt WrapOpt(EditorKind editor) { return editor == EditorKind::Source ? Opt::WrapInSrc : Opt::WrapInHtml; }

}  // namespace

EditorFont EditorFontOf(const Options& options, EditorKind editor) {
  EditorFont font{options.Text(NameOpt(editor)), options.Number(SizeOpt(editor))};
  if (font.name.empty()) font.name = kDefaultFontName;
  if (font.size < 1 || font.size > kLargestFontSize) font.size = kDefaultFontSize;
  return font;
}

bool EditorWordWrap(const Options& options, EditorKind editor) { return options.Flag(WrapOpt(editor)); }

void SetEditorFont(Options& options, EditorKind editor, const EditorFont& font) {
  if (options.Text(NameOpt(editor)) != font.name) options.SetText(NameOpt(editor), font.name);
  if (options.Number(SizeOpt(editor)) != font.size) options.SetNumber(SizeOpt(editor), font.size);
}

void SetEditorWordWrap(Options& options, EditorKind editor, bool wrap) {
  if (options.Flag(WrapOpt(editor)) != wrap) options.SetFlag(WrapOpt(editor), wrap);
}

}  // namespace norvella
