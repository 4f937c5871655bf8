#pragma once

// The note window. A note link in a document would, in a web browser, open
// a small window titled "Comment" and write the note into it; the program
// runs no document's scripts and shows the note in this window instead.
// The note is markup (a note may hold line breaks and any markup its writer
// typed) and is shown as such, but the window loads nothing for it: no
// pictures, no files, no addresses. A web or mail link in a note goes to
// the desktop's handler when clicked.
//
// One window serves every note, as the links' named window does: each note
// replaces the one shown before. It is not modal; the reader goes on
// reading beside it.

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace norvella {

class TCommentWnd : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 210;

  explicit TCommentWnd(QWidget* parent = nullptr);

  // Shows the note's markup and brings the window to the front.
  void ShowNote(const QString& noteHtml);

  // The markup last shown, and the text the reader sees.
  QString NoteHtml() const { return noteHtml_; }
  QString NoteText() const;

 private:
  QTextBrowser* view_ = nullptr;
  QString noteHtml_;
};

}  // namespace norvella
