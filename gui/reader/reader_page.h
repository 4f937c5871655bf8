#pragma once

// The page operations the reader needs, so that the reader's logic can be
// driven by a test page as well as by the program's browser.

#include <optional>
#include <vector>

#include <QString>

#include "core/reader/reader_style.h"

namespace norvella {

class ReaderPage {
 public:
  virtual ~ReaderPage() = default;
  virtual void Navigate(const QString& path) = 0;
  // Waits until the document is "complete" or "interactive"; false when it
  // never got there (or the page went away).
  virtual bool WaitUntilReady() = 0;
  // Whether a document is loaded (the page has a body).
  virtual bool HasDocument() = 0;
  virtual QString ReadyState() = 0;
  virtual std::optional<QString> BodyHtml() = 0;
  virtual std::optional<int> ScrollTop() = 0;
  virtual std::optional<int> ScrollHeight() = 0;
  virtual bool ScrollTo(int x, int y) = 0;
  virtual bool ScrollBy(int dx, int dy) = 0;
  virtual QString SelectionText() = 0;
  virtual QString SelectionHtml() = 0;
  virtual bool PasteHtml(const QString& html) = 0;
  // Brings the element with this id or name into view; false when the page
  // has none.
  virtual bool ScrollToElement(const QString& idOrName) = 0;
  // The local file the page shows (without its anchor); empty for a page
  // that is not a local file.
  virtual QString DocumentPath() = 0;
  // Assigns the settings to the body's style object in order; false when
  // the page has no body.
  virtual bool StyleBody(const std::vector<BodyStyleSetting>& settings) = 0;
  // Puts a body serialised from another page of the same document in place
  // of this page's body (its attributes, inline style included).
  virtual bool ReplaceBody(const QString& bodyHtml) = 0;
  // From now on, notes what changes in the body: nothing, only its inline
  // style, or more (content, other attributes). Unknown when the page
  // cannot tell (it was not watched, or another page was loaded since).
  enum class BodyChange { Unknown, None, StyleOnly, Content };
  virtual void WatchBody() {}
  virtual BodyChange ChangeSinceWatched() { return BodyChange::Unknown; }
  // What changed in the watched body, for a page that shows the body as it
  // was when the watch began: EditBody makes that page's body the same,
  // touching only what changed. Nothing, and false, when a page cannot.
  virtual std::optional<QString> BodyEdits() { return std::nullopt; }
  virtual bool EditBody(const QString&) { return false; }
  // The body's inline style as text (its cssText), and setting it whole.
  virtual std::optional<QString> BodyStyleText() { return std::nullopt; }
  virtual bool SetBodyStyleText(const QString&) { return false; }
};

}  // namespace norvella
