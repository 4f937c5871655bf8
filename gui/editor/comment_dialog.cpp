#include "gui/editor/comment_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/i18n/strings.h"
#include "gui/common/control_texts.h"
#include "gui/common/dialog_buttons.h"

namespace norvella {
namespace {

constexpr std::string_view kSection = "interface\\Controls\\insert SRC comment";

}  // namespace

TPlComment::TPlComment(const StringTable& strings, QWidget* parent) : QDialog(parent) {
  auto text = [&](std::string_view key, const char* builtIn) { return ControlText(strings, kSection, key, builtIn); };
  setObjectName("TPlComment");
  setWindowTitle(text("title", "Insert comment"));
  setModal(true);
  title_ = new QPlainTextEdit(this);
  title_->setObjectName("title");
  title_->setTabChangesFocus(true);
  title_->setMaximumHeight(70);
  body_ = new QPlainTextEdit(this);
  body_->setObjectName("body");
  body_->setTabChangesFocus(true);
  const auto [ok, cancel] = MakeOkCancelButtons(this, text("btn1", "&Ok"), text("btn2", "&Cancel"));

  auto* layout = new QVBoxLayout(this);
  auto* titleLabel = new QLabel(text("comment title", "Comment title (hyperlinked text)"), this);
  titleLabel->setTextFormat(Qt::PlainText);  // a localised text may name a tag
  layout->addWidget(titleLabel);
  layout->addWidget(title_);
  auto* bodyLabel = new QLabel(text("comment body", "Comment body (goes to the end of the document)"), this);
  bodyLabel->setTextFormat(Qt::PlainText);
  layout->addWidget(bodyLabel);
  layout->addWidget(body_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  resize(420, 320);
}

bool TPlComment::Ask(QString& title, QString& body) {
  title_->setPlainText(title);
  body_->setPlainText(body);
  title_->setFocus();
  title_->selectAll();
  if (exec() != QDialog::Accepted) return false;
  title = title_->toPlainText();
  body = body_->toPlainText();
  return true;
}

}  // namespace norvella
