// The main window's reader: opening documents for reading, saving them, the
// bookmarks menu, autoscroll, the status texts that follow the browsers,
// page styles and text sizes, the full-screen view and the recent documents.
// The behaviour itself is in ReaderController (made in WireReader); this
// unit connects it to the window's controls, browsers and timers.

#include "gui/ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "core/reader/reader_style.h"
#include "core/reader/recent_files.h"
#include "core/settings/options.h"
#include "gui/common/artwork.h"
#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"
#include "gui/reader/colorifer.h"
#include "gui/reader/reader_controller.h"
#include "gui/reader/screen_saver.h"
#include "gui/ui/browser_page.h"
#include "gui/reader/comment_window.h"
#include "gui/ui/full_screen_window.h"
#include "gui/ui/reader_questions.h"
#include "gui/ui/status_panels.h"
#include "gui/ui/web_browser.h"

namespace norvella {

void TMain::UpdateReaderChecks() {
  Control("Toorboscroll1")->setChecked(options().Flag(Opt::TurboScroll));
  Control("Autosavebookmarks1")->setChecked(options().Flag(Opt::SaveReaderDocOnExit));
  Control("Applylasttoallopened1")->setChecked(options().Flag(Opt::ApplyReaderStyleForNewDocs));
  const bool on = AutoscrollOn();
  Control("Autoscroll1")->setChecked(on);
  Control("AutoscrollBtn")->setChecked(on);
  if (fullScreen_) fullScreen_->Action("AutoscrollBtn")->setChecked(on);
}

// Both browsers report their loading and the link under the mouse here.
void TMain::FollowBrowserStatus(WebBrowser* browser) {
  const StringTable& strings = controller_->strings();
  auto ready = [this, &strings] { status_->ShowTask(ToQt(strings.Process("Ready"))); };
  connect(browser, &WebBrowser::DocumentComplete, this, [ready](bool) { ready(); });
  connect(browser, &WebBrowser::ProgressChanged, this, [this, ready, &strings](int percent) {
    if (percent <= 0) return;
    if (percent < 100) {
      status_->ShowPercent(QString::number(percent) + "%");
      status_->ShowTask(ToQt(strings.Process("CurrentTask") + strings.Process("LoadingToBrowser")));
    } else {
      ready();
    }
  });
  connect(browser, &WebBrowser::StatusTextChanged, this, [this, browser, ready](const QString& text) {
    if (text.isEmpty()) {
      ready();
      return;
    }
    // A link into the open document shows as its name and the anchor.
    QString location = browser->LocationUrl();
    location.replace("%20", " ");
    QString shown = text;
    shown.replace("%20", " ");
    if (!location.isEmpty() && shown.startsWith(location))
      status_->ShowTask(browser->LocationName() + shown.mid(location.size()));
    else
      status_->ShowTask(text);
  });
}

// A link of the page leads to another document. In the reader that is
// leaving the book: its changes are asked about (or saved) first, and an
// HTML document is then opened for reading as if chosen in the dialog.
void TMain::FollowLinkOut(WebBrowser* browser, const QUrl& url) {
  if (interfaceMode_ != kReaderMode || readerFileName_.isEmpty() || browser != activeBrowser_) {
    browser->Follow(url);
    return;
  }
  const QString path = url.toLocalFile();
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == "html" || suffix == "htm") {
    readerOpenFileName_ = path;
    Readerinterfacemode1Click(false);
    if (url.hasFragment() && QFileInfo(readerFileName_) == QFileInfo(path))
      readerPage_->ScrollToElement(url.fragment(QUrl::FullyDecoded));
    return;
  }
  if (!LeaveReaderDocument()) return;
  browser->Follow(url);
}

bool TMain::LeaveReaderDocument() {
  if (!reader_->ConfirmLeaving()) return false;
  ForgetReaderChanges();
  return true;
}

void TMain::ForgetReaderChanges() {
  if (interfaceMode_ == kReaderMode && options().Flag(Opt::SaveReaderDocOnExit)) reader_->SaveReaderDocument();
  reader_->SetDocSaved(true);
}

