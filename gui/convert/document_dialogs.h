#pragma once

// The dialogs a conversion may show: the document properties after a load
// (TTetleWnd) and the confirmation of the table of contents
// (TContentChecker). Both are created once and reused; each takes its texts
// from its own localisation section when it is created.

#include <vector>

#include <QDialog>

#include "core/convert/context.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace norvella {

class StringTable;

class TTetleWnd : public QDialog {
  Q_OBJECT

 public:
  TTetleWnd(const StringTable& strings, QWidget* parent);
  // Shows title, short title and author with the "add author" choice, and
  // takes all of them back from the fields however the dialog is closed.
  void Ask(DocumentProperties& doc, bool& addAuthorToTitle);

 private:
  QLineEdit* title_;
  QLineEdit* shortTitle_;
  QLineEdit* author_;
  QCheckBox* addAuthor_;
};

class TContentChecker : public QDialog {
  Q_OBJECT

 public:
  TContentChecker(const StringTable& strings, QWidget* parent);
  // Lists the entries ticked as they are; the user's ticks are taken back.
  void Confirm(std::vector<ContentsEntry>& entries);

 private:
  void TickAll(bool ticked);

  QListWidget* content_;
};

// The conversion's questions answered by these dialogs.
class DialogQuestions final : public ConversionQuestions {
 public:
  DialogQuestions(const StringTable& strings, QWidget* parent);
  void ConfirmContents(std::vector<ContentsEntry>& entries) override;
  bool AskTitle(DocumentProperties& doc, bool& addAuthorToTitle) override;

  TContentChecker& contentChecker() { return *contentChecker_; }

 private:
  TContentChecker* contentChecker_;
  TTetleWnd* titleDialog_;
};

}  // namespace norvella
