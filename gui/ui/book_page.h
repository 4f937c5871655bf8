#pragma once

// The page every document is shown in, by the reader and by the converter's
// preview alike. Books come from anywhere, so a shown document may do no
// more than show itself:
//  - its own scripts never run (scripts are off for the page; the program's
//    own operations run in a script world of their own that the page can
//    neither reach nor imitate);
//  - it loads nothing but local files in its own folder and the folders
//    below it (its pictures, style sheets, frames), and inline data;
//    nothing from the network, so it cannot tell anyone it is being read;
//  - it goes nowhere by itself: refreshes, redirects and form submissions
//    are refused; a link the user clicks is followed when it leads to
//    another place in the document or to a file beside it, and a web or
//    mail link goes to the desktop's handler;
//  - a click on a note link (a link whose script writes a note into a small
//    window) is reported with the note's markup instead of running.

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineProfile;
class QWebEngineNewWindowRequest;

namespace norvella {

// The profile all document pages share: kept in memory only (no cookies,
// cache or history on disk), scripts off, no access to remote addresses.
QWebEngineProfile* BookProfile();

// The canonical folder a document at `url` may read from: the folder of a
// local file, empty for anything else.
QString ReadableFolderOf(const QUrl& url);

// Whether a document whose readable folder is `folder` may load `url`:
// inline data and about: pages always; a local file only when it exists and
// lies in the folder or below it (links that lead out of it through ".."
// or a symbolic link included); nothing else.
bool MayLoad(const QUrl& url, const QString& folder);

class BookPage : public QWebEnginePage {
  Q_OBJECT

 public:
  explicit BookPage(QObject* parent = nullptr);
  ~BookPage() override;

  // The folder the shown document may read from; empty when no local
  // document is shown.
  QString ReadableFolder() const { return folder_; }

  // When on, a clicked link to another document is not followed but
  // reported with LeaveRequested, so that the window can first ask about
  // the changes made to the document shown; Follow then goes there.
  void SetGuardsLeaving(bool on) { guardsLeaving_ = on; }
  void Follow(const QUrl& url);

 signals:
  // A note link was clicked; the markup is the note's.
  void NoteLinkClicked(const QString& noteHtml);
  // A clicked link leads to another document the page may show (sent only
  // while leaving is guarded, after the click has been handled).
  void LeaveRequested(const QUrl& url);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int lineNumber, const QString& sourceId) override;

 private:
  class RequestGuard;

  // What a click on a link to `url` does; true when the page may follow it.
  bool FollowClickedLink(const QUrl& url);
  void OnNewWindowRequested(QWebEngineNewWindowRequest& request);

  RequestGuard* guard_ = nullptr;
  QString folder_;
  // Marks the program's own reports among console messages; the page's
  // scripts, even if they ran, could not know it.
  QString token_;
  // A local link that asked for a window of its own is shown here instead;
  // its load keeps the readable folder.
  QUrl followedLink_;
  bool guardsLeaving_ = false;
};

}  // namespace norvella