void TMain::Readerinterfacemode1Click(bool askForFile) {
  if (!reader_->ConfirmLeaving()) return;
  if (askForFile) {
    QFileDialog dialog(this, ToQt(controller_->strings().Get(kControlsMain, "Open for read head")));
    dialog.setObjectName("OpenForRead");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({ToQt(controller_->strings().Get(kControlsMain, "HTML documents")) + " (*.html *.htm)"});
    dialog.setDefaultSuffix("html");
    // The dialog starts in the folder of the last file chosen in it.
    const QString lastDir = ToQt(options().Text(Opt::LastReadDir));
    if (!readerOpenFileName_.isEmpty()) dialog.selectFile(readerOpenFileName_);
    else if (!lastDir.isEmpty()) dialog.setDirectory(lastDir);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    readerOpenFileName_ = dialog.selectedFiles().first();
    options().SetText(Opt::LastReadDir, FromQt(QFileInfo(readerOpenFileName_).path()));
  }
  if (readerOpenFileName_.isEmpty()) return;
  ForgetReaderChanges();
  SetInterfaceMode(kReaderMode);
  if (!OpenForReading(readerOpenFileName_)) return;
  if (reader_->Recent().Add(FromQt(readerOpenFileName_))) RebuildRecentMenu();
  // The remembered style, on the document just shown (not on whatever the
  // browser showed before an open that failed).
  if (reader_->ApplyLastStyle()) documentShown_ = true;
}

bool TMain::OpenForReading(const QString& path, bool startingUp) {
  switch (reader_->OpenForReading(PathBytes(path), !startingUp)) {
    case ReaderController::Opened::Shown:
      readerFileName_ = path;
      setWindowTitle("Norvella (reader) - " + QFileInfo(path).fileName());
      documentShown_ = true;
      return true;
    case ReaderController::Opened::ToConverter:
      // The converter takes the file: loaded at once in the simple mode,
      // preset in the open dialog in the advanced one.
      sourceFileName_ = path;
      sourceFilterIndex_ = 1;
      SetInterfaceMode(PreviousMode());
      if (interfaceMode_ == kSimpleMode) LoadSrc(kLoadNamedFile);
      return false;
    case ReaderController::Opened::Cancelled:
    case ReaderController::Opened::Failed:
      return false;
  }
  return false;
}

void TMain::SaveActiveFile() {
  if (interfaceMode_ == kReaderMode) reader_->SaveReaderDocument();
}

void TMain::SaveAndRead() {
  if (!controller_->HasResult()) return;
  if (!SaveHTML(true)) return;
  readerOpenFileName_ = saveFileName_;
  Readerinterfacemode1Click(false);
}

bool TMain::AutoscrollOn() const { return autoscroll_ && autoscroll_->isActive(); }

void TMain::ToggleAutoscroll() {
  if (AutoscrollOn()) {
    StopAutoscroll();
    return;
  }
  autoscroll_->start(reader_->AutoscrollInterval());
  screenSaver_->Inhibit("Autoscroll");
  UpdateReaderChecks();
}

void TMain::StopAutoscroll() {
  if (!autoscroll_) return;
  autoscroll_->stop();
  screenSaver_->Release();
  UpdateReaderChecks();
}

void TMain::ChangeAutoscrollSpeed(bool faster) {
  if (faster) reader_->Faster();
  else reader_->Slower();
  autoscroll_->setInterval(reader_->AutoscrollInterval());
}

void TMain::GoToBookmark(int number) { reader_->GoToBookmark(number); }

void TMain::ReapplyStartupPosition() { reader_->ReapplyStartupPosition(); }

void TMain::ShowReadingPercent() {
  if (interfaceMode_ != kReaderMode || readerFileName_.isEmpty()) return;
  if (const auto percent = reader_->ReadingPercent()) {
    status_->ShowPercent(QString::number(*percent) + "%");
    if (FullScreenShown()) fullScreen_->ShowProgress(*percent);
  }
}

