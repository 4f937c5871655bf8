#include "gui/source/source_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/i18n/strings.h"
#include "gui/common/control_texts.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/qt_text.h"

namespace norvella {
namespace {

constexpr std::string_view kDetectSection = "interface\\Controls\\formating detected";
constexpr std::string_view kLargeSection = "interface\\Controls\\large file";

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

TDetectWnd::TDetectWnd(const StringTable& strings, QWidget* parent) : QDialog(parent) {
  auto text = [&](std::string_view key, const char* builtIn) {
    return ControlText(strings, kDetectSection, key, builtIn);
  };
  setObjectName("TDetectWnd");
  setWindowTitle(text("title", "Formating detected"));
  setModal(true);
  message_ = WrappedLabel(
      text("message", "This document was already formated using Norvella program."), this);
  reading_ = new QRadioButton(text("open for reading", "Open document for reading"), this);
  editing_ = new QRadioButton(text("open for editing", "Open document for editing"), this);
  neverAsk_ = new QCheckBox(text("never ask", "Never ask me again"), this);
  reading_->setObjectName("reading");
  editing_->setObjectName("editing");
  neverAsk_->setObjectName("neverAsk");
  const auto [ok, cancel] = MakeOkCancelButtons(this, text("btn1", "&Ok"), text("btn2", "&Cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(WrappedLabel(text("message2", "What should be done?"), this));
  layout->addWidget(reading_);
  layout->addWidget(editing_);
  layout->addWidget(neverAsk_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  setMinimumWidth(360);
}

TDetectWnd::Answer TDetectWnd::Ask(const QString& message, bool readingPreselected) {
  message_->setText(DisplayText(message));
  (readingPreselected ? reading_ : editing_)->setChecked(true);
  neverAsk_->setChecked(false);
  Answer answer;
  answer.confirmed = exec() == QDialog::Accepted;
  answer.openForReading = reading_->isChecked();
  answer.neverAsk = neverAsk_->isChecked();
  return answer;
}

TLarge::TLarge(const StringTable& strings, QWidget* parent) : QDialog(parent) {
  auto text = [&](std::string_view key, const char* builtIn) {
    return ControlText(strings, kLargeSection, key, builtIn);
  };
  setObjectName("TLarge");
  setWindowTitle(text("title", "Large file!"));
  setModal(true);
  message_ = WrappedLabel(text("message", ""), this);
  neverAsk_ = new QCheckBox(text("never ask", "Never ask me again"), this);
  neverAsk_->setObjectName("neverAsk");
  auto* proceed = new QPushButton(text("btn1", "Proceed"), this);
  cancel_ = new QPushButton(text("btn2", "Cancel"), this);
  proceed->setObjectName("proceed");
  cancel_->setObjectName("cancel");
  proceed->setDefault(true);
  connect(proceed, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(neverAsk_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(proceed);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  setMinimumWidth(360);
}

TLarge::Answer TLarge::Ask(const QString& message, const QString& cancelText) {
  message_->setText(DisplayText(message));
  cancel_->setText(cancelText);
  neverAsk_->setChecked(false);
  Answer answer;
  answer.proceed = exec() == QDialog::Accepted;
  answer.neverAsk = neverAsk_->isChecked();
  return answer;
}

bool AskWrongEncoding(QWidget* parent, const StringTable& strings, std::string_view messageKey) {
  QDialog dialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint);
  dialog.setObjectName("TWrongEncoding");
  dialog.setWindowTitle(MessageText(strings, "WrongCode"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(WrappedLabel(DisplayText(MessageText(strings, messageKey)), &dialog));
  auto* box = new QDialogButtonBox(&dialog);
  QPushButton* yes = box->addButton(MessageText(strings, "Yes"), QDialogButtonBox::YesRole);
  QPushButton* no = box->addButton(MessageText(strings, "No"), QDialogButtonBox::NoRole);
  yes->setObjectName("yes");
  no->setObjectName("no");
  yes->setDefault(true);
  QObject::connect(yes, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(no, &QPushButton::clicked, &dialog, &QDialog::reject);
  layout->addWidget(box);
  dialog.setMinimumWidth(360);
  return dialog.exec() == QDialog::Accepted;
}

void DialogSourceQuestions::ConfirmContents(std::vector<ContentsEntry>& entries) {
  conversion_.ConfirmContents(entries);
}

bool DialogSourceQuestions::AskTitle(DocumentProperties& doc, bool& addAuthorToTitle) {
  return conversion_.AskTitle(doc, addAuthorToTitle);
}

bool DialogSourceQuestions::ProceedWithLargeFile(LargeFileQuestion& question) {
  const TLarge::Answer answer = large_.Ask(ToQt(question.message), ToQt(question.cancelText));
  question.neverAskAgain = answer.neverAsk;
  return answer.proceed;
}

bool DialogSourceQuestions::ResolveConvertedDocument(ConvertedDocumentQuestion& question) {
  const TDetectWnd::Answer answer = detect_.Ask(ToQt(question.message), question.openForReading);
  if (!answer.confirmed) return false;
  question.openForReading = answer.openForReading;
  question.neverAskAgain = answer.neverAsk;
  return true;
}

bool DialogSourceQuestions::ConvertEncoding(const EncodingQuestion& question) {
  return AskWrongEncoding(parent_, strings_, question.messageKey);
}

bool DialogSourceQuestions::OpenNotText(const NotTextQuestion& question) {
  // The file name keeps the system's encoding; only the message is the
  // interface's.
  const QString name = QFileInfo(PathText(question.fileName)).fileName();
  QMessageBox ask(QMessageBox::Warning, MessageText(strings_, "Confirm"),
                  DisplayText(ToQt(question.message)).replace("%s", "\"" + name + "\""),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  ask.setDefaultButton(QMessageBox::No);
  ask.button(QMessageBox::Yes)->setText(MessageText(strings_, "Yes"));
  ask.button(QMessageBox::No)->setText(MessageText(strings_, "No"));
  return ask.exec() == QMessageBox::Yes;
}

}  // namespace norvella
