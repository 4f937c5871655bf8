#pragma once

// The reader's state and behaviour behind the main window: the document
// open for reading (its file, head and tail as read, character set and
// bookmark list, and whether it has unsaved changes), opening it, restoring
// and saving the reading position, notes, bookmarks and the autoscroll
// speed. It knows no window: the page comes through ReaderPage and every
// question through ReaderQuestions, so tests drive it directly.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "core/base/file_io.h"
#include "core/base/result.h"
#include "core/reader/bookmarks.h"
#include "core/reader/reader_markers.h"
#include "core/reader/reader_save.h"
#include "core/reader/reader_style.h"
#include "core/reader/recent_files.h"

namespace norvella {

class Options;
class ReaderPage;
class TemporaryFiles;
class StringTable;
struct HtmlTemplates;

// Every question and message of the reader. Texts are the interface
// strings' 8-bit text.
class ReaderQuestions {
 public:
  enum class SaveAnswer { Yes, No, Cancel };
  enum class NotConvertedAnswer { Cancel, Edit, Read };

  virtual ~ReaderQuestions() = default;
  // "There are unsaved changes ..." with Yes, No and Cancel.
  virtual SaveAnswer AskSaveChanges() = 0;
  // The saved-position question; true to go there. `neverAsk` is the
  // state of "Never ask me again" when the dialog closed.
  virtual bool AskGoToPosition(bool& neverAsk) = 0;
  // A file the program did not produce: edit, read or neither.
  virtual NotConvertedAnswer AskNotConverted(bool& neverAsk) = 0;
  // The note's lines, or nothing when the dialog was cancelled.
  virtual std::optional<std::vector<std::string>> AskNote() = 0;
  // The bookmark's name, proposed first; nothing when cancelled.
  virtual std::optional<std::string> AskBookmarkName(const std::string& proposed) = 0;
  // The bookmark manager over the list; true when confirmed (the list then
  // holds the result).
  virtual bool ManageBookmarks(std::vector<Bookmark>& list) = 0;
  virtual void ShowError(const Error& error) = 0;
  virtual void ShowSelectText() = 0;
  virtual void Beep() = 0;
  // The current-task text of the status bar (empty for "Ready"), and the
  // busy cursor around a wait for the page.
  virtual void ShowTask(const std::string& text) = 0;
  virtual void SetBusy(bool busy) = 0;
};

class ReaderController {
 public:
  static constexpr int kFastestIntervalMs = 10;
  static constexpr int kSlowestIntervalMs = 1000;
  static constexpr int kSpeedStepMs = 2;
  // A start-up offset below this leaves the page at its top.
  static constexpr int kStartupScrollMinimum = 100;

  ReaderController(Options& options, const StringTable& strings, const HtmlTemplates& templates,
                   ReaderQuestions& questions);

  void SetPage(ReaderPage* page) { page_ = page; }
  // Where the full-screen copies are listed, so that they are deleted at
  // exit also when the program is interrupted while one exists.
  void SetTemporaryFiles(TemporaryFiles* files) { temporaryFiles_ = files; }
  void SetRandom(BookmarkRandom random) { random_ = std::move(random); }

  enum class Opened {
    Shown,        // the document is in the reader
    ToConverter,  // the user (or the setting) sent the file to the converter
    Cancelled,
    Failed,       // the file could not be read, or its bookmarks are broken
  };
  // Reads the file, checks that the program produced it (asking when so
  // set; `askNotConverted` is false while the dialogs do not exist yet),
  // reads its bookmarks, shows it and restores its saved position.
  Opened OpenForReading(const std::string& path, bool askNotConverted = true);

  // Asks (unless told not to) and scrolls to the saved position of the text.
  void RestoreSavedPosition(std::string_view text);
  // After the start-up reopening: the pixel offset stored at the last exit.
  void ReapplyStartupPosition();

  // Before leaving the document: asks about unsaved changes when there are
  // some and they are not saved on exit anyway. False on Cancel.
  bool ConfirmLeaving();
  // Rewrites the document with the page's body, the bookmarks and the
  // position. A successful save of the document marks it saved.
  FileResult SaveReaderDocument();
  // The same into another file (a temporary copy); changes nothing else.
  FileResult SaveReaderDocumentAs(const std::string& path);

