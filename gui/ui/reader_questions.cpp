#include "gui/ui/reader_questions.h"

#include <QApplication>
#include <QMessageBox>

#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"
#include "gui/reader/reader_dialogs.h"
#include "gui/source/source_dialogs.h"
#include "gui/ui/status_panels.h"

namespace norvella {

DialogReaderQuestions::DialogReaderQuestions(const StringTable& strings, TDetectWnd& detect,
                                             TLarge& large, StatusPanels& status, QWidget* parent)
    : strings_(strings),
      detect_(detect),
      large_(large),
      status_(status),
      parent_(parent),
      comment_(new TEnterComment(strings, parent)),
      name_(new TBookmName(strings, parent)),
      manager_(new TBookManage(strings, *name_, parent)) {}

void DialogReaderQuestions::SetDialogOwner(QWidget* owner) {
  parent_ = owner;
  for (QWidget* dialog : {static_cast<QWidget*>(comment_), static_cast<QWidget*>(name_),
                          static_cast<QWidget*>(manager_), static_cast<QWidget*>(&large_),
                          static_cast<QWidget*>(&detect_)})
    if (dialog->parentWidget() != owner) dialog->setParent(owner, dialog->windowFlags());
}

ReaderQuestions::SaveAnswer DialogReaderQuestions::AskSaveChanges() {
  QMessageBox ask(QMessageBox::Question, MessageText(strings_, "Confirm"),
                  DisplayText(MessageText(strings_, "Save Read File")),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
  ask.setObjectName("SaveReadFileQuestion");
  switch (ask.exec()) {
    case QMessageBox::Yes: return SaveAnswer::Yes;
    case QMessageBox::No: return SaveAnswer::No;
    default: return SaveAnswer::Cancel;
  }
}

bool DialogReaderQuestions::AskGoToPosition(bool& neverAsk) {
  const TLarge::Answer answer = large_.Ask(MessageText(strings_, "LastOpenPage"), ToQt(strings_.Get(kControlsMain, "Skip")));
  neverAsk = answer.neverAsk;
  return answer.proceed;
}

ReaderQuestions::NotConvertedAnswer DialogReaderQuestions::AskNotConverted(bool& neverAsk) {
  const TDetectWnd::Answer answer = detect_.Ask(MessageText(strings_, "DocNotYet"), false);
  neverAsk = answer.neverAsk;
  if (!answer.confirmed) return NotConvertedAnswer::Cancel;
  return answer.openForReading ? NotConvertedAnswer::Read : NotConvertedAnswer::Edit;
}

std::optional<std::vector<std::string>> DialogReaderQuestions::AskNote() {
  const auto lines = comment_->Ask();
  if (!lines) return std::nullopt;
  std::vector<std::string> out;
  for (const QString& line : *lines) out.push_back(FromQt(line));
  return out;
}

std::optional<std::string> DialogReaderQuestions::AskBookmarkName(const std::string& proposed) {
  const auto name = name_->Ask(ToQt(proposed));
  if (!name) return std::nullopt;
  return FromQt(*name);
}

bool DialogReaderQuestions::ManageBookmarks(std::vector<Bookmark>& list) {
  return manager_->Edit(list);
}

void DialogReaderQuestions::ShowError(const Error& error) {
  QMessageBox::critical(parent_, MessageText(strings_, "Error"), DisplayText(ErrorText(error)));
}

void DialogReaderQuestions::ShowSelectText() {
  QMessageBox box(QMessageBox::Information, MessageText(strings_, "UnableToSetBookmark"),
                  MessageText(strings_, "SelectText"), QMessageBox::Ok, parent_);
  box.setObjectName("SelectTextMessage");
  box.exec();
}

void DialogReaderQuestions::Beep() { QApplication::beep(); }

void DialogReaderQuestions::ShowTask(const std::string& text) {
  status_.ShowTask(text.empty() ? ToQt(strings_.Process("Ready")) : ToQt(text));
}

void DialogReaderQuestions::SetBusy(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace norvella
