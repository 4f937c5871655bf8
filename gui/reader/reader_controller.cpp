#include "gui/reader/reader_controller.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/base/file_io.h"
#include "core/base/text.h"
#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/reader/snapshot.h"
#include "core/settings/options.h"
#include "core/source/source_loader.h"
#include "core/source/source_state.h"
#include "gui/reader/reader_page.h"
#include "gui/common/qt_text.h"

namespace norvella {

ReaderController::ReaderController(Options& options, const StringTable& strings,
                                   const HtmlTemplates& templates, ReaderQuestions& questions)
    : options_(options),
      strings_(strings),
      templates_(templates),
      questions_(questions),
      random_(DefaultBookmarkRandom()) {}

bool ReaderController::HasDocument() { return page_ && page_->HasDocument(); }

namespace {

bool SamePath(const QString& a, const std::string& b) {
  if (b.empty()) return false;
  auto absolute = [](const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); };
  return absolute(a) == absolute(PathText(b));
}

}  // namespace

bool ReaderController::ShowsReaderDocument() {
  // A link or a step back in the history may have taken the page to another
  // document; its body must never be written into this one, nor notes and
  // bookmarks added to it on this one's behalf. A copy written with
  // SaveReaderDocumentAs (the full-screen view shows one) counts as this
  // document.
  const QString shown = page_->DocumentPath();
  if (!shown.isEmpty() && (SamePath(shown, fileName_) || SamePath(shown, copyName_))) return true;
  questions_.ShowError(Error{strings_.Message("NotReaderPage"), {}});
  return false;
}

ReaderController::Opened ReaderController::OpenForReading(const std::string& path,
                                                          bool askNotConverted) {
  questions_.ShowTask(strings_.Process("CurrentTask") + strings_.Process("LoadingToBrowser"));
  std::string bytes;
  const FileResult read = ReadWholeFile(path, bytes);
  if (!read.ok()) {
    questions_.ShowTask({});
    questions_.ShowError(read.error());
    return Opened::Failed;
  }
  const bool produced = Contains(bytes, kGeneratorMark) || Contains(bytes, kBookmarksMark);
  if (!produced && askNotConverted) {
    int setting = options_.Number(Opt::OpenForEditingNotConverted);
    if (setting == 0) {
      bool neverAsk = false;
      const auto answer = questions_.AskNotConverted(neverAsk);
      if (answer == ReaderQuestions::NotConvertedAnswer::Cancel) {
        questions_.ShowTask({});
        return Opened::Cancelled;
      }
      setting = answer == ReaderQuestions::NotConvertedAnswer::Edit ? 1 : 2;
      // The stored choice is the one made, so the next file goes the same way.
      if (neverAsk) options_.SetNumber(Opt::OpenForEditingNotConverted, setting);
    }
    if (setting == 1) {
      questions_.ShowTask({});
      return Opened::ToConverter;
    }
  }

  const ReaderFileParts split = SplitReaderFile(bytes);
  ReaderDocumentParts parts{split.head, split.tail,
                            DeclaredCharset(split.head.empty() ? std::string_view(bytes).substr(0, 4096)
                                                               : std::string_view(split.head))};
  const std::string text = DocumentTextToCp1251(bytes, parts.charset);
  BookmarkBlock block = ParseBookmarkBlock(text);
  bookmarks_ = std::move(block.bookmarks);
  BookmarksChanged();
  if (!block.error.empty()) {
    questions_.ShowTask({});
    questions_.ShowError(Error{block.error, {}});
    return Opened::Failed;
  }
  parts_ = std::move(parts);
  pageAsOpened_ = nullptr;
  openedBytes_ = std::move(bytes);
  if (page_) page_->Navigate(PathText(path));
  RestoreSavedPosition(text);
  fileName_ = path;
  questions_.ShowTask(strings_.Process("CurrentTask") + strings_.Process("Ready"));
  return Opened::Shown;
}

