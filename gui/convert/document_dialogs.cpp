#include "gui/convert/document_dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/i18n/strings.h"
#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"

namespace norvella {
namespace {

constexpr std::string_view kDocPropSection = "interface\\Controls\\docprop";
constexpr std::string_view kContentSection = "interface\\Controls\\content confirm";

// Labels show their text as it is: the texts name tags ("<title></title>"),
// which a label left to guess would take for markup and hide.
QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

TTetleWnd::TTetleWnd(const StringTable& strings, QWidget* parent) : QDialog(parent) {
  auto text = [&](std::string_view key, const char* builtIn) {
    return ControlText(strings, kDocPropSection, key, builtIn);
  };
  setObjectName("TTetleWnd");
  setWindowTitle(text("title", "Document properties"));
  setModal(true);
  title_ = new QLineEdit(this);
  shortTitle_ = new QLineEdit(this);
  author_ = new QLineEdit(this);
  addAuthor_ = new QCheckBox(text("add author", "Auto add autor to <title> next time"), this);
  title_->setObjectName("Title");
  shortTitle_->setObjectName("ShortTitle");
  author_->setObjectName("Autor");
  addAuthor_->setObjectName("addAuthor");
  auto* done = new QPushButton(text("btn", "Done"), this);
  done->setObjectName("done");
  done->setDefault(true);
  connect(done, &QPushButton::clicked, this, &QDialog::accept);

  auto* form = new QFormLayout;
  form->setRowWrapPolicy(QFormLayout::WrapAllRows);
  form->addRow(PlainLabel(text("title doc", "Title (for document)"), this), title_);
  form->addRow(PlainLabel(text("title head", "Short title (for <title></title> tag)"), this), shortTitle_);
  form->addRow(PlainLabel(text("author", "Autor (for <meta> tag)"), this), author_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(addAuthor_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(done);
  layout->addLayout(buttons);
  setMinimumWidth(420);
}

void TTetleWnd::Ask(DocumentProperties& doc, bool& addAuthorToTitle) {
  title_->setText(ToQt(doc.title));
  shortTitle_->setText(ToQt(doc.shortTitle));
  author_->setText(ToQt(doc.author));
  addAuthor_->setChecked(addAuthorToTitle);
  title_->setFocus();
  exec();
  addAuthorToTitle = addAuthor_->isChecked();
  doc.title = FromQt(title_->text());
  doc.shortTitle = FromQt(shortTitle_->text());
  doc.author = FromQt(author_->text());
}

TContentChecker::TContentChecker(const StringTable& strings, QWidget* parent) : QDialog(parent) {
  auto text = [&](std::string_view key, const char* builtIn) {
    return ControlText(strings, kContentSection, key, builtIn);
  };
  setObjectName("TContentChecker");
  setWindowTitle(text("title", "Table of content confirmation"));
  setModal(true);
  content_ = new QListWidget(this);
  content_->setObjectName("Content");
  auto* uncheck = new QPushButton(text("btn1", "Uncheck all"), this);
  auto* check = new QPushButton(text("btn2", "Check all"), this);
  auto* done = new QPushButton(text("btn3", "Done"), this);
  uncheck->setObjectName("uncheckAll");
  check->setObjectName("checkAll");
  done->setObjectName("done");
  uncheck->setAutoDefault(false);
  check->setAutoDefault(false);
  done->setDefault(true);
  connect(uncheck, &QPushButton::clicked, this, [this] { TickAll(false); });
  connect(check, &QPushButton::clicked, this, [this] { TickAll(true); });
  // "Done" is also what closing or Escape does: the ticks stay as left.
  connect(done, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PlainLabel(text("caption", "Table of content (uncheck unneeded items)"), this));
  layout->addWidget(content_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(uncheck);
  buttons->addWidget(check);
  buttons->addStretch();
  buttons->addWidget(done);
  layout->addLayout(buttons);
  resize(420, 360);
}

void TContentChecker::TickAll(bool ticked) {
  for (int i = 0; i < content_->count(); ++i)
    content_->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TContentChecker::Confirm(std::vector<ContentsEntry>& entries) {
  content_->clear();
  for (const ContentsEntry& entry : entries) {
    auto* item = new QListWidgetItem(ToQt(entry.text), content_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(entry.ticked ? Qt::Checked : Qt::Unchecked);
  }
  exec();
  for (std::size_t i = 0; i < entries.size(); ++i)
    entries[i].ticked = content_->item(static_cast<int>(i))->checkState() == Qt::Checked;
}

DialogQuestions::DialogQuestions(const StringTable& strings, QWidget* parent)
    : contentChecker_(new TContentChecker(strings, parent)),
      titleDialog_(new TTetleWnd(strings, parent)) {}

void DialogQuestions::ConfirmContents(std::vector<ContentsEntry>& entries) {
  if (!entries.empty()) contentChecker_->Confirm(entries);
}

bool DialogQuestions::AskTitle(DocumentProperties& doc, bool& addAuthorToTitle) {
  titleDialog_->Ask(doc, addAuthorToTitle);
  return true;
}

}  // namespace norvella
