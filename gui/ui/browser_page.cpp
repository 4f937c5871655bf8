#include "gui/ui/browser_page.h"

#include <QUrl>

#include "gui/common/qt_text.h"
#include "gui/ui/web_browser.h"

namespace norvella {

void BrowserPage::Navigate(const QString& path) { browser_->Navigate(path); }
bool BrowserPage::WaitUntilReady() { return browser_->WaitUntilReady(); }
bool BrowserPage::HasDocument() { return browser_->HasBody(); }
QString BrowserPage::ReadyState() { return browser_->ReadyState(); }
std::optional<QString> BrowserPage::BodyHtml() { return browser_->BodyHtml(); }
std::optional<int> BrowserPage::ScrollTop() { return browser_->ScrollTop(); }
std::optional<int> BrowserPage::ScrollHeight() { return browser_->ScrollHeight(); }
bool BrowserPage::ScrollTo(int x, int y) { return browser_->ScrollTo(x, y); }
bool BrowserPage::ScrollBy(int dx, int dy) { return browser_->ScrollBy(dx, dy); }
QString BrowserPage::SelectionText() { return browser_->SelectionText(); }
QString BrowserPage::SelectionHtml() { return browser_->SelectionHtml(); }
bool BrowserPage::PasteHtml(const QString& html) { return browser_->PasteHtml(html); }
bool BrowserPage::ScrollToElement(const QString& idOrName) { return browser_->ScrollToElement(idOrName); }

bool BrowserPage::StyleBody(const std::vector<BodyStyleSetting>& settings) {
  std::vector<std::pair<QString, QString>> list;
  for (const BodyStyleSetting& s : settings)
    list.emplace_back(QString::fromLatin1(s.property.data(), static_cast<int>(s.property.size())), ToQt(s.value));
  return browser_->SetBodyStyleProperties(list);
}

bool BrowserPage::ReplaceBody(const QString& bodyHtml) { return browser_->ReplaceBody(bodyHtml); }
void BrowserPage::WatchBody() { browser_->WatchBody(); }
std::optional<QString> BrowserPage::BodyEdits() { return browser_->BodyEdits(); }
bool BrowserPage::EditBody(const QString& edits) { return browser_->ApplyBodyEdits(edits); }
ReaderPage::BodyChange BrowserPage::ChangeSinceWatched() {
  switch (browser_->BodyChanged()) {
    case WebBrowser::BodyChange::None: return BodyChange::None;
    case WebBrowser::BodyChange::StyleOnly: return BodyChange::StyleOnly;
    case WebBrowser::BodyChange::Content: return BodyChange::Content;
    case WebBrowser::BodyChange::Unknown: break;
  }
  return BodyChange::Unknown;
}
std::optional<QString> BrowserPage::BodyStyleText() { return browser_->BodyStyle(); }
bool BrowserPage::SetBodyStyleText(const QString& cssText) { return browser_->SetBodyStyle(cssText); }

QString BrowserPage::DocumentPath() {
  const QUrl url(browser_->LocationUrl());
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace norvella
