#include "gui/editor/editor_commands.h"

#include <map>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

#include "core/base/file_io.h"
#include "core/editor/editor_texts.h"
#include "core/editor/markup.h"
#include "core/i18n/strings.h"
#include "core/settings/options.h"
#include "gui/editor/comment_dialog.h"
#include "gui/editor/editor_controller.h"
#include "gui/editor/editor_widgets.h"
#include "gui/editor/search_dialogs.h"
#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"

namespace norvella {
namespace {

enum class Action { SaveSource, Find, Replace, Cut, Copy, Paste, Undo, Redo, BreakLine, Upper, Lower, Comment, Markup };

struct EditorControl {
  Action action;
  EditorPane editor;
};

const std::map<std::string_view, EditorControl>& ControlsByName() {
  static const std::map<std::string_view, EditorControl> table = [] {
    using E = EditorPane;
    std::map<std::string_view, EditorControl> t = {
        {"ToolButton2", {Action::SaveSource, E::Source}}, {"FindButton", {Action::Find, E::Source}},
        {"ToolButton4", {Action::Replace, E::Source}},    {"ToolButton8", {Action::Cut, E::Source}},
        {"ToolButton9", {Action::Copy, E::Source}},       {"ToolButton10", {Action::Paste, E::Source}},
        {"UndoBtn", {Action::Undo, E::Source}},           {"RedoBtn", {Action::Redo, E::Source}},
        {"ToolButton77", {Action::BreakLine, E::Source}}, {"ToolButton64", {Action::Upper, E::Source}},
        {"ToolButton65", {Action::Lower, E::Source}},     {"ToolButton71", {Action::Comment, E::Source}},
        {"ToolButton12", {Action::Find, E::Html}},        {"ToolButton19", {Action::Replace, E::Html}},
        {"ToolButton28", {Action::Cut, E::Html}},         {"ToolButton29", {Action::Copy, E::Html}},
        {"ToolButton30", {Action::Paste, E::Html}},       {"htmUndo", {Action::Undo, E::Html}},
        {"htmRedo", {Action::Redo, E::Html}},
    };
    for (const MarkupCommand& command : MarkupCommands()) t.emplace(command.button, EditorControl{Action::Markup, E::Source});
    return t;
  }();
  return table;
}

}  // namespace

EditorCommands::EditorCommands(EditorController& editor, Options& options, const StringTable& strings,
                               ControlLookup controls, SourceTextGetter sourceText, QWidget* window)
    : QObject(window),
      editor_(editor),
      options_(options),
      strings_(strings),
      controls_(std::move(controls)),
      sourceText_(std::move(sourceText)),
      window_(window) {
  sourceSearch_ = new EditorSearch(&editor_.source(), strings_, window_);
  htmlSearch_ = new EditorSearch(&editor_.html(), strings_, window_);
  sourcePopup_ = MakePopup(EditorPane::Source);
  htmlPopup_ = MakePopup(EditorPane::Html);
  editor_.source().SetPopupMenu(sourcePopup_);
  editor_.html().SetPopupMenu(htmlPopup_);
  connect(&editor_, &EditorController::UndoStateChanged, this, [this](EditorPane kind) { UpdateUndoButtons(kind); });
  UpdateUndoButtons(EditorPane::Source);
  UpdateUndoButtons(EditorPane::Html);
}

bool EditorCommands::IsEditorControl(std::string_view name) { return ControlsByName().count(name) > 0; }

TPlComment& EditorCommands::commentDialog() {
  if (comment_ == nullptr) comment_ = new TPlComment(strings_, window_);
  return *comment_;
}

QMenu* EditorCommands::MakePopup(EditorPane editor) {
  auto* menu = new QMenu(window_);
  const bool source = editor == EditorPane::Source;
  menu->setObjectName(source ? "SrcPopup" : "HtmPopup");
  struct Item {
    const char* caption;
    const char* source;
    const char* html;
  };
  // Captions by their keys among the main controls' texts.
  const Item items[] = {{"popup undo", "UndoBtn", "htmUndo"},       {"popup redo", "RedoBtn", "htmRedo"},
                        {nullptr, nullptr, nullptr},                {"popup cut", "ToolButton8", "ToolButton28"},
                        {"popup copy", "ToolButton9", "ToolButton29"}, {"popup paste", "ToolButton10", "ToolButton30"},
                        {nullptr, nullptr, nullptr},                {"popup find", "FindButton", "ToolButton12"},
                        {"popup replace", "ToolButton4", "ToolButton19"}};
  for (const Item& item : items) {
    if (item.caption == nullptr) {
      menu->addSeparator();
      continue;
    }
    const std::string control = source ? item.source : item.html;
    QAction* action = menu->addAction(ToQt(strings_.Get(kControlsMain, item.caption)));
    action->setObjectName(QString::fromStdString(control) + "Popup");
    connect(action, &QAction::triggered, this, [this, control] { Run(control); });
  }
  connect(menu, &QMenu::aboutToShow, this, [this, menu] {
    // The items follow their buttons' state.
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      QString name = action->objectName();
      name.chop(5);
      if (QAction* button = controls_(name)) action->setEnabled(button->isEnabled());
    }
  });
  return menu;
}