void ReaderController::RestoreSavedPosition(std::string_view text) {
  if (!positionRestoreEnabled_ || !Contains(text, kPositionOpening)) return;
  if (options_.Number(Opt::AutobookmarksBehavior) == 0) {
    bool neverAsk = false;
    if (!questions_.AskGoToPosition(neverAsk)) return;
    if (neverAsk) options_.SetNumber(Opt::AutobookmarksBehavior, 1);
  }
  const auto position = ReadSavedPosition(text);
  if (!position || !page_) return;
  questions_.ShowTask(strings_.Process("CurrentTask") + strings_.Process("LoadingToRestore"));
  questions_.SetBusy(true);
  if (page_->WaitUntilReady()) {
    WatchOpenedPage();
    const auto height = page_->ScrollHeight();
    if (height) {
      scrollY_ = static_cast<int>(ScrollFromPosition(*height, *position));
      page_->ScrollTo(0, scrollY_);
    }
  }
  questions_.SetBusy(false);
  questions_.ShowTask({});
}

void ReaderController::ReapplyStartupPosition() {
  if (scrollY_ < kStartupScrollMinimum || !page_) return;
  questions_.ShowTask(strings_.Process("CurrentTask") + strings_.Process("LoadingToRestore"));
  questions_.SetBusy(true);
  if (page_->WaitUntilReady()) {
    WatchOpenedPage();
    page_->ScrollTo(0, scrollY_);
  }
  questions_.SetBusy(false);
  questions_.ShowTask({});
}

bool ReaderController::ConfirmLeaving() {
  if (docSaved_ || options_.Flag(Opt::SaveReaderDocOnExit)) return true;
  switch (questions_.AskSaveChanges()) {
    case ReaderQuestions::SaveAnswer::Cancel: return false;
    case ReaderQuestions::SaveAnswer::No: return true;
    case ReaderQuestions::SaveAnswer::Yes: break;
  }
  // A save that failed keeps the reader where it is, with the changes.
  return SaveReaderDocument().ok();
}

FileResult ReaderController::Save(const std::string& path) {
  if (path.empty() || !HasDocument()) return {};
  if (!ShowsReaderDocument()) return Error{strings_.Message("NotReaderPage"), {}};
  const auto body = page_->BodyHtml();
  if (!body) return {};
  const int top = page_->ScrollTop().value_or(0);
  const int height = page_->ScrollHeight().value_or(0);
  bool written = false;
  const FileResult result = norvella::SaveReaderDocument(path, parts_, body->toStdString(), bookmarks_,
                                                         PositionFromScroll(top, height), &written);
  if (!result.ok()) questions_.ShowError(result.error());
  if (written && path == fileName_) docSaved_ = true;
  return result;
}

FileResult ReaderController::SaveReaderDocument() { return Save(fileName_); }

FileResult ReaderController::SaveReaderDocumentAs(const std::string& path) {
  const bool saved = docSaved_;
  const FileResult result = Save(path);
  docSaved_ = saved;
  if (result.ok()) copyName_ = path;
  return result;
}

void ReaderController::AddNote() {
  if (!HasDocument() || !ShowsReaderDocument()) return;
  const QString selected = page_->SelectionText();
  if (selected.isEmpty()) {
    questions_.ShowSelectText();
    return;
  }
  const auto lines = questions_.AskNote();
  if (!lines) return;
  const std::string note = NoteTextFromLines(*lines);
  if (note.empty()) return;
  // Escaped before the conversion, so a character the code page lacks
  // becomes a working character reference.
  const std::string markup = NoteMarkup(templates_, note, FromQt(selected.toHtmlEscaped()));
  if (!page_->PasteHtml(ToQt(markup))) return;
  docSaved_ = false;
}

void ReaderController::AddBookmark() {
  if (!HasDocument() || !ShowsReaderDocument()) return;
  const QString selected = page_->SelectionHtml();
  if (selected.isEmpty()) {
    questions_.ShowSelectText();
    return;
  }
  const std::string html = FromQt(selected);
  const std::string proposed = BookmarkNameFromSelection(html).substr(0, kProposedNameLength);
  const auto name = questions_.AskBookmarkName(proposed);
  if (!name) return;
  const std::int32_t position =
      PositionFromScroll(page_->ScrollTop().value_or(0), page_->ScrollHeight().value_or(0));
  const std::int32_t number = BookmarkNumber(position, random_);
  if (!page_->PasteHtml(ToQt(BookmarkMarkup(templates_, number, html)))) return;
  InsertBookmarkSorted(bookmarks_, {number, StorableBookmarkName(*name)});
  docSaved_ = false;
  BookmarksChanged();
}

