#include "gui/reader/reader_dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/i18n/localisation.h"
#include "gui/common/control_texts.h"
#include "gui/common/dialog_buttons.h"

namespace norvella {
namespace {

std::string Section(std::string_view dialog) { return DialogSection(dialog); }

}  // namespace

TEnterComment::TEnterComment(const StringTable& strings, QWidget* parent) : QDialog(parent) {
  const std::string section = Section(kDialogEnterComment);
  setObjectName("TEnterComment");
  setWindowTitle(ControlText(strings, section, "title", "Enter the comment"));
  setModal(true);
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo1");
  memo_->setTabChangesFocus(true);  // Tab reaches the buttons
  done_ = new QPushButton(ControlText(strings, section, "btn1", "Done"), this);
  done_->setObjectName("done");
  done_->setDefault(true);
  auto* cancel = new QPushButton(ControlText(strings, section, "btn2", "Cancel"), this);
  cancel->setObjectName("cancel");
  connect(memo_, &QPlainTextEdit::textChanged, this,
          [this] { done_->setEnabled(!memo_->toPlainText().isEmpty()); });
  connect(done_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memo_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(done_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  resize(360, 200);
}

std::optional<std::vector<QString>> TEnterComment::Ask() {
  memo_->clear();
  done_->setEnabled(false);
  memo_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  const QStringList lines = memo_->toPlainText().split('\n');
  return std::vector<QString>(lines.begin(), lines.end());
}

TBookmName::TBookmName(const StringTable& strings, QWidget* parent) : QDialog(parent) {
  const std::string section = Section(kDialogBookmark);
  setObjectName("TBookmName");
  setWindowTitle(ControlText(strings, section, "title", "Enter the name for bookmark"));
  setModal(true);
  edit_ = new QLineEdit(this);
  edit_->setObjectName("Edit1");
  edit_->setMaxLength(static_cast<int>(kProposedNameLength));
  notice_ = new QLabel(this);
  notice_->setObjectName("notice");
  notice_->setTextFormat(Qt::PlainText);
  noticeText_ = ControlText(strings, section, "notice",
                            "A \">\" after a quote or \"--\" ends the name in the file; it is written as \"\u203A\".");
  notice_->setWordWrap(true);
  notice_->hide();
  const auto [ok, cancel] = MakeOkCancelButtons(this, ControlText(strings, section, "btn1", "&Ok"),
                                                ControlText(strings, section, "btn2", "&Cancel"));
  // Typing is limited to 40 characters; a proposal may hold up to 50.
  connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (text.size() > static_cast<int>(kTypedNameLength)) {
      const int cursor = edit_->cursorPosition();
      edit_->setText(text.left(static_cast<int>(kTypedNameLength)));
      edit_->setCursorPosition(std::min(cursor, static_cast<int>(kTypedNameLength)));
    }
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_);
  layout->addWidget(notice_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  setMinimumWidth(320);
}

std::optional<QString> TBookmName::Ask(const QString& proposed) {
  edit_->setText(proposed);
  edit_->selectAll();
  notice_->hide();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return edit_->text();
}

void TBookmName::accept() {
  const std::string typed = FromQt(edit_->text());
  const std::string storable = StorableBookmarkName(typed);
  if (storable != typed) {
    // Shown as it will be stored; a second "Ok" takes it.
    edit_->setText(ToQt(storable));
    notice_->setText(noticeText_);
    notice_->show();
    return;
  }
  QDialog::accept();
}

TBookManage::TBookManage(const StringTable& strings, TBookmName& nameDialog, QWidget* parent)
    : QDialog(parent), nameDialog_(nameDialog) {
  const std::string section = Section(kDialogBookmarkEditor);
  setObjectName("TBookManage");
  setWindowTitle(ControlText(strings, section, "title", "Bookmark editor"));
  setModal(true);
  list_ = new QListWidget(this);
  list_->setObjectName("ListBox1");
  auto* edit = new QPushButton(ControlText(strings, section, "btn1", "Edit name..."), this);
  auto* remove = new QPushButton(ControlText(strings, section, "btn2", "Remove"), this);
  const auto [ok, cancel] = MakeOkCancelButtons(this, ControlText(strings, section, "btn3", "&Ok"),
                                                ControlText(strings, section, "btn4", "Cancel"));
  edit->setObjectName("editName");
  remove->setObjectName("remove");
  connect(edit, &QPushButton::clicked, this, &TBookManage::EditName);
  connect(remove, &QPushButton::clicked, this, &TBookManage::Remove);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {edit, remove}) buttons->addWidget(b);
  buttons->addStretch();
  for (QPushButton* b : {ok, cancel}) buttons->addWidget(b);
  layout->addLayout(buttons);
  resize(420, 260);
}

bool TBookManage::Edit(std::vector<Bookmark>& list) {
  list_->clear();
  for (const Bookmark& b : list) {
    auto* item = new QListWidgetItem(ToQt(b.name), list_);
    item->setData(Qt::UserRole, b.number);
  }
  if (exec() != QDialog::Accepted) return false;
  list.clear();
  for (int i = 0; i < list_->count(); ++i)
    list.push_back({list_->item(i)->data(Qt::UserRole).toInt(), FromQt(list_->item(i)->text())});
  return true;
}

void TBookManage::EditName() {
  QListWidgetItem* item = list_->currentItem();
  if (!item) return;
  if (const auto name = nameDialog_.Ask(item->text())) item->setText(*name);
}

void TBookManage::Remove() { delete list_->currentItem(); }

}  // namespace norvella
