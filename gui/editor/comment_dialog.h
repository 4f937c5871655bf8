#pragma once

// TPlComment, the "Insert comment" dialog: the end note's linked title and
// its body, both editable over several lines.

#include <QDialog>

#include "gui/editor/editor_controller.h"

class QPlainTextEdit;

namespace norvella {

class StringTable;

class TPlComment : public QDialog, public EndNoteQuestion {
  Q_OBJECT

 public:
  TPlComment(const StringTable& strings, QWidget* parent = nullptr);

  // Shows the dialog filled with the proposals; true (with the texts
  // taken back) when it ends with OK.
  bool Ask(QString& title, QString& body) override;

  QPlainTextEdit* titleField() const { return title_; }
  QPlainTextEdit* bodyField() const { return body_; }

 private:
  QPlainTextEdit* title_;
  QPlainTextEdit* body_;
};

}  // namespace norvella