void EditorCommands::Run(std::string_view name) {
  const auto found = ControlsByName().find(name);
  if (found == ControlsByName().end()) return;
  const EditorControl control = found->second;
  const bool source = control.editor == EditorPane::Source;
  SourceEditor& src = editor_.source();
  HtmlEditor& htm = editor_.html();
  switch (control.action) {
    case Action::SaveSource: SaveSourceText(); break;
    case Action::Find: (source ? sourceSearch_ : htmlSearch_)->OpenFind(); break;
    case Action::Replace: (source ? sourceSearch_ : htmlSearch_)->OpenReplace(); break;
    case Action::Cut: source ? src.CutNamed() : htm.CutNamed(); break;
    case Action::Copy: source ? src.copy() : htm.copy(); break;
    case Action::Paste: source ? src.PasteNamed() : htm.PasteNamed(); break;
    case Action::Undo: source ? src.UndoStep() : htm.UndoStep(); break;
    case Action::Redo: source ? src.RedoStep() : htm.RedoStep(); break;
    case Action::BreakLine: editor_.BreakLine(); break;
    case Action::Upper: editor_.ChangeCase(true); break;
    case Action::Lower: editor_.ChangeCase(false); break;
    case Action::Comment:
      if (const auto refusal = editor_.InsertComment(commentDialog()))
        QMessageBox::critical(window_, MessageText(strings_, "Error"), DisplayText(ToQt(*refusal)));
      break;
    case Action::Markup:
      for (const MarkupCommand& command : MarkupCommands())
        if (command.button == name) editor_.Wrap(command.kind);
      break;
  }
  if (source) src.setFocus();
  else htm.setFocus();
}

bool EditorCommands::SaveSourceText() {
  QFileDialog dialog(window_, ToQt(strings_.Get(kControlsMain, "Save source head")));
  dialog.setObjectName("SaveDialog2");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const QStringList filters = {ToQt(strings_.Get(kControlsMain, "Text files")) + " (*.txt)",
                               ToQt(strings_.Get(kControlsMain, "HTML files")) + " (*.html *.htm)"};
  dialog.setNameFilters(filters);
  const QString lastDir = ToQt(options_.Text(Opt::LastEditSaveSrcDir));
  if (!lastDir.isEmpty()) dialog.setDirectory(lastDir);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const int fileType = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  QString error;
  if (!WriteSourceText(dialog.selectedFiles().first(), fileType, &error)) {
    QMessageBox::critical(window_, MessageText(strings_, "Error"), error);
    return false;
  }
  return true;
}

bool EditorCommands::WriteSourceText(const QString& chosen, int fileType, QString* error) {
  const std::string path = SourceSaveName(PathBytes(chosen), fileType);
  options_.SetText(Opt::LastEditSaveSrcDir, FromQt(QFileInfo(PathText(path)).path()));
  const FileResult written = WriteFileAtomically(path, sourceText_());
  if (!written.ok() && error != nullptr) *error = ErrorText(written.error());
  return written.ok();
}

void EditorCommands::UpdateUndoButtons(EditorPane editor) {
  const bool source = editor == EditorPane::Source;
  QTextDocument* document = source ? editor_.source().document() : editor_.html().document();
  if (QAction* undo = controls_(source ? "UndoBtn" : "htmUndo")) {
    undo->setEnabled(document->isUndoAvailable());
    undo->setToolTip(editor_.UndoHint(editor));
  }
  if (QAction* redo = controls_(source ? "RedoBtn" : "htmRedo")) {
    redo->setEnabled(document->isRedoAvailable());
    redo->setToolTip(editor_.RedoHint(editor));
  }
}

}  // namespace norvella