  void AddNote();
  void AddBookmark();
  // False (after a beep) when the page has no anchor for it.
  bool GoToBookmark(std::int32_t number);
  void ManageBookmarks();

  // Autoscroll: one step of the page and the speed buttons.
  void AutoscrollTick();
  int AutoscrollInterval() const;
  void Faster();
  void Slower();
  // round(scrollTop / scrollHeight * 100) of a ready page, nothing while
  // loading or without a document.
  std::optional<int> ReadingPercent();

  // Styles of the page. A scheme (the fixed ones by their tag, or the
  // custom dialog's) is set on the body, remembered as the last style and
  // makes the document changed; "None" removes the body's inline style and
  // changes neither.
  void ApplyScheme(int tag);
  void ApplyCustomStyle(const ReaderStyle& style);
  void RemoveStyle();
  // After a document was opened: the remembered style, when so set and
  // there is one. It does not make the document changed. True when applied.
  bool ApplyLastStyle();

  // The full-screen view. The live page is written to a copy beside the
  // document (the reading place remembered as a ratio of the page height);
  // the page that shows it next loads the copy, scrolls to the place, and
  // the copy is deleted whatever happened. The document's own file and
  // name are never touched. Nothing when there was no page to copy.
  std::optional<std::string> SnapshotToTempFile();
  void LoadSnapshot(const std::string& copy);
  // Back from the full-screen view: the live body of `from` put into `to`,
  // which shows the document itself (it is navigated there first when it
  // does not), at the same place. False when `from` had no body.
  bool CarryPage(ReaderPage& from, ReaderPage& to);
  double ScrollRatio() const { return scrollRatio_; }

  // The documents read recently.
  RecentList& Recent() { return recent_; }

  // State.
  const std::string& FileName() const { return fileName_; }
  void ClearFileName() { fileName_.clear(); }
  const std::vector<Bookmark>& Bookmarks() const { return bookmarks_; }
  bool DocSaved() const { return docSaved_; }
  void SetDocSaved(bool saved) { docSaved_ = saved; }
  bool PositionRestoreEnabled() const { return positionRestoreEnabled_; }
  void SetPositionRestoreEnabled(bool enabled) { positionRestoreEnabled_ = enabled; }
  int ScrollY() const { return scrollY_; }
  void SetScrollY(int y) { scrollY_ = y; }
  DocumentCharset Charset() const { return parts_.charset; }
  // Called after the bookmark list changed, so the menu can follow.
  void SetBookmarksChanged(std::function<void()> changed) { bookmarksChanged_ = std::move(changed); }

 private:
  bool HasDocument();
  void StyleDocument(const ReaderStyle& style);
  static double RatioOf(ReaderPage& page);
  void ScrollToRatio(ReaderPage& page);
  // Whether the page still shows the document open for reading; says so
  // when it does not.
  bool ShowsReaderDocument();
  FileResult Save(const std::string& path);
  // Starts watching the page for changes now that it shows the file as it
  // was opened.
  void WatchOpenedPage();
  // Whether the page still shows the opened file's body untouched, so that
  // the file's own bytes show the same page.
  bool PageIsAsOpened();
  void BookmarksChanged() {
    if (bookmarksChanged_) bookmarksChanged_();
  }

  Options& options_;
  const StringTable& strings_;
  const HtmlTemplates& templates_;
  ReaderQuestions& questions_;
  ReaderPage* page_ = nullptr;
  TemporaryFiles* temporaryFiles_ = nullptr;
  BookmarkRandom random_;
  RecentList recent_;
  double scrollRatio_ = 0;

  std::string fileName_;
  std::string copyName_;  // the last copy written by SaveReaderDocumentAs
  ReaderDocumentParts parts_;
  std::string openedBytes_;  // the file as it was opened
  ReaderPage* pageAsOpened_ = nullptr;  // the page watched since it showed them
  std::vector<Bookmark> bookmarks_;
  bool docSaved_ = true;
  bool positionRestoreEnabled_ = true;
  int scrollY_ = 0;
  std::function<void()> bookmarksChanged_;
};

}  // namespace norvella