bool ReaderController::GoToBookmark(std::int32_t number) {
  if (!page_ || !page_->ScrollToElement(QString::number(number))) {
    questions_.Beep();
    return false;
  }
  return true;
}

void ReaderController::ManageBookmarks() {
  if (bookmarks_.empty()) return;
  std::vector<Bookmark> edited = bookmarks_;
  if (questions_.ManageBookmarks(edited)) {
    for (Bookmark& b : edited) b.name = StorableBookmarkName(b.name);
    bookmarks_ = std::move(edited);
  }
  // Opening the manager counts as a change, whatever the answer.
  docSaved_ = false;
  BookmarksChanged();
}

void ReaderController::AutoscrollTick() {
  if (page_) page_->ScrollBy(0, options_.Flag(Opt::TurboScroll) ? 2 : 1);
}

int ReaderController::AutoscrollInterval() const {
  return std::clamp(options_.Number(Opt::AutoscrollSpeed), kFastestIntervalMs, kSlowestIntervalMs);
}

void ReaderController::Faster() {
  options_.SetNumber(Opt::AutoscrollSpeed,
                     std::clamp(AutoscrollInterval() - kSpeedStepMs, kFastestIntervalMs, kSlowestIntervalMs));
}

void ReaderController::Slower() {
  options_.SetNumber(Opt::AutoscrollSpeed,
                     std::clamp(AutoscrollInterval() + kSpeedStepMs, kFastestIntervalMs, kSlowestIntervalMs));
}

std::optional<int> ReaderController::ReadingPercent() {
  if (!page_) return std::nullopt;
  const QString state = page_->ReadyState();
  if (state != "complete" && state != "interactive") return std::nullopt;
  const auto top = page_->ScrollTop();
  const auto height = page_->ScrollHeight();
  if (!top || !height) return std::nullopt;
  if (*height <= 0) return 0;
  return static_cast<int>(RoundHalfEven(static_cast<double>(*top) / *height * 100.0));
}

// ---------------------------------------------------------------- styles

void ReaderController::StyleDocument(const ReaderStyle& style) {
  if (!HasDocument() || !ShowsReaderDocument()) return;
  page_->StyleBody(ChosenStyleSettings(style));
  SetLastStyle(options_, style);
  docSaved_ = false;
}

void ReaderController::ApplyScheme(int tag) {
  const ReaderStyle scheme = FixedScheme(tag);
  if (!scheme.Empty()) StyleDocument(scheme);
}

void ReaderController::ApplyCustomStyle(const ReaderStyle& style) { StyleDocument(style); }

void ReaderController::RemoveStyle() {
  if (HasDocument()) page_->StyleBody(NoStyleSettings());
}

bool ReaderController::ApplyLastStyle() {
  const ReaderStyle style = LastStyle(options_);
  if (!options_.Flag(Opt::ApplyReaderStyleForNewDocs) || style.Empty() || !page_) return false;
  questions_.ShowTask(ApplyStyleStatus(strings_, style));
  questions_.SetBusy(true);
  if (page_->WaitUntilReady()) page_->StyleBody(RememberedStyleSettings(style));
  questions_.SetBusy(false);
  questions_.ShowTask({});
  return true;
}

// ---------------------------------------------------------------- full screen

double ReaderController::RatioOf(ReaderPage& page) {
  const int top = page.ScrollTop().value_or(0);
  const int height = page.ScrollHeight().value_or(0);
  return height > 0 ? static_cast<double>(top) / height : 0.0;
}

void ReaderController::ScrollToRatio(ReaderPage& page) {
  if (const auto height = page.ScrollHeight())
    page.ScrollTo(0, static_cast<int>(std::lround(scrollRatio_ * *height)));
}

