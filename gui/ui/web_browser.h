#pragma once

// The embedded HTML browser: one page view with exactly the operations the
// converter and the reader need. The page is a BookPage: the document's own
// scripts never run, and it reads nothing but the files beside it; the
// operations below run as the program's own scripts. The page engine answers scripts
// asynchronously; every operation that needs an answer waits for it while
// letting the interface process its events (timers and commands keep
// running, so callers re-read what they need after a wait), and gives up
// after a time-out instead of waiting forever.

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QList>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWidget>

class QMenu;
class QWebEngineView;

namespace norvella {

class WebBrowser : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kScriptTimeoutMs = 5000;
  static constexpr int kLoadTimeoutMs = 30000;
  // Text sizes from "smallest" (0) to "largest" (4).
  static constexpr int kZoomLevelCount = 5;
  static constexpr int kDefaultZoomLevel = 2;

  explicit WebBrowser(QWidget* parent = nullptr);
  ~WebBrowser() override;

  // Starts loading an address: a URL ("about:blank", "file:///...") or a
  // local file path. Returns at once; WaitUntilReady waits for the page.
  void Navigate(const QString& address);
  void Refresh();
  // Move through the history; false when there is nowhere to go.
  bool GoBack();
  bool GoForward();
  bool CanGoBack() const;
  bool CanGoForward() const;

  // The address shown, empty before the first navigation.
  QString LocationUrl() const;
  // The page's title, or the file name of its address when it has none.
  QString LocationName() const;
  // True from Navigate until the page has finished loading.
  bool IsLoading() const;

  // Waits until no load is pending and the document's readyState is
  // "complete" or "interactive". False on time-out.
  bool WaitUntilReady(int timeoutMs = kLoadTimeoutMs);

  // The document's readyState; empty when the page gave no answer.
  QString ReadyState();
  // The browser's serialisation of the live body (its outerHTML), comments
  // included; nullopt when the page gave no answer or has no body.
  // Whether a clicked link to another document waits for the window
  // (LeaveRequested) instead of being followed at once.
  void SetGuardsLeaving(bool on);
  void Follow(const QUrl& url);

  // Whether the page has a body, without fetching it.
  bool HasBody();
  std::optional<QString> BodyHtml();
  // Scroll offset and height of the document's scrolling element.
  std::optional<int> ScrollTop();
  std::optional<int> ScrollHeight();
  bool ScrollTo(int x, int y);
  bool ScrollBy(int dx, int dy);
  // Scrolls the element with this id (or else this name) into view; false
  // when the page has none.
  bool ScrollToElement(const QString& idOrName);

  // The current selection as plain text and as markup.
  QString SelectionText();
  QString SelectionHtml();
  // Selects the first occurrence of the text in the page, as a drag over it
  // would; false when the page does not hold it.
  bool SelectText(const QString& text);
  // Replaces the selection with the markup; false when nothing is selected.
  bool PasteHtml(const QString& html);

  // The body's inline style (its cssText).
  std::optional<QString> BodyStyle();
  bool SetBodyStyle(const QString& cssText);
  // Assigns each value to the property of the body's style object that it
  // names (fontFamily, color, cssText, ...), in order.
  bool SetBodyStyleProperties(const std::vector<std::pair<QString, QString>>& properties);
  // Replaces the body by one serialised elsewhere (its outerHTML), parsed
  // as inert markup: nothing in it runs.
  bool ReplaceBody(const QString& bodyHtml);
  // Starts noting changes of the body (content and attributes) made by
  // anyone; BodyChanged tells whether there were any since, nothing when the
  // page was not watched (another page has been loaded since).
  enum class BodyChange { Unknown, None, StyleOnly, Content };
  void WatchBody();
  BodyChange BodyChanged();
  // What changed in the body since the watch began, for ApplyBodyEdits on
  // another page that shows the same body as this one did then: nothing
  // when the page is not watched.
  std::optional<QString> BodyEdits();
  // Makes this page's body what BodyEdits described, changing only the
  // parts that changed there; false, with nothing changed, when this body
  // is not the one the edits start from.
  bool ApplyBodyEdits(const QString& edits);
  // Forgets every page before and after the one shown.
  void ClearHistory();
  // The menu the page shows on a right click instead of the engine's own.
  void SetContextMenu(QMenu* menu);

  // Text size, 0 to kZoomLevelCount - 1; other values are clamped.
  void SetZoomLevel(int level);
  int ZoomLevel() const { return zoomLevel_; }

  // Finds and highlights the next occurrence; false when there is none.
  bool Find(const QString& text, bool backward = false, bool caseSensitive = false);

  // Lets the interface run until the condition holds or the time is up.
  static bool WaitFor(const std::function<bool()>& done, int timeoutMs);

 signals:
  void DocumentComplete(bool ok);
  void ProgressChanged(int percent);
  // The address of the link under the mouse, or empty text.
  void StatusTextChanged(const QString& text);
  // Back and forward availability, sent when either changes.
  void CommandStateChanged(bool canGoBack, bool canGoForward);
  // Files dropped on the page; the page itself never navigates to them.
  void FilesDropped(const QList<QUrl>& urls);
  // The user clicked a note link of the page; the markup is the note's.
  void NoteLinkClicked(const QString& noteHtml);
  // A clicked link leads to another document (only while leaving is
  // guarded); Follow goes there.
  void LeaveRequested(const QUrl& url);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class WebBrowserTest;
  friend class BookPageTest;

  // Runs a script in the program's own world, which the page cannot reach
  // and which keeps working while the page's scripts are off, and waits
  // for its answer: nullopt on time-out or when the browser went away
  // during the wait, an invalid QVariant when the script gave no value.
  std::optional<QVariant> RunScript(const QString& script, int timeoutMs = kScriptTimeoutMs);
  void WatchForDrops(QObject* object);
  void SendCommandState();
  // Notes a navigation asked for; an empty address stands for any.
  void Request(const QUrl& target);

  QWebEngineView* view_ = nullptr;
  bool requested_ = false;  // a navigation was asked for and has not started
  QUrl requestedUrl_;
  int zoomLevel_ = kDefaultZoomLevel;
  bool lastCanBack_ = false;
  bool lastCanForward_ = false;
};

}  // namespace norvella
