#pragma once

// The window's browser as the reader's page.

#include "gui/reader/reader_page.h"

namespace norvella {

class WebBrowser;

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
  QString DocumentPath() override;
  bool StyleBody(const std::vector<BodyStyleSetting>& settings) override;
  bool ReplaceBody(const QString& bodyHtml) override;
  void WatchBody() override;
  BodyChange ChangeSinceWatched() override;
  std::optional<QString> BodyEdits() override;
  bool EditBody(const QString& edits) override;
  std::optional<QString> BodyStyleText() override;
  bool SetBodyStyleText(const QString& cssText) override;

 private:
  WebBrowser* browser_;
};

}  // namespace norvella
