#include "gui/editor/editor_widgets.h"


#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTextDocument>

namespace norvella {

UndoNames::UndoNames(QTextDocument* document, QObject* parent) : QObject(parent), document_(document) {
  connect(document_, &QTextDocument::undoCommandAdded, this, [this] { Added(); });
  const auto follow = [this] {
    if (stepping_) return;
    Match();
    emit Changed();
  };
  connect(document_, &QTextDocument::undoAvailable, this, follow);
  connect(document_, &QTextDocument::redoAvailable, this, follow);
  // An edit merged into the step before it adds no step, but it still
  // ends what could be redone.
  connect(document_, &QTextDocument::contentsChanged, this, follow);
}

UndoAction UndoNames::NextUndo() const {
  return undo_.empty() || !document_->isUndoAvailable() ? UndoAction::None : undo_.back();
}

UndoAction UndoNames::NextRedo() const {
  return redo_.empty() || !document_->isRedoAvailable() ? UndoAction::None : redo_.back();
}

void UndoNames::Added() {
  undo_.push_back(pending_);
  redo_.clear();
  Match();
  emit Changed();
}

void UndoNames::Undone() {
  stepping_ = false;
  if (!undo_.empty()) {
    redo_.push_back(undo_.back());
    undo_.pop_back();
  }
  Match();
  emit Changed();
}

void UndoNames::Redone() {
  stepping_ = false;
  if (!redo_.empty()) {
    undo_.push_back(redo_.back());
    redo_.pop_back();
  }
  Match();
  emit Changed();
}

void UndoNames::Clear() {
  undo_.clear();
  redo_.clear();
  emit Changed();
}

void UndoNames::Match() {
  // The document's step counts do not follow its grouped steps, only its
  // availability does: names with nothing left to undo or redo go.
  if (!document_->isUndoAvailable()) undo_.clear();
  if (!document_->isRedoAvailable()) redo_.clear();
}

template <typename Base>
NamedUndoEditor<Base>::NamedUndoEditor(QWidget* parent) : Base(parent) {
  names_ = new UndoNames(Base::document(), this);
  // Tabs are text here, as in any editor of plain text.
  Base::setTabChangesFocus(false);
}

template <typename Base>
void NamedUndoEditor<Base>::UndoStep() {
  if (!Base::document()->isUndoAvailable()) return;
  names_->Begin();
  Base::undo();
  names_->Undone();
}

template <typename Base>
void NamedUndoEditor<Base>::RedoStep() {
  if (!Base::document()->isRedoAvailable()) return;
  names_->Begin();
  Base::redo();
  names_->Redone();
}

template <typename Base>
void NamedUndoEditor<Base>::CutNamed() {
  names_->SetPending(UndoAction::Cut);
  Base::cut();
  names_->SetPending(UndoAction::None);
}

template <typename Base>
void NamedUndoEditor<Base>::PasteNamed() {
  names_->SetPending(UndoAction::Paste);
  Base::paste();
  names_->SetPending(UndoAction::None);
}

template <typename Base>
void NamedUndoEditor<Base>::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::Undo) {
    UndoStep();
    event->accept();
    return;
  }
  if (event == QKeySequence::Redo) {
    RedoStep();
    event->accept();
    return;
  }
  UndoAction action = UndoAction::Typing;
  if (event == QKeySequence::Cut) action = UndoAction::Cut;
  else if (event == QKeySequence::Paste) action = UndoAction::Paste;
  else if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete || event == QKeySequence::DeleteEndOfWord ||
           event == QKeySequence::DeleteStartOfWord || event == QKeySequence::DeleteCompleteLine)
    action = UndoAction::Delete;
  names_->SetPending(action);
  Base::keyPressEvent(event);
  names_->SetPending(UndoAction::None);
}

template <typename Base>
void NamedUndoEditor<Base>::dropEvent(QDropEvent* event) {
  names_->SetPending(UndoAction::DragAndDrop);
  Base::dropEvent(event);
  names_->SetPending(UndoAction::None);
}

template <typename Base>
void NamedUndoEditor<Base>::insertFromMimeData(const QMimeData* source) {
  // A paste that no key or button announced (the middle button, the
  // system's own menu) is still a paste.
  const bool unannounced = names_->Pending() == UndoAction::None;
  if (unannounced) names_->SetPending(UndoAction::Paste);
  Base::insertFromMimeData(source);
  if (unannounced) names_->SetPending(UndoAction::None);
}

template <typename Base>
void NamedUndoEditor<Base>::contextMenuEvent(QContextMenuEvent* event) {
  if (popup_ == nullptr) {
    Base::contextMenuEvent(event);
    return;
  }
  popup_->exec(event->globalPos());
  event->accept();
}

template class NamedUndoEditor<QTextEdit>;
template class NamedUndoEditor<QPlainTextEdit>;

SourceEditor::SourceEditor(QWidget* parent) : NamedUndoEditor<QTextEdit>(parent) {
  setObjectName("SrcText");
  setAcceptRichText(false);
  setLineWrapMode(QTextEdit::NoWrap);
}

HtmlEditor::HtmlEditor(QWidget* parent) : NamedUndoEditor<QPlainTextEdit>(parent) {
  setObjectName("HTMText");
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

}  // namespace norvella
