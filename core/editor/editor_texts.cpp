#include "core/editor/editor_texts.h"

#include "core/i18n/strings.h"

namespace norvella {

std::string_view UndoActionName(UndoAction action) {
  switch (action) {
    case UndoAction::None: return "";
    case UndoAction::Typing: return "typing";
    case UndoAction::Delete: return "delete";
    case UndoAction::DragAndDrop: return "drag and drop";
    case UndoAction::Cut: return "cut";
    case UndoAction::Paste: return "paste";
  }
  return "";
}

namespace {

// The action's name in the interface: its own text in the main controls'
// section ("undo typing", ...), which a localisation may replace.
std::string ActionText(const StringTable& strings, UndoAction action) {
  const std::string_view name = UndoActionName(action);
  if (name.empty()) return {};
  return strings.Get(kControlsMain, "undo " + std::string(name));
}

}  // namespace

std::string UndoHint(const StringTable& strings, UndoAction action) {
  return strings.Get(kControlsMain, "Undo ") + ActionText(strings, action);
}

std::string RedoHint(const StringTable& strings, UndoAction action) {
  return strings.Get(kControlsMain, "Redo ") + ActionText(strings, action);
}

std::string NotFoundMessage(const StringTable& strings, std::string_view searched) {
  std::string text = strings.Message("NotFound");
  // Only the first "%s" is the searched text; the searched text itself is
  // never read as a format.
  if (const std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, searched);
  return text;
}

std::string SourceSaveName(std::string_view chosen, int fileType) {
  std::string name(chosen);
  const std::size_t slash = name.find_last_of('/');
  const std::size_t dot = name.find('.', slash == std::string::npos ? 0 : slash + 1);
  if (dot != std::string::npos) return name;
  if (fileType == 1) name += ".txt";
  else if (fileType == 2) name += ".html";
  return name;
}

}  // namespace norvella
