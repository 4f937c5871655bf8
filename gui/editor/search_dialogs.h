#pragma once

// The find and replace dialogs of one editor: small non-modal windows that
// share their search text, opened with the editor's selection. A search
// that finds nothing says so with `NotFound`.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTextEdit;

namespace norvella {

class StringTable;

class EditorSearch : public QObject {
  Q_OBJECT

 public:
  EditorSearch(QTextEdit* editor, const StringTable& strings, QWidget* parent);
  EditorSearch(QPlainTextEdit* editor, const StringTable& strings, QWidget* parent);

  // Opens the dialog, filled with the editor's selected text.
  void OpenFind();
  void OpenReplace();

  QDialog* findDialog() const { return find_; }
  QDialog* replaceDialog() const { return replace_; }
  const QString& searchText() const { return text_; }

  // The searches behind the buttons; each reports a miss with NotFound and
  // returns false.
  bool FindNext();
  bool ReplaceOne();
  int ReplaceAll();

 private:
  void Build();
  void Prefill();
  void SetText(const QString& text);
  QTextDocument::FindFlags Flags(bool forFind) const;
  QTextCursor Cursor() const;
  void SetCursor(const QTextCursor& cursor);
  QTextDocument* Document() const;
  void ReportMiss(QWidget* over);

  QTextEdit* rich_ = nullptr;
  QPlainTextEdit* plain_ = nullptr;
  const StringTable& strings_;
  QWidget* parent_;
  QString text_;

  QPointer<QDialog> find_;
  QLineEdit* findWhat_ = nullptr;
  QCheckBox* findCase_ = nullptr;
  QCheckBox* findWord_ = nullptr;
  QRadioButton* findUp_ = nullptr;

  QPointer<QDialog> replace_;
  QLineEdit* replaceWhat_ = nullptr;
  QLineEdit* replaceWith_ = nullptr;
  QCheckBox* replaceCase_ = nullptr;
  QCheckBox* replaceWord_ = nullptr;
};

}  // namespace norvella