void TMain::RebuildBookmarksMenu() {
  const QList<QAction*> actions = bookmarksMenu_->actions();
  const auto separator = actions.indexOf(bookmarksSeparator_);
  for (auto i = separator + 1; i < actions.size(); ++i) {
    bookmarksMenu_->removeAction(actions[i]);
    actions[i]->deleteLater();
  }
  const std::vector<Bookmark>& list = reader_->Bookmarks();
  bookmarksSeparator_->setVisible(!list.empty());
  for (const Bookmark& bookmark : list) {
    QString caption = ToQt(bookmark.name);
    caption.replace("&", "&&");
    QAction* entry = bookmarksMenu_->addAction(caption);
    entry->setObjectName("Bookmark" + QString::number(bookmark.number));
    entry->setData(bookmark.number);
    const int number = bookmark.number;
    connect(entry, &QAction::triggered, this, [this, number] { GoToBookmark(number); });
  }
}

// ---------------------------------------------------------------- styles

void TMain::Colorify(int tag) { reader_->ApplyScheme(tag); }

TColorifer* TMain::Colorifer() {
  if (colorifer_ == nullptr) colorifer_ = new TColorifer(controller_->strings(), this);
  return colorifer_;
}

void TMain::CustomStyle() {
  TColorifer* dialog = Colorifer();
  if (FullScreenShown()) SetDialogOwner(fullScreen_.get());
  if (const auto style = dialog->Ask()) reader_->ApplyCustomStyle(*style);
}

void TMain::RemoveStyle() { reader_->RemoveStyle(); }

void TMain::ViewerFontSizeClick(int tag) {
  SetViewerFontSize(FontSizeLevelFromTag(tag, options().Number(Opt::BrowserFontSize)));
}

void TMain::SetViewerFontSize(int level) {
  level = ClampTextSize(level);
  if (options().Number(Opt::BrowserFontSize) != level) options().SetNumber(Opt::BrowserFontSize, level);
  UpdateTextSizeChecks();
  if (windowShown_) activeBrowser_->SetZoomLevel(level);
}

void TMain::UpdateTextSizeChecks() {
  const int level = ClampTextSize(options().Number(Opt::BrowserFontSize));
  const char* items[] = {"Smallest1", "Small1", "Normal1", "Large1", "Largest1"};
  Control(items[level])->setChecked(true);
}

// ---------------------------------------------------------------- full screen

bool TMain::FullScreenShown() const { return fullScreen_ && fullScreen_->isVisible(); }

void TMain::ZoomBtnClick() {
  if (FullScreenShown()) {
    fullScreen_->close();  // LeaveFullScreen follows
    return;
  }
  if (interfaceMode_ != kReaderMode) return;
  WebBrowser* view = fullScreen_->Browser();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The live page goes into a copy beside the document, which the view's
  // browser loads; the copy is deleted as soon as it is shown.
  const std::optional<std::string> copy = reader_->SnapshotToTempFile();
  browserBeforeFullScreen_ = activeBrowser_;
  SetActiveBrowser(view);
  SetDialogOwner(fullScreen_.get());
  fullScreen_->ShowProgress(0);
  // The whole screen the window is on, whether or not the desktop honours
  // the full-screen request of a window without a frame.
  if (QScreen* screen = this->screen()) fullScreen_->setGeometry(screen->geometry());
  fullScreen_->showFullScreen();
  fullScreen_->raise();
  fullScreen_->activateWindow();
  if (copy) {
    reader_->LoadSnapshot(*copy);
  } else {
    // No copy (its folder refused it, or there is no document): the live
    // page itself is carried over, as on the way back, so the view never
    // shows the file without the changes made to it; failing that (no
    // document, or a page that is not the reader's) the view shows what the
    // window showed.
    BrowserPage from(browserBeforeFullScreen_);
    BrowserPage to(view);
    if (!reader_->CarryPage(from, to)) {
      const QString shown = browserBeforeFullScreen_->LocationUrl();
      view->Navigate(shown.isEmpty() ? QString("about:blank") : shown);
      view->WaitUntilReady();
    }
  }
  // No way back to a page of an earlier visit, whose copy is gone.
  view->ClearHistory();
  UpdateReaderChecks();
  ShowReadingPercent();
  QApplication::restoreOverrideCursor();
}

