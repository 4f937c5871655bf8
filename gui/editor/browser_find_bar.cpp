#include "gui/editor/browser_find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "gui/ui/web_browser.h"

namespace norvella {

BrowserFindBar::BrowserFindBar(std::function<WebBrowser*()> browser, QWidget* parent)
    : QWidget(parent), browser_(std::move(browser)) {
  setObjectName("BrowserFindBar");
  field_ = new QLineEdit(this);
  field_->setObjectName("findText");
  field_->setPlaceholderText("Find in page");
  field_->setClearButtonEnabled(true);
  result_ = new QLabel(this);
  auto* previous = new QToolButton(this);
  previous->setObjectName("findPrevious");
  previous->setArrowType(Qt::UpArrow);
  previous->setToolTip("Previous");
  auto* next = new QToolButton(this);
  next->setObjectName("findNext");
  next->setArrowType(Qt::DownArrow);
  next->setToolTip("Next");
  auto* close = new QToolButton(this);
  close->setObjectName("findClose");
  close->setText(QString::fromUtf8("\xC3\x97"));
  close->setToolTip("Close");
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
  result_->setText(found ? QString() : QString("Not found"));
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
