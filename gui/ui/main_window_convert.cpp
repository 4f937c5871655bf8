// The converter's commands in the window: loading a source (named, asked
// for or dropped), converting and previewing it, saving the result,
// exporting it as a book, sending it to the librarian, and showing a finished document.

#include "gui/ui/main_window.h"

#include "gui/reader/reader_controller.h"

#include <exception>

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QTabWidget>

#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"
#include "gui/export/book_export.h"
#include "gui/export/rocket.h"
#include "gui/source/source_dialogs.h"
#include "gui/options/option_panel_widget.h"
#include "gui/ui/web_browser.h"

namespace norvella {
namespace {

// The hourglass while the window works on something.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

template <typename Work>
bool TMain::Guarded(Work&& work) {
  try {
    BusyCursor busy;
    work();
    return true;
  } catch (const std::exception& failure) {
    ShowError(QString::fromLocal8Bit(failure.what()));
    return false;
  }
}

// ---------------------------------------------------------------- loading

bool TMain::AskSourceFileName() {
  QFileDialog dialog(this, ToQt(controller_->strings().Get(kControlsMain, "Open for edit head")));
  dialog.setObjectName("OpenDialog1");
  dialog.setFileMode(QFileDialog::ExistingFile);
  // The chosen entry forces the encoding of the load (see
  // EncodingOfFilterIndex).
  QStringList filters;
  for (const OpenFilterEntry& entry : SourceOpenFilter(controller_->strings()))
    filters << ToQt(entry.text) + " (" + ToQt(entry.mask) + ")";
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.value(sourceFilterIndex_ - 1, filters.first()));
  dialog.setDefaultSuffix("txt");
  const QString lastDir = ToQt(options().Text(Opt::LastEditOpenDir));
  if (!sourceFileName_.isEmpty()) dialog.selectFile(sourceFileName_);
  else if (!lastDir.isEmpty()) dialog.setDirectory(lastDir);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString chosen = dialog.selectedFiles().first();
  if (chosen.isEmpty()) return false;
  sourceFileName_ = chosen;
  sourceFilterIndex_ = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  options().SetText(Opt::LastEditOpenDir, FromQt(QFileInfo(chosen).path()));
  return true;
}

void TMain::LoadSrc(int mode) {
  // A source opened from the reader leaves its document: the changes are
  // asked about before the file is chosen, and given up (or saved, when so
  // set) only once there is a file to go to.
  const bool leavingReader = interfaceMode_ == kReaderMode;
  if (leavingReader && !reader_->ConfirmLeaving()) return;
  if (mode == kAskForFile && !AskSourceFileName()) return;
  if (sourceFileName_.isEmpty()) return;
  if (leavingReader) ForgetReaderChanges();

  SourceRead read;
  const bool readDone =
      Guarded([&] { read = controller_->ReadSourceFile(PathBytes(sourceFileName_), sourceFilterIndex_); });
  // The load may have found a title and an author.
  optionPanel_->DocumentReplaced();
  if (!readDone) return;
  if (read.kind != SourceRead::Kind::Text && read.kind != SourceRead::Kind::OpenInReader) {
    // A file that is not loaded leaves the current document where it was,
    // so that a reload goes back to it.
    sourceFileName_ = loadedSourceFileName_;
    controller_->ReportReady();
  }
  switch (read.kind) {
    case SourceRead::Kind::Failed:
    case SourceRead::Kind::ReadOnlyFolder:
      ShowError(ErrorText(read.error));
      return;
    case SourceRead::Kind::Empty:
      ShowError(MessageText(controller_->strings(), "EmptyFile"));
      return;
    case SourceRead::Kind::Cancelled:
      return;
    case SourceRead::Kind::OpenInReader:
      readerOpenFileName_ = sourceFileName_;
      Readerinterfacemode1Click(false);
      return;
    case SourceRead::Kind::Text:
      break;
  }
  loadedSourceFileName_ = sourceFileName_;
  if (read.appliedStyle >= 0) CheckPreset(read.appliedStyle);
  setWindowTitle(controller_->Caption());
  if (interfaceMode_ == kReaderMode) SetInterfaceMode(PreviousMode());
  controller_->SetSourceText(read.text);
  read.text.clear();
  if (interfaceMode_ == kAdvancedMode && options().Flag(Opt::UseSourceEditor)) {
    if (pageControl1_->currentIndex() < kSourcePage) ShowPreviewPage();
    return;
  }
  if (Guarded([&] { controller_->ConvertText(controller_->GetSourceLines()); })) ShowPreview();
}

void TMain::OpenDroppedFiles(const QList<QUrl>& urls) {
  QStringList files;
  for (const QUrl& url : urls)
    if (url.isLocalFile()) files << url.toLocalFile();
  if (files.isEmpty()) return;
  if (files.size() > 1) ShowInfo(MessageText(controller_->strings(), "DropMany"));
  sourceFileName_ = files.first();
  sourceFilterIndex_ = 1;
  LoadSrc(kLoadNamedFile);
}

void TMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void TMain::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  event->acceptProposedAction();
  // The drop is released first; the load may ask questions.
  QMetaObject::invokeMethod(this, [this, urls] { OpenDroppedFiles(urls); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- converting

void TMain::ShowPreviewPage() {
  // What an open option editor holds counts, so the preview shows it.
  optionPanel_->CommitEditor();
  bool fresh = false;
  if (Guarded([&] { fresh = controller_->ConvertForPreview(); }) && fresh) ShowPreview();
}

void TMain::ShowHtmlPage() {
  if (!controller_->Converted()) ShowPreviewPage();
}

void TMain::ConvertAgain() {
  controller_->Invalidate();
  ShowPreviewPage();
}

void TMain::ChoosePreset(int style) {
  controller_->ApplyPreset(style);
  CheckPreset(style);
  controller_->Invalidate();
  if (Guarded([&] { controller_->ConvertText(controller_->GetSourceLines()); })) ShowPreview();
}

void TMain::ToggleAutodetect() {
  options().SetFlag(Opt::AutoDetectTextFormat, !options().Flag(Opt::AutoDetectTextFormat));
}

void TMain::ShowPreview() {
  PreviewWrite written;
  {
    BusyCursor busy;
    written = controller_->WritePreview();
  }
  switch (written.kind) {
    case PreviewWrite::Kind::NoPreviewPath:
      activeBrowser_->Navigate("about:blank");
      return;
    case PreviewWrite::Kind::Failed:
      controller_->ReportReady();
      ShowError(ErrorText(written.error));
      return;
    case PreviewWrite::Kind::Written:
      break;
  }
  const QString path = PathText(written.path);
  // Refreshing helps only the browser that shows the preview already; the
  // other browser of a mode switch has to be sent there.
  if (written.shownBefore && activeBrowser_->LocationUrl() == QUrl::fromLocalFile(path).toString())
    activeBrowser_->Refresh();
  else
    activeBrowser_->Navigate(path);
  controller_->MarkPreviewShown();
  controller_->ReportReady();
  documentShown_ = true;
}

bool TMain::SaveHTML(bool askForName) {
  if (!controller_->HasResult()) {
    QApplication::beep();
    return false;
  }
  if (askForName) {
    QFileDialog dialog(this, ToQt(controller_->strings().Get(kControlsMain, "Save result head")));
    dialog.setObjectName("SaveDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({ToQt(controller_->strings().Get(kControlsMain, "HTML files")) + " (*.html *.htm)"});
    dialog.setDefaultSuffix("htm");
    const QString lastDir = ToQt(options().Text(Opt::LastEditSaveDir));
    const QFileInfo source(sourceFileName_);
    const QString folder = !lastDir.isEmpty() ? lastDir : source.path();
    dialog.setDirectory(folder);
    if (!saveFileName_.isEmpty()) dialog.selectFile(saveFileName_);
    else if (!sourceFileName_.isEmpty()) dialog.selectFile(source.completeBaseName() + ".htm");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    saveFileName_ = dialog.selectedFiles().first();
    options().SetText(Opt::LastEditSaveDir, FromQt(QFileInfo(saveFileName_).path()));
  }
  if (saveFileName_.isEmpty()) return false;
  const FileResult saved = controller_->SaveHtml(PathBytes(saveFileName_));
  if (!saved.ok()) {
    ShowError(ErrorText(saved.error()));
    return false;
  }
  return true;
}

bool TMain::ExportBook(BookFormat format) {
  if (!controller_->HasResult()) {
    QApplication::beep();
    return false;
  }
  const bool epub = format == BookFormat::kEpub;
  const QString suffix = QString::fromLatin1(BookFormatExtension(format).data());
  QFileDialog dialog(this, ToQt(controller_->strings().Get(kControlsMain, epub ? "Export EPUB head" : "Export FB2 head")));
  dialog.setObjectName(epub ? "ExportEpubDialog" : "ExportFb2Dialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({ToQt(controller_->strings().Get(kControlsMain, epub ? "EPUB books" : "FB2 books")) +
                         (epub ? " (*.epub)" : " (*.fb2)")});
  dialog.setDefaultSuffix(suffix);
  const QString lastDir = ToQt(options().Text(Opt::LastEditSaveDir));
  const QFileInfo source(sourceFileName_);
  dialog.setDirectory(!lastDir.isEmpty() ? lastDir : source.path());
  if (!sourceFileName_.isEmpty()) dialog.selectFile(source.completeBaseName() + "." + suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString target = dialog.selectedFiles().first();
  options().SetText(Opt::LastEditSaveDir, FromQt(QFileInfo(target).path()));
  const BookExportOutcome outcome = ExportCurrentBook(*controller_, format, PathBytes(target));
  if (!outcome.file.ok()) {
    ShowError(ErrorText(outcome.file.error()));
    return false;
  }
  for (const std::string& warning : outcome.warnings)
    QMessageBox::warning(this, "Export", QString::fromStdString(warning));
  return true;
}

void TMain::SendToRocket() {
  const QString reason = norvella::SendToRocket(PathText(controller_->PreviewPath()));
  if (!reason.isEmpty()) ShowError(MessageText(controller_->strings(), "RocketNotStarted") + QChar('\n') + reason);
}


}  // namespace norvella
