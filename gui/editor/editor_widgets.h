#pragma once

// The two editors: SrcText, a rich-text editor whose formatting only shows
// the markup (the text read back is plain text with tags), and HTMText, a
// plain-text editor of the produced HTML. Both keep the names of their undo
// and redo steps ("typing", "paste", ...), which the document's own undo
// stack does not know, for the buttons' hints.

#include <vector>

#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include "core/editor/editor_texts.h"

class QMenu;
class QTextDocument;

namespace norvella {

// Follows one document's undo stack: every step the document adds gets
// the name of the action that was going on; undoing moves the name to the
// redo side and back.
class UndoNames : public QObject {
  Q_OBJECT

 public:
  explicit UndoNames(QTextDocument* document, QObject* parent = nullptr);

  // The action the next edit of the user belongs to; the editors set it
  // around each key press, cut, paste and drop.
  void SetPending(UndoAction action) { pending_ = action; }
  UndoAction Pending() const { return pending_; }

  UndoAction NextUndo() const;
  UndoAction NextRedo() const;
  // Called around the document's own undo and redo: Begin before it,
  // Undone or Redone after it.
  void Begin() { stepping_ = true; }
  void Undone();
  void Redone();
  // The document was refilled: no steps are left.
  void Clear();

 signals:
  // The names or the availability changed.
  void Changed();

 private:
  void Added();
  // Drops the names of a side the document has emptied (a refill, an
  // undo that went past this object).
  void Match();

  QTextDocument* document_;
  UndoAction pending_ = UndoAction::None;
  bool stepping_ = false;  // an undo or redo is under way; its signals wait
  std::vector<UndoAction> undo_;
  std::vector<UndoAction> redo_;
};

// What both editors add to Qt's: named undo steps, the program's own
// pop-up menu, and tabs kept as characters.
template <typename Base>
class NamedUndoEditor : public Base {
 public:
  explicit NamedUndoEditor(QWidget* parent = nullptr);

  UndoNames& undoNames() { return *names_; }
  void SetPopupMenu(QMenu* menu) { popup_ = menu; }

  // Undo and redo that keep the names in step; the keys and the buttons
  // come here.
  void UndoStep();
  void RedoStep();
  void CutNamed();
  void PasteNamed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  UndoNames* names_;
  QPointer<QMenu> popup_;
};

// Pasted and dropped text arrives as plain text: the source's formatting
// is the editor's own.
class SourceEditor : public NamedUndoEditor<QTextEdit> {
 public:
  explicit SourceEditor(QWidget* parent = nullptr);
};

class HtmlEditor : public NamedUndoEditor<QPlainTextEdit> {
 public:
  explicit HtmlEditor(QWidget* parent = nullptr);
};

}  // namespace norvella
