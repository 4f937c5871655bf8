// The window's controls, menus, toolbars and areas. The controls and the
// toolbars come from the command table; each area is built by its own
// function, the place where the part that lives in it puts its widgets.

#include "gui/ui/main_window.h"

#include <utility>

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/common/artwork.h"
#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"
#include "gui/editor/browser_find_bar.h"
#include "gui/editor/editor_widgets.h"
#include "gui/ui/full_screen_window.h"
#include "gui/ui/status_panels.h"
#include "gui/options/option_panel_widget.h"
#include "gui/ui/web_browser.h"

namespace norvella {
namespace {

QWidget* Column(QWidget* parent, std::initializer_list<QWidget*> widgets, int stretchIndex) {
  auto* column = new QWidget(parent);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  int index = 0;
  for (QWidget* widget : widgets) layout->addWidget(widget, index++ == stretchIndex ? 1 : 0);
  return column;
}

}  // namespace

void TMain::BuildControls() {
  // The localisation is loaded by now: a control shows its text from the
  // menu or hint section when the localisation gives one, its own
  // otherwise.
  const StringTable& strings = controller_->strings();
  for (const ControlInfo& info : Controls()) {
    auto* action = new QAction(this);
    const QString name = QString::fromUtf8(info.name.data(), static_cast<int>(info.name.size()));
    action->setObjectName(name);
    QString text = QString::fromUtf8(info.text.data(), static_cast<int>(info.text.size()));
    if (!info.textKey.empty())
      text = ControlText(strings, info.kind == ControlKind::MenuItem ? kMenu : kHints, info.textKey, text);
    if (info.kind == ControlKind::MenuItem) {
      action->setText(text);
      QList<QKeySequence> keys;
      for (const std::string_view key : {info.shortcut, info.desktopShortcut})
        if (!key.empty()) keys << QKeySequence(QString::fromUtf8(key.data(), static_cast<int>(key.size())));
      action->setShortcuts(keys);
    } else {
      action->setText(text.isEmpty() ? QString("&Send to rocket now") : DisplayText(text));
      if (!text.isEmpty()) action->setToolTip(DisplayText(text));
      const QString theme = QString::fromUtf8(info.themeIcon.data(), static_cast<int>(info.themeIcon.size()));
      if (info.label.empty())
        action->setIcon(ToolbarIcon(theme, info.glyph));
      else
        action->setIcon(ToolbarIcon(theme, QString::fromUtf8(info.label.data(), static_cast<int>(info.label.size()))));
    }
    action->setCheckable(info.checkable);
    const bool implemented = CommandImplemented(info.command);
    action->setProperty("implemented", implemented);
    action->setProperty("modeEnabled", true);
    action->setEnabled(implemented);
    const Command command = info.command;
    connect(action, &QAction::triggered, this, [this, command, name] { Execute(command, name); });
    controls_[name] = action;
  }
  modeGroup_ = new QActionGroup(this);
  // The five text sizes are one radio group.
  sizeGroup_ = new QActionGroup(this);
  for (const char* size : {"Smallest1", "Small1", "Normal1", "Large1", "Largest1"})
    sizeGroup_->addAction(Control(size));
  for (const ControlInfo& info : Controls()) {
    // The go buttons follow their browser's history; they start off.
    if (info.command == Command::GoBack || info.command == Command::GoForward)
      Control(info)->setEnabled(false);
    if (info.kind == ControlKind::MenuItem && ModeOfCommand(info.command) >= 0)
      modeGroup_->addAction(Control(info));
  }
}

QMenu* TMain::MakeMenu(QMenu* into, std::string_view key, const QString& title,
                       std::initializer_list<const char*> items) {
  const QString caption = key.empty() ? title : ControlText(controller_->strings(), kMenu, key, title);
  QMenu* menu = into != nullptr ? into->addMenu(caption) : menuBar()->addMenu(caption);
  for (const char* item : items) {
    if (QString(item) == "-") menu->addSeparator();
    else menu->addAction(Control(item));
  }
  return menu;
}

void TMain::BuildMenus() {
  MakeMenu(nullptr, "file", "&File", {"Open1", "Openfileinreadermode1", "Save1", "ExportEpub1", "ExportFb21", "Sendtorocket1", "-",
                            "Exit1"});

  QMenu* view = MakeMenu(nullptr, "view", "&View",
                         {"Simpleinterfacemode1", "Advancedinterfacemode1", "Readerinterfacemode2", "-"});
  QMenu* fontSize = MakeMenu(view, "viewer font size", "Viewer font size",
                             {"Increase1", "Decrease1", "-", "Smallest1", "Small1", "Normal1", "Large1",
                              "Largest1"});
  fontSize->menuAction()->setObjectName("Viewerfontsize1");

  QMenu* reader = MakeMenu(nullptr, "reader", "&Reader", {"Saveactivefile1", "-"});
  reader->menuAction()->setObjectName("ReaderRoot");
  QMenu* bookmarks = MakeMenu(reader, "bookmarks", "Bookmarks", {"Addbookmark1", "Managebookmarks1"});
  bookmarks->menuAction()->setObjectName("Bookmarks1");
  bookmarksMenu_ = bookmarks;
  bookmarksSeparator_ = bookmarks->addSeparator();
  bookmarksSeparator_->setVisible(false);
  reader->addAction(Control("Addnotetoselected1"));
  reader->addSeparator();
  for (const char* item : {"Autoscroll1", "Toorboscroll1", "FullScreen1"}) reader->addAction(Control(item));
  reader->addSeparator();
  QMenu* stylize = MakeMenu(reader, "stylise", "Stylize",
                            {"BlackYellow1", "BlackGreen1", "Custom1", "-", "Applylasttoallopened1", "-",
                             "None1"});
  stylize->menuAction()->setObjectName("Stylize1");
  reader->addAction(Control("Autosavebookmarks1"));
  reader->addSeparator();
  QMenu* recent = MakeMenu(reader, "recent files", "Recent files", {"empty1"});
  recent->menuAction()->setObjectName("Recentfiles1");
  recentMenu_ = recent;
  // The Bookshelf buttons' drop-down, filled from the submenu as it opens.
  historyPoupUp_ = new QMenu(this);
  historyPoupUp_->setObjectName("HistoryPoupUp");
  connect(historyPoupUp_, &QMenu::aboutToShow, this, [this] { HistoryPoupUpPopup(); });

  QMenu* parsing = MakeMenu(nullptr, "parsing", "&Parsing",
                            {"Autodetectformat1", "-", "Threatasfixedwidth1", "Threataslineparagraph1",
                             "Threatashtml1"});
  parsing->menuAction()->setObjectName("Options1");

  MakeMenu(nullptr, {}, "&?", {"Help1", "About1"});

  // The menus themselves are switched like controls.
  for (const MenuInfo& switched : SwitchedMenus()) {
    const QString name = ToQtName(switched.name);
    for (QMenu* menu : {reader, parsing}) {
      QAction* action = menu->menuAction();
      if (action->objectName() != name) continue;
      action->setProperty("implemented", true);
      action->setProperty("modeEnabled", true);
      controls_[name] = action;
    }
  }
}

QToolBar* TMain::MakeToolBar(ToolBarId id) {
  auto* bar = new QToolBar(this);
  bar->setObjectName(ToQtName(ToolBarName(id)));
  bar->setIconSize(QSize(22, 22));
  bar->setMovable(false);
  for (const ControlInfo* button : ToolBarButtons(id)) {
    if (button->opensGroup) bar->addSeparator();
    bar->addAction(Control(*button));
    // The Bookshelf buttons drop the recent documents down; a click on the
    // button itself opens the same list.
    if (button->command == Command::Bookshelf)
      if (auto* tool = qobject_cast<QToolButton*>(bar->widgetForAction(Control(*button)))) {
        tool->setMenu(historyPoupUp_);
        tool->setPopupMode(QToolButton::MenuButtonPopup);
      }
  }
  return bar;
}


void TMain::BuildAreas() {
  splitter1_ = new QSplitter(Qt::Horizontal, this);
  splitter1_->setObjectName("Splitter1");
  splitter1_->setChildrenCollapsible(false);
  clientArea_ = new QStackedWidget(splitter1_);

  // The conversion tabs.
  pageControl1_ = new QTabWidget(clientArea_);
  pageControl1_->setObjectName("PageControl1");
  pageControl1_->setMinimumWidth(150);
  pageControl1_->setDocumentMode(true);
  previewTab_ = BuildPreviewTab();
  htmlTab_ = BuildHtmlTab();
  sourceTab_ = BuildSourceTab();
  const StringTable& strings = controller_->strings();
  pageControl1_->addTab(previewTab_, ControlText(strings, kControlsMain, "preview", "Preview"));
  pageControl1_->addTab(htmlTab_, "HTML");
  pageControl1_->addTab(sourceTab_, ControlText(strings, kControlsMain, "SRC", "Source"));
  clientArea_->addWidget(pageControl1_);

  panel1_ = BuildPanel();
  clientArea_->addWidget(panel1_);

  rightPanel_ = BuildOptionPanel();
  splitter1_->setStretchFactor(0, 1);
  splitter1_->setStretchFactor(1, 0);
  setCentralWidget(splitter1_);

  status_ = new StatusPanels(statusBar());
  status_->ShowTask(ToQt(strings.Get(kControlsMain, "no task")));
  clock_ = new QTimer(this);
  clock_->setObjectName("Timer2");
  connect(clock_, &QTimer::timeout, this, [this] {
    ShowReadingPercent();
    status_->ShowClock(ClockText(QTime::currentTime()));
    if (fullScreen_) fullScreen_->ShowClock(ClockText(QTime::currentTime()));
  });
  clock_->start(1000);
  status_->ShowClock(ClockText(QTime::currentTime()));

  // The go buttons of a toolbar follow the history of the browser beside it.
  for (const auto& [browser, toolBar] : {std::pair{webBrowser0_, ToolBarId::Preview},
                                         std::pair{webBrowser1_, ToolBarId::Panel}})
    connect(browser, &WebBrowser::CommandStateChanged, this, [this, toolBar](bool back, bool forward) {
      for (const ControlInfo* button : ToolBarButtons(toolBar)) {
        if (button->command == Command::GoBack) Control(*button)->setEnabled(back);
        if (button->command == Command::GoForward) Control(*button)->setEnabled(forward);
      }
    });
  for (WebBrowser* browser : {webBrowser0_, webBrowser1_})
    connect(browser, &WebBrowser::FilesDropped, this, [this](const QList<QUrl>& urls) {
      QMetaObject::invokeMethod(this, [this, urls] { OpenDroppedFiles(urls); }, Qt::QueuedConnection);
    });
  activeBrowser_ = webBrowser0_;
}

QWidget* TMain::BuildPreviewTab() {
  QToolBar* toolBar3 = MakeToolBar(ToolBarId::Preview);
  splitter2_ = new QSplitter(Qt::Horizontal);
  splitter2_->setObjectName("Splitter2");
  webBrowser0_ = new WebBrowser(splitter2_);
  webBrowser0_->setObjectName("WebBrowser0");
  auto* beside = new QWidget(splitter2_);
  beside->setObjectName("WebPanelFiller");
  splitter2_->setCollapsible(0, false);
  previewFindBar_ = new BrowserFindBar([this] { return activeBrowser_; }, controller_->strings());
  QWidget* tab = Column(pageControl1_, {toolBar3, previewFindBar_, splitter2_}, 2);
  tab->setObjectName("TabSheet1");
  return tab;
}

// The editors' tabs: their toolbars over the editors.
QWidget* TMain::BuildHtmlTab() {
  QToolBar* toolBar2 = MakeToolBar(ToolBarId::HtmlEditor);
  htmText_ = new HtmlEditor;
  QWidget* tab = Column(pageControl1_, {toolBar2, htmText_}, 1);
  tab->setObjectName("TabSheet2");
  return tab;
}

QWidget* TMain::BuildSourceTab() {
  QToolBar* toolBar1 = MakeToolBar(ToolBarId::SourceEditor);
  toolBar1->setIconSize(QSize(18, 18));
  srcText_ = new SourceEditor;
  QWidget* tab = Column(pageControl1_, {toolBar1, srcText_}, 1);
  tab->setObjectName("TabSheet3");
  return tab;
}

// The full-window panel: its toolbar over the browser that shows the
// preview in the simple mode and the document in the reader.
QWidget* TMain::BuildPanel() {
  QToolBar* toolBar4 = MakeToolBar(ToolBarId::Panel);
  webBrowser1_ = new WebBrowser;
  webBrowser1_->setObjectName("WebBrowser1");
  panelFindBar_ = new BrowserFindBar([this] { return activeBrowser_; }, controller_->strings());
  QWidget* panel = Column(clientArea_, {toolBar4, panelFindBar_, webBrowser1_}, 2);
  panel->setObjectName("Panel1");
  return panel;
}

// The option panel: the option tree over its editors and the description
// of the chosen option.
QWidget* TMain::BuildOptionPanel() {
  optionPanel_ = new OptionPanelWidget(*controller_, splitter1_);
  return optionPanel_;
}

QAction* TMain::Control(const QString& name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

QAction* TMain::Control(const ControlInfo& info) const { return Control(ToQtName(info.name)); }

}  // namespace norvella