void TMain::LeaveFullScreen() {
  if (browserBeforeFullScreen_ == nullptr) return;
  WebBrowser* view = fullScreen_->Browser();
  WebBrowser* back = browserBeforeFullScreen_;
  browserBeforeFullScreen_ = nullptr;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The window's browser still shows the document itself; it takes the
  // view's live body (notes, bookmarks, style) and its place, so nothing
  // refers to the deleted copy afterwards.
  BrowserPage from(view);
  BrowserPage to(back);
  reader_->CarryPage(from, to);
  SetActiveBrowser(back);
  SetDialogOwner(this);
  view->Navigate("about:blank");
  UpdateReaderChecks();
  activateWindow();
  QApplication::restoreOverrideCursor();
}

void TMain::SetDialogOwner(QWidget* owner) {
  readerQuestions_->SetDialogOwner(owner);
  for (QWidget* window : {static_cast<QWidget*>(commentWnd_), static_cast<QWidget*>(colorifer_)})
    if (window != nullptr && window->parentWidget() != owner) window->setParent(owner, window->windowFlags());
}

void TMain::FillFullScreenBookmarks() {
  QMenu* menu = fullScreen_->BookmarksMenu();
  for (QAction* action : menu->actions()) {
    menu->removeAction(action);
    action->deleteLater();
  }
  const std::vector<Bookmark>& list = reader_->Bookmarks();
  if (list.empty()) {
    menu->addAction(ControlText(controller_->strings(), kControlsMain, "empty", "(empty)"))->setEnabled(false);
    return;
  }
  for (const Bookmark& bookmark : list) {
    QString caption = ToQt(bookmark.name);
    caption.replace("&", "&&");
    QAction* entry = menu->addAction(caption);
    entry->setData(bookmark.number);
    const int number = bookmark.number;
    connect(entry, &QAction::triggered, this, [this, number] { GoToBookmark(number); });
  }
}

// ---------------------------------------------------------------- recent documents

void TMain::RebuildRecentMenu() {
  const RecentList& list = reader_->Recent();
  if (list.Entry(0).empty()) return;
  for (QAction* action : recentMenu_->actions()) {
    recentMenu_->removeAction(action);
    if (action != Control("empty1")) {
      removeAction(action);
      action->deleteLater();
    }
  }
  const auto exists = [](const std::string& path) { return QFileInfo(ToQt(path)).isFile(); };
  for (const RecentMenuEntry& item : RecentMenuEntries(list, exists)) {
    QString caption = ToQt(item.caption);
    caption.replace("&", "&&");
    QAction* entry = recentMenu_->addAction(caption);
    entry->setObjectName("Recent" + QString::number(item.index));
    entry->setData(item.index);
    entry->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + item.digit)));
    // The shortcut works in every mode, not only while the Reader menu is
    // enabled.
    addAction(entry);
    const int index = item.index;
    connect(entry, &QAction::triggered, this, [this, index] { empty1Click(index); });
  }
}

void TMain::empty1Click(int index) {
  const QString path = ToQt(reader_->Recent().Entry(index));
  if (path.isEmpty()) return;
  // Unlike the open command this keeps the list's order and applies no
  // remembered style, but the document being left is asked about (or
  // saved) as on every other way out of it.
  if (interfaceMode_ == kReaderMode && !LeaveReaderDocument()) return;
  reader_->SetDocSaved(true);
  SetInterfaceMode(kReaderMode);
  readerOpenFileName_ = path;
  OpenForReading(path);
}

void TMain::HistoryPoupUpPopup() {
  for (QAction* action : historyPoupUp_->actions()) {
    historyPoupUp_->removeAction(action);
    action->deleteLater();
  }
  for (QAction* item : recentMenu_->actions()) {
    QAction* entry = historyPoupUp_->addAction(GlyphIcon(Glyph::OpenForReading), item->text());
    entry->setData(item->data());
    entry->setEnabled(item->isEnabled());
    if (item == Control("empty1")) continue;
    const int index = item->data().toInt();
    connect(entry, &QAction::triggered, this, [this, index] { empty1Click(index); });
  }
}

void TMain::BookshelfClick(const QString& button) {
  // As pressing the button's arrow: the list drops down under it.
  QAction* action = Control(button);
  for (QToolBar* bar : findChildren<QToolBar*>()) {
    auto* tool = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    if (tool == nullptr || !tool->isVisible()) continue;
    historyPoupUp_->popup(tool->mapToGlobal(QPoint(0, tool->height())));
    return;
  }
  historyPoupUp_->popup(QCursor::pos());
}

}  // namespace norvella
