#pragma once

// The reader's three small dialogs: the note's text, a bookmark's name and
// the bookmark editor.

#include <QDialog>

#include "gui/reader/reader_controller.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace norvella {

// "Enter the comment": a multi-line text; "Done" waits for some text.
class TEnterComment : public QDialog {
  Q_OBJECT

 public:
  TEnterComment(const StringTable& strings, QWidget* parent);
  // Cleared and shown; the lines typed, or nothing when cancelled.
  std::optional<std::vector<QString>> Ask();
  QPlainTextEdit* Memo() const { return memo_; }

 private:
  QPlainTextEdit* memo_;
  QPushButton* done_;
};

// "Enter the name for bookmark": one line of at most 40 typed characters.
class TBookmName : public QDialog {
  Q_OBJECT

 public:
  TBookmName(const StringTable& strings, QWidget* parent);
  // The text starts as `proposed`; the name confirmed, changed where the
  // bookmarks block could not hold it (the dialog says so and stays open
  // for another look), or nothing when cancelled.
  std::optional<QString> Ask(const QString& proposed);

 private:
  void accept() override;

  QLineEdit* edit_;
  QLabel* notice_;
  QString noticeText_;  // why the name was changed as it will be stored
};

// "Bookmark editor": rename and remove bookmarks.
class TBookManage : public QDialog {
  Q_OBJECT

 public:
  TBookManage(const StringTable& strings, TBookmName& nameDialog, QWidget* parent);
  // Shows the list; true with the edited list when confirmed.
  bool Edit(std::vector<Bookmark>& list);
  QListWidget* List() const { return list_; }

 private:
  void EditName();
  void Remove();

  TBookmName& nameDialog_;
  QListWidget* list_;
};

}  // namespace norvella
