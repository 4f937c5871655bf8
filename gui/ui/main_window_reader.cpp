// The main window's reader: opening documents for reading, saving them, the
// bookmarks menu, autoscroll and the status texts that follow the browsers.
// The behaviour itself is in ReaderController (made in WireReader); this
// unit connects it to the window's controls, browsers and timers.

#include "gui/ui/main_window.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

#include "core/settings/options.h"
#include "gui/common/qt_text.h"
#include "gui/reader/reader_controller.h"
#include "gui/reader/screen_saver.h"
#include "gui/ui/browser_page.h"
#include "gui/ui/status_panels.h"
#include "gui/ui/web_browser.h"

namespace norvella {

void TMain::UpdateReaderChecks() {
  Control("Toorboscroll1")->setChecked(options().Flag(Opt::TurboScroll));
  Control("Autosavebookmarks1")->setChecked(options().Flag(Opt::SaveReaderDocOnExit));
  const bool on = AutoscrollOn();
  Control("Autoscroll1")->setChecked(on);
  Control("AutoscrollBtn")->setChecked(on);
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
  if (!reader_->ConfirmLeaving()) return;
  if (options().Flag(Opt::SaveReaderDocOnExit)) reader_->SaveReaderDocument();
  reader_->SetDocSaved(true);
  browser->Follow(url);
}

void TMain::Readerinterfacemode1Click(bool askForFile) {
  if (!reader_->ConfirmLeaving()) return;
  if (askForFile) {
    QFileDialog dialog(this, ToQt(controller_->strings().Get(kControlsMain, "Open for read head")));
    dialog.setObjectName("OpenForRead");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({ToQt(controller_->strings().Get(kControlsMain, "HTML documents")) + " (*.html *.htm)"});
    dialog.setDefaultSuffix("html");
    if (!readerOpenFileName_.isEmpty()) dialog.selectFile(readerOpenFileName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    readerOpenFileName_ = dialog.selectedFiles().first();
  }
  if (readerOpenFileName_.isEmpty()) return;
  // The document being left is saved when so set.
  if (interfaceMode_ == kReaderMode && options().Flag(Opt::SaveReaderDocOnExit)) reader_->SaveReaderDocument();
  reader_->SetDocSaved(true);
  SetInterfaceMode(kReaderMode);
  OpenForReading(readerOpenFileName_);
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
  if (const auto percent = reader_->ReadingPercent()) status_->ShowPercent(QString::number(*percent) + "%");
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

}  // namespace norvella
