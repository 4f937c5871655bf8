#pragma once

// The page operations the reader needs, so that the reader's logic can be
// driven by a test page as well as by the program's browser.

#include <optional>

#include <QString>

namespace norvella {

class WebBrowser;

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
};

// The program's browser as a reader page.
class BrowserPage final : public ReaderPage {
 public:
  explicit BrowserPage(WebBrowser* browser) : browser_(browser) {}
  void SetBrowser(WebBrowser* browser) { browser_ = browser; }
  WebBrowser* Browser() const { return browser_; }

  void Navigate(const QString& path) override;
  bool WaitUntilReady() override;
  bool HasDocument() override;
  QString ReadyState() override;
  std::optional<QString> BodyHtml() override;
  std::optional<int> ScrollTop() override;
  std::optional<int> ScrollHeight() override;
  bool ScrollTo(int x, int y) override;
  bool ScrollBy(int dx, int dy) override;
  QString SelectionText() override;
  QString SelectionHtml() override;
  bool PasteHtml(const QString& html) override;
  bool ScrollToElement(const QString& idOrName) override;

 private:
  WebBrowser* browser_;
};

}  // namespace norvella
