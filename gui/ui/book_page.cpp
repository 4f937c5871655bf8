#include "gui/ui/book_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include "core/reader/note_link.h"
#include "gui/common/external_links.h"
#include "gui/common/qt_text.h"

namespace norvella {
namespace {

bool IsLocalScheme(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return scheme == "about" || scheme == "data";
}

bool SameDocument(const QUrl& a, const QUrl& b) {
  return a.adjusted(QUrl::RemoveFragment) == b.adjusted(QUrl::RemoveFragment);
}

// Reports every click on a link that carries a script (a "javascript:"
// address or an onclick text) to the program through a console message
// marked with the page's token. It runs in the program's own script world,
// which keeps working while the page's scripts are off; a script address
// is not followed.
QWebEngineScript LinkClickScript(const QString& token) {
  QWebEngineScript script;
  script.setName("norvella-link-clicks");
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(true);
  const QByteArray tokenLiteral = QJsonDocument(QJsonObject{{"t", token}}).toJson(QJsonDocument::Compact);
  script.setSourceCode(
      "(function(){"
      "var token = " + QString::fromUtf8(tokenLiteral) + ".t;"
      "document.addEventListener('click', function(e){"
      "  if (e.button !== 0) return;"
      "  var a = e.target;"
      "  while (a && !(a.nodeType === 1 && (a.localName === 'a' || a.localName === 'area')))"
      "    a = a.parentNode;"
      "  if (!a) return;"
      "  var href = a.getAttribute('href') || '';"
      "  var onclick = a.getAttribute('onclick') || '';"
      "  var scripted = /^[\\x00-\\x20]*javascript:/i.test(href);"
      "  if (!scripted && !onclick) return;"
      "  if (scripted) e.preventDefault();"
      "  console.log(token + JSON.stringify({href: href, onclick: onclick}));"
      "}, true);"
      "})();");
  return script;
}

}  // namespace

QWebEngineProfile* BookProfile() {
  static QWebEngineProfile* profile = [] {
    // No storage name: the profile is off the record.
    auto* p = new QWebEngineProfile(QCoreApplication::instance());
    QWebEngineSettings* s = p->settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
    // A local page may load local files at all only with this on (its own
    // pictures need it); each page's request guard then keeps it to the
    // document's own folder.
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    s->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    p->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    p->setSpellCheckEnabled(false);
    return p;
  }();
  return profile;
}

QString ReadableFolderOf(const QUrl& url) {
  if (!url.isLocalFile()) return QString();
  const QFileInfo file(url.toLocalFile());
  const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
  return folder;
}

bool MayLoad(const QUrl& url, const QString& folder) {
  if (IsLocalScheme(url)) return true;
  if (!url.isLocalFile() || folder.isEmpty() || !url.host().isEmpty()) return false;
  // The real place of the file, so that neither ".." nor a symbolic link in
  // the document's folder leads out of it.
  const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
  if (path.isEmpty()) return false;
  if (path == folder) return true;
  const QString prefix = folder.endsWith('/') ? folder : folder + '/';
  return path.startsWith(prefix);
}

// Blocks every request of the page that MayLoad refuses: the page's last
// line of defence, below the engine's own refusal of remote addresses.
class BookPage::RequestGuard : public QWebEngineUrlRequestInterceptor {
 public:
  explicit RequestGuard(BookPage* page) : QWebEngineUrlRequestInterceptor(page), page_(page) {}

  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (!MayLoad(info.requestUrl(), page_->folder_)) info.block(true);
  }

 private:
  BookPage* page_;
};

BookPage::BookPage(QObject* parent)
    : QWebEnginePage(BookProfile(), parent),
      guard_(new RequestGuard(this)),
      token_("norvella-" + QUuid::createUuid().toString(QUuid::WithoutBraces) + ":") {
  setUrlRequestInterceptor(guard_);
  scripts().insert(LinkClickScript(token_));
  connect(this, &QWebEnginePage::newWindowRequested, this, &BookPage::OnNewWindowRequested);
  // Features a page can ask for (the camera, the location, notifications)
  // are never granted.
  connect(this, &QWebEnginePage::featurePermissionRequested, this,
          [this](const QUrl& origin, Feature feature) {
            setFeaturePermission(origin, feature, PermissionDeniedByUser);
          });
}

BookPage::~BookPage() { setUrlRequestInterceptor(nullptr); }

bool BookPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  const bool mayLoad = url.isLocalFile() || IsLocalScheme(url);
  switch (type) {
    case NavigationTypeTyped:
    case NavigationTypeReload:
    case NavigationTypeBackForward:
      // The program's own navigations: a new document, a refresh, the
      // history. The document shown decides what may be read.
      if (!isMainFrame) return MayLoad(url, folder_);
      if (!mayLoad) return false;
      if (type == NavigationTypeTyped && url == followedLink_) {
        followedLink_.clear();
        return true;
      }
      followedLink_.clear();
      // A reload or a step through the history keeps the folder when the
      // page lies in it (the engine may reload a page whose first load it
      // reported as nothing of its own).
      if (type == NavigationTypeTyped || !MayLoad(url, folder_)) folder_ = ReadableFolderOf(url);
      return true;
    case NavigationTypeLinkClicked:
      return FollowClickedLink(url);
    case NavigationTypeOther:
      // Frames loading their documents; the document itself never comes
      // this way.
      return !isMainFrame && MayLoad(url, folder_);
    default:
      // Refreshes, redirects, form submissions: nothing the user asked for.
      return false;
  }
}

bool BookPage::FollowClickedLink(const QUrl& url) {
  if (IsExternalLink(url)) {
    OpenExternalLink(url);
    return false;
  }
  if (SameDocument(url, this->url())) return true;
  if (!url.isLocalFile() || !MayLoad(url, folder_)) return false;
  if (!guardsLeaving_) return true;
  // Reported once the engine is done with this request, since the window
  // may ask a question first.
  QMetaObject::invokeMethod(this, [this, url] { emit LeaveRequested(url); }, Qt::QueuedConnection);
  return false;
}

void BookPage::Follow(const QUrl& url) {
  // Loaded as the program's own navigation that keeps the readable folder.
  followedLink_ = url;
  load(url);
}

void BookPage::OnNewWindowRequested(QWebEngineNewWindowRequest& request) {
  // A link that asks for a window of its own (target="_blank"). Only a
  // click may open anything; the program opens no windows for a page.
  if (!request.isUserInitiated()) return;
  const QUrl url = request.requestedUrl();
  if (!FollowClickedLink(url) || SameDocument(url, this->url())) return;
  Follow(url);
}

void BookPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                        const QString&) {
  // Only the program's own reports count; anything else a page might log
  // is dropped.
  if (!message.startsWith(token_)) return;
  const QJsonObject click = QJsonDocument::fromJson(message.mid(token_.size()).toUtf8()).object();
  const auto note = NoteFromLink(FromQt(click.value("href").toString()),
                                 FromQt(click.value("onclick").toString()));
  if (note) emit NoteLinkClicked(ToQt(*note));
}

}  // namespace norvella
