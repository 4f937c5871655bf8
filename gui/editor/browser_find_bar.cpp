#include "gui/editor/browser_find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/i18n/strings.h"
#include "gui/common/qt_text.h"
#include "gui/ui/web_browser.h"

namespace norvella {

BrowserFindBar::BrowserFindBar(std::function<WebBrowser*()> browser, const StringTable& strings, QWidget* parent)
    : QWidget(parent), browser_(std::move(browser)) {
  const std::string section = DialogSection(kDialogFind);
  auto text = [&](const char* key) { return ToQt(strings.Get(section, key)); };
  notFound_ = text("not found");
  setObjectName("BrowserFindBar");
  field_ = new QLineEdit(this);
  field_->setObjectName("findText");
  field_->setPlaceholderText(text("find in page"));
  field_->setClearButtonEnabled(true);
  result_ = new QLabel(this);
  auto* previous = new QToolButton(this);
  previous->setObjectName("findPrevious");
  previous->setArrowType(Qt::UpArrow);
  previous->setToolTip(text("previous"));
  auto* next = new QToolButton(this);
  next->setObjectName("findNext");
  next->setArrowType(Qt::DownArrow);
  next->setToolTip(text("next"));
  auto* close = new QToolButton(this);
  close->setObjectName("findClose");
  close->setText(QString::fromUtf8("\xC3\x97"));
  close->setToolTip(text("close"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(field_, 1);
  layout->addWidget(previous);
  layout->addWidget(next);
  layout->addWidget(result_);
  layout->addWidget(close);
  connect(field_, &QLineEdit::returnPressed, this, [this] { FindNext(false); });
  connect(next, &QToolButton::clicked, this, [this] { FindNext(false); });
  connect(previous, &QToolButton::clicked, this, [this] { FindNext(true); });
  connect(close, &QToolButton::clicked, this, [this] {
    if (WebBrowser* page = browser_()) page->Find(QString());
    hide();
  });
  hide();
}

void BrowserFindBar::Open() {
  WebBrowser* page = browser_();
  if (page == nullptr || page->LocationUrl().isEmpty() || page->LocationUrl() == "about:blank") return;
  show();
  field_->setFocus();
  field_->selectAll();
}

bool BrowserFindBar::FindNext(bool backward) {
  WebBrowser* page = browser_();
  if (page == nullptr || field_->text().isEmpty()) return false;
  const bool found = page->Find(field_->text(), backward);
  result_->setText(found ? QString() : notFound_);
  return found;
}

void BrowserFindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    if (WebBrowser* page = browser_()) page->Find(QString());
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace norvella