std::optional<std::string> ReaderController::SnapshotToTempFile() {
  // Without a document there is nothing to carry, and the place stays what
  // it was.
  if (fileName_.empty() || !HasDocument()) return std::nullopt;
  scrollRatio_ = RatioOf(*page_);
  const Result<std::string> reserved = ReserveSnapshotFile(fileName_);
  if (!reserved.ok()) {
    questions_.ShowError(reserved.error());
    return std::nullopt;
  }
  const std::string& copy = reserved.value();
  if (temporaryFiles_ != nullptr) temporaryFiles_->Add(copy);
  // A page that is still the file as it was opened is copied from the
  // file's bytes: writing a whole novel's body out of the page costs a
  // good part of entering full screen and shows the same page.
  FileResult saved;
  if (PageIsAsOpened()) {
    saved = WriteFileAtomically(copy, openedBytes_);
    if (saved.ok()) copyName_ = copy;
  } else {
    saved = SaveReaderDocumentAs(copy);
  }
  // A copy that failed, or stayed empty because the page had no body to
  // write, is not shown.
  if (!saved.ok() || QFileInfo(PathText(copy)).size() == 0) {
    QFile::remove(PathText(copy));
    if (temporaryFiles_ != nullptr) temporaryFiles_->Remove(copy);
    return std::nullopt;
  }
  return copy;
}

void ReaderController::LoadSnapshot(const std::string& copy) {
  if (page_) {
    page_->Navigate(PathText(copy));
    questions_.ShowTask(strings_.Process("CurrentTask") + strings_.Process("LoadingToRestore"));
    questions_.SetBusy(true);
    if (page_->WaitUntilReady()) {
      ScrollToRatio(*page_);
      page_->WatchBody();
    }
    questions_.SetBusy(false);
    questions_.ShowTask({});
  }
  // Loaded or not, the copy goes: the page holds what it needs.
  QFile::remove(PathText(copy));
  if (temporaryFiles_ != nullptr) temporaryFiles_->Remove(copy);
}

void ReaderController::WatchOpenedPage() {
  page_->WatchBody();
  pageAsOpened_ = page_;
}

bool ReaderController::PageIsAsOpened() {
  return page_ != nullptr && page_ == pageAsOpened_ && !openedBytes_.empty() &&
         SamePath(page_->DocumentPath(), fileName_) &&
         page_->ChangeSinceWatched() == ReaderPage::BodyChange::None;
}

bool ReaderController::CarryPage(ReaderPage& from, ReaderPage& to) {
  // Only the document open for reading is carried: a page that went
  // elsewhere by a step back in its history stays behind.
  const QString shown = from.DocumentPath();
  if (fileName_.empty() || !(SamePath(shown, fileName_) || SamePath(shown, copyName_))) return false;
  scrollRatio_ = RatioOf(from);
  const bool toShowsFile = SamePath(to.DocumentPath(), fileName_);
  // The page that still shows the document as it was before the view took
  // it needs only what changed there: nothing (it was only read), or the
  // body's inline style (a scheme chosen in full screen).
  if (toShowsFile) {
    const ReaderPage::BodyChange change = from.ChangeSinceWatched();
    if (change == ReaderPage::BodyChange::None) {
      ScrollToRatio(to);
      return true;
    }
    if (change == ReaderPage::BodyChange::StyleOnly) {
      if (const auto style = from.BodyStyleText(); style && to.SetBodyStyleText(*style)) {
        ScrollToRatio(to);
        return true;
      }
    }
  }
  // From here on the page takes another body: it no longer shows the
  // opened file.
  if (&to == pageAsOpened_) pageAsOpened_ = nullptr;
  // Notes and bookmarks change a paragraph or two of a novel: only those
  // go across, and the rest of the page is not laid out again.
  if (toShowsFile) {
    if (const auto edits = from.BodyEdits(); edits && to.EditBody(*edits)) {
      ScrollToRatio(to);
      to.WatchBody();
      return true;
    }
  }
  const auto body = from.BodyHtml();
  if (!body) return false;
  questions_.ShowTask(strings_.Process("CurrentTask") + strings_.Process("LoadingToRestore"));
  questions_.SetBusy(true);
  bool carried = false;
  // The page that receives the body shows the document's own file, never a
  // copy, so going back, reloading and saving find a file that exists.
  if (!toShowsFile) {
    to.Navigate(PathText(fileName_));
    to.WaitUntilReady();
  }
  if (to.ReplaceBody(*body)) {
    ScrollToRatio(to);
    to.WatchBody();
    carried = true;
  }
  questions_.SetBusy(false);
  questions_.ShowTask({});
  return carried;
}

}  // namespace norvella
