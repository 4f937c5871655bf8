#pragma once

// The editors' buttons and pop-up menus: what each control of the Source
// and HTML toolbars does, found by the control's name, and the undo and
// redo buttons' state and hints after every change. The window makes the
// controls (rows of its command table) and passes their triggers here.

#include <functional>
#include <string>
#include <string_view>

#include <QObject>
#include <QString>

#include "core/editor/editor_settings.h"

class QAction;
class QMenu;
class QWidget;

namespace norvella {

class EditorController;
class EditorSearch;
class Options;
class StringTable;
class TPlComment;

class EditorCommands : public QObject {
  Q_OBJECT

 public:
  using ControlLookup = std::function<QAction*(const QString& name)>;
  // The current source text, from the editor or the kept lines.
  using SourceTextGetter = std::function<std::string()>;

  EditorCommands(EditorController& editor, Options& options, const StringTable& strings, ControlLookup controls,
                 SourceTextGetter sourceText, QWidget* window);

  // Whether the control belongs to an editor toolbar.
  static bool IsEditorControl(std::string_view name);
  // Runs the control's command.
  void Run(std::string_view name);

  // "Save source text": asks for the name; the chosen file type gives a
  // name without an extension ".txt" or ".html". True when written.
  bool SaveSourceText();
  // Writes the source text under the name, with the type's extension when
  // it has none; false (with the system's message) when it cannot.
  bool WriteSourceText(const QString& chosen, int fileType, QString* error);

  EditorSearch& sourceSearch() { return *sourceSearch_; }
  EditorSearch& htmlSearch() { return *htmlSearch_; }
  TPlComment& commentDialog();
  QMenu* sourcePopup() const { return sourcePopup_; }
  QMenu* htmlPopup() const { return htmlPopup_; }

  // The undo and redo buttons of an editor: enabled by what can be undone
  // and redone, hints naming the next action.
  void UpdateUndoButtons(EditorPane editor);

 private:
  QMenu* MakePopup(EditorPane editor);

  EditorController& editor_;
  Options& options_;
  const StringTable& strings_;
  ControlLookup controls_;
  SourceTextGetter sourceText_;
  QWidget* window_;
  EditorSearch* sourceSearch_;
  EditorSearch* htmlSearch_;
  TPlComment* comment_ = nullptr;
  QMenu* sourcePopup_ = nullptr;
  QMenu* htmlPopup_ = nullptr;
};

}  // namespace norvella
