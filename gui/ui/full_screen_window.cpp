#include "gui/ui/full_screen_window.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/i18n/strings.h"
#include "gui/common/artwork.h"
#include "gui/common/control_texts.h"
#include "gui/editor/browser_find_bar.h"
#include "gui/ui/web_browser.h"

namespace norvella {

TFullScrForm::TFullScrForm(const StringTable& strings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName("TFullScrForm");
  setWindowTitle("Norvella");
  setWindowIcon(AppIcon());

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("ToolBar1");
  toolBar_->setIconSize(QSize(22, 22));
  const QString unzoom = ControlText(strings, kHints, "unzoom", "Unzoom");
  struct Button {
    const char* name;
    Glyph glyph;
    const char* theme;
    bool separatorBefore;
    bool checkable;
  };
  const Button buttons[] = {
      {"ZoomBtn", Glyph::FullScreen, "view-restore", false, false},
      {"ToolButton49", Glyph::Back, "go-previous", true, false},
      {"ToolButton50", Glyph::Forward, "go-next", false, false},
      {"ToolButton62", Glyph::Find, "edit-find", true, false},
      {"NoteBtn", Glyph::Note, "", true, false},
      {"BookmrkBtn", Glyph::Bookmark, "bookmark-new", false, false},
      {"ToolButton1", Glyph::Bookmark, "bookmarks", false, false},
      {"AutoscrollBtn", Glyph::Autoscroll, "", true, true},
      {"Faster", Glyph::Faster, "", false, false},
      {"Slower", Glyph::Slower, "", false, false},
  };
  bookmarksDropDn_ = new QMenu(this);
  bookmarksDropDn_->setObjectName("BookmarksDropDn");
  for (const Button& b : buttons) {
    if (b.separatorBefore) toolBar_->addSeparator();
    QAction* action = MakeAction(b.name, b.name, b.checkable);
    action->setIcon(ToolbarIcon(b.theme, b.glyph));
    toolBar_->addAction(action);
  }
  Action("ZoomBtn")->setText(unzoom);
  Action("ZoomBtn")->setToolTip(unzoom);
  QAction* list = Action("ToolButton1");
  list->setText(ControlText(strings, kHints, "bookmarks", "Bookmarks"));
  list->setToolTip(list->text());
  if (auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(list))) {
    button->setMenu(bookmarksDropDn_);
    button->setPopupMode(QToolButton::InstantPopup);
  }

  // The reading progress and the clock at the right of the toolbar.
  gauge1_ = new QProgressBar(this);
  gauge1_->setObjectName("Gauge1");
  gauge1_->setRange(0, 100);
  gauge1_->setValue(0);
  gauge1_->setFixedWidth(160);
  gauge1_->setTextVisible(true);
  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  label1_->setMinimumWidth(70);
  label1_->setAlignment(Qt::AlignCenter);
  auto* top = new QWidget(this);
  top->setObjectName("Panel1");
  auto* topLayout = new QHBoxLayout(top);
  topLayout->setContentsMargins(2, 0, 6, 0);
  topLayout->addWidget(toolBar_, 1);
  topLayout->addWidget(gauge1_);
  topLayout->addWidget(label1_);

  browser_ = new WebBrowser(this);
  browser_->setObjectName("WebBrowser1");
  findBar_ = new BrowserFindBar([this] { return browser_; }, strings, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(top);
  layout->addWidget(findBar_);
  layout->addWidget(browser_, 1);

  // The context menu; its shortcuts work anywhere in the window.
  poupUpMenu1_ = new QMenu(this);
  poupUpMenu1_->setObjectName("PoupUpMenu1");
  QAction* close = MakeAction("Unzoom1", unzoom);
  close->setShortcut(Qt::Key_Escape);
  QAction* autoscroll = MakeAction("Autoscroll1",
                                   ControlText(strings, kControlsMain, "fullscreen autoscroll", "Autoscroll"));
  autoscroll->setShortcut(QKeySequence("Ctrl+K"));
  QAction* note = MakeAction("Addnote1", ControlText(strings, kControlsMain, "fullscreen add note", "Add note"));
  note->setShortcut(QKeySequence("Ctrl+Shift+N"));
  QAction* bookmark =
      MakeAction("Addbookmark1", ControlText(strings, kControlsMain, "fullscreen add bookmark", "Add bookmark"));
  bookmark->setShortcut(QKeySequence("Ctrl+B"));
  poupUpMenu1_->addAction(close);
  poupUpMenu1_->addAction(autoscroll);
  poupUpMenu1_->addSeparator();
  poupUpMenu1_->addAction(note);
  poupUpMenu1_->addAction(bookmark);
  for (QAction* action : {close, autoscroll, note, bookmark}) {
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  browser_->SetContextMenu(poupUpMenu1_);
  connect(Action("ZoomBtn"), &QAction::triggered, this, &QWidget::close);
  connect(close, &QAction::triggered, this, &QWidget::close);
}

QAction* TFullScrForm::MakeAction(const QString& name, const QString& text, bool checkable) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  action->setCheckable(checkable);
  return action;
}

QAction* TFullScrForm::Action(const QString& name) const { return findChild<QAction*>(name); }

void TFullScrForm::ShowProgress(int percent) { gauge1_->setValue(std::clamp(percent, 0, 100)); }
void TFullScrForm::ShowClock(const QString& time) { label1_->setText(time); }
int TFullScrForm::Progress() const { return gauge1_->value(); }
QString TFullScrForm::Clock() const { return label1_->text(); }

void TFullScrForm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

}  // namespace norvella
