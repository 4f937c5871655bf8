#include "gui/ui/web_browser.h"

#include <algorithm>
#include <array>
#include <memory>

#include <QAction>
#include <QChildEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QMenu>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineFindTextResult>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

#include "core/reader/reader_style.h"
#include "gui/ui/book_page.h"

namespace norvella {
namespace {

QUrl AddressToUrl(const QString& address) {
  if (address.startsWith("about:") || address.contains("://") || address.startsWith("file:"))
    return QUrl(address);
  return QUrl::fromLocalFile(QFileInfo(address).absoluteFilePath());
}

// One script argument as a JavaScript literal.
QString JsString(const QString& text) {
  const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(json.mid(1, json.size() - 2));
}

// Wraps an expression so that an exception gives null instead of no answer.
QString Guarded(const QString& body) {
  return "(function(){try{" + body + "}catch(e){return null;}})()";
}

// How the program shows every page: a readable column with some air around
// the text. The style goes in as soon as the document has its root element,
// before the parser reaches the head and the body, so the first paint
// already has it and the page never jumps. Outside the body, neither the
// body's serialisation nor its inline style (which a reader's colour scheme
// sets) carries it.
QWebEngineScript ReadingColumnScript() {
  QWebEngineScript script;
  script.setName("norvella-reading-column");
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(false);
  script.setSourceCode(
      "(function(){"
      "function add(){"
      "if (document.getElementById('norvella-reading-column')) return true;"
      "var root = document.documentElement;"
      "if (!root) return false;"
      "var s = document.createElement('style');"
      "s.id = 'norvella-reading-column';"
      "s.textContent = 'body{max-width:46em;margin:1.2em auto;padding:0 2em;line-height:1.45}';"
      "root.insertBefore(s, root.firstChild);"
      "return true;"
      "}"
      "if (add()) return;"
      "var watch = new MutationObserver(function(){ if (add()) watch.disconnect(); });"
      "watch.observe(document, {childList: true});"
      "})();");
  return script;
}

}  // namespace

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent), view_(new QWebEngineView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  setFocusProxy(view_);

  // Every document is shown in a guarded page: its scripts do not run and
  // it reads nothing but the files beside it.
  auto* page = new BookPage(view_);
  view_->setPage(page);
  page->scripts().insert(ReadingColumnScript());
  connect(page, &BookPage::NoteLinkClicked, this, &WebBrowser::NoteLinkClicked);
  connect(page, &BookPage::LeaveRequested, this, &WebBrowser::LeaveRequested);
  // A navigation asked for is pending until the engine reports its start,
  // or its end, or goes idle: a navigation that replaces one still loading
  // may not get a start of its own.
  connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
      if (requestedUrl_.isEmpty() || info.url() == requestedUrl_) requested_ = false;
      return;
    }
    if (info.url() == requestedUrl_ || !view_->page()->isLoading()) requested_ = false;
  });
  connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
    SendCommandState();
    emit DocumentComplete(ok);
  });
  connect(page, &QWebEnginePage::loadProgress, this, &WebBrowser::ProgressChanged);
  connect(page, &QWebEnginePage::linkHovered, this, &WebBrowser::StatusTextChanged);
  connect(page, &QWebEnginePage::urlChanged, this, [this] { SendCommandState(); });
  for (const auto action : {QWebEnginePage::Back, QWebEnginePage::Forward})
    connect(page->action(action), &QAction::changed, this, [this] { SendCommandState(); });

  // Dropped files belong to the window, not to the page.
  WatchForDrops(view_);
}

WebBrowser::~WebBrowser() = default;

void WebBrowser::Navigate(const QString& address) {
  const QUrl target = AddressToUrl(address);
  const QUrl current = view_->url();
  // A jump to an anchor of the page shown loads nothing.
  const bool sameDocument = target.hasFragment() &&
                            target.adjusted(QUrl::RemoveFragment) ==
                                current.adjusted(QUrl::RemoveFragment) &&
                            !current.isEmpty();
  if (!sameDocument) Request(target);
  view_->setUrl(target);
}

void WebBrowser::Request(const QUrl& target) {
  requested_ = true;
  requestedUrl_ = target;
}

void WebBrowser::Refresh() {
  Request(view_->url());
  view_->reload();
}

bool WebBrowser::GoBack() {
  if (!CanGoBack()) return false;
  Request(QUrl());
  view_->back();
  return true;
}

bool WebBrowser::GoForward() {
  if (!CanGoForward()) return false;
  Request(QUrl());
  view_->forward();
  return true;
}

bool WebBrowser::CanGoBack() const { return view_->page()->action(QWebEnginePage::Back)->isEnabled(); }

bool WebBrowser::CanGoForward() const {
  return view_->page()->action(QWebEnginePage::Forward)->isEnabled();
}

void WebBrowser::SendCommandState() {
  const bool back = CanGoBack();
  const bool forward = CanGoForward();
  if (back == lastCanBack_ && forward == lastCanForward_) return;
  lastCanBack_ = back;
  lastCanForward_ = forward;
  emit CommandStateChanged(back, forward);
}

QString WebBrowser::LocationUrl() const { return view_->url().toString(); }

QString WebBrowser::LocationName() const {
  const QUrl url = view_->url();
  const QString title = view_->title();
  if (!title.isEmpty() && title != url.toString() && title != url.toDisplayString() &&
      title != url.fileName())
    return title;
  return url.isLocalFile() ? url.fileName() : url.toString();
}

bool WebBrowser::IsLoading() const { return requested_ || view_->page()->isLoading(); }

bool WebBrowser::WaitFor(const std::function<bool()>& done, int timeoutMs) {
  if (done()) return true;
  QElapsedTimer clock;
  clock.start();
  QTimer tick;  // wakes the wait at least every 10 ms when nothing else happens
  tick.start(10);
  while (!done()) {
    if (clock.elapsed() >= timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

std::optional<QVariant> WebBrowser::RunScript(const QString& script, int timeoutMs) {
  // The answer may come after the time-out or never; the shared state keeps
  // a late answer from touching anything that is gone.
  struct Answer {
    bool arrived = false;
    QVariant value;
  };
  auto answer = std::make_shared<Answer>();
  QPointer<WebBrowser> self(this);
  view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                               [answer](const QVariant& value) {
                                 answer->arrived = true;
                                 answer->value = value;
                               });
  WaitFor([&] { return answer->arrived || self.isNull(); }, timeoutMs);
  if (self.isNull() || !answer->arrived) return std::nullopt;
  return answer->value;
}

bool WebBrowser::WaitUntilReady(int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  QPointer<WebBrowser> self(this);
  auto remaining = [&] { return std::max<int>(0, timeoutMs - static_cast<int>(clock.elapsed())); };
  for (;;) {
    if (!WaitFor([&] { return self.isNull() || !self->IsLoading(); }, remaining())) return false;
    if (self.isNull()) return false;
    const QString state = ReadyState();
    if (self.isNull()) return false;
    if (!IsLoading() && (state == "complete" || state == "interactive")) return true;
    if (remaining() == 0) return false;
    WaitFor([] { return false; }, std::min(10, remaining()));
    if (self.isNull()) return false;
  }
}

QString WebBrowser::ReadyState() {
  const auto value = RunScript("document.readyState");
  return value ? value->toString() : QString();
}

void WebBrowser::SetGuardsLeaving(bool on) { static_cast<BookPage*>(view_->page())->SetGuardsLeaving(on); }

void WebBrowser::Follow(const QUrl& url) {
  Request(url);
  static_cast<BookPage*>(view_->page())->Follow(url);
}

bool WebBrowser::HasBody() {
  const auto value = RunScript(Guarded("return !!document.body;"));
  return value && value->toBool();
}

std::optional<QString> WebBrowser::BodyHtml() {
  const auto value = RunScript(Guarded("return document.body ? document.body.outerHTML : null;"));
  if (!value || !value->isValid() || value->isNull()) return std::nullopt;
  return value->toString();
}

std::optional<int> WebBrowser::ScrollTop() {
  const auto value = RunScript(
      Guarded("var e = document.scrollingElement || document.body; return e ? e.scrollTop : null;"));
  if (!value || !value->isValid() || value->isNull()) return std::nullopt;
  return static_cast<int>(value->toDouble());
}

std::optional<int> WebBrowser::ScrollHeight() {
  const auto value = RunScript(Guarded(
      "var e = document.scrollingElement || document.body; return e ? e.scrollHeight : null;"));
  if (!value || !value->isValid() || value->isNull()) return std::nullopt;
  return static_cast<int>(value->toDouble());
}

bool WebBrowser::ScrollTo(int x, int y) {
  const auto value = RunScript(
      Guarded(QString("window.scrollTo(%1, %2); return true;").arg(x).arg(y)));
  return value && value->toBool();
}

bool WebBrowser::ScrollBy(int dx, int dy) {
  const auto value = RunScript(
      Guarded(QString("window.scrollBy(%1, %2); return true;").arg(dx).arg(dy)));
  return value && value->toBool();
}

bool WebBrowser::ScrollToElement(const QString& idOrName) {
  const auto value = RunScript(Guarded(
      "var n = " + JsString(idOrName) + ";"
      "var e = document.getElementById(n) || document.getElementsByName(n)[0];"
      "if (!e) return false; e.scrollIntoView(); return true;"));
  return value && value->toBool();
}

QString WebBrowser::SelectionText() {
  const auto value = RunScript(
      Guarded("var s = window.getSelection(); return s ? s.toString() : '';"));
  return value ? value->toString() : QString();
}

QString WebBrowser::SelectionHtml() {
  const auto value = RunScript(Guarded(
      "var s = window.getSelection();"
      "if (!s || s.rangeCount === 0) return '';"
      "var box = document.createElement('div');"
      "for (var i = 0; i < s.rangeCount; ++i) box.appendChild(s.getRangeAt(i).cloneContents());"
      "return box.innerHTML;"));
  return value ? value->toString() : QString();
}

bool WebBrowser::SelectText(const QString& text) {
  const auto value = RunScript(Guarded(
      "var t = " + JsString(text) + ";"
      "if (!document.body || !t) return false;"
      "var w = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);"
      "for (var n = w.nextNode(); n; n = w.nextNode()) {"
      "  var i = n.data.indexOf(t); if (i < 0) continue;"
      "  var r = document.createRange(); r.setStart(n, i); r.setEnd(n, i + t.length);"
      "  var s = window.getSelection(); s.removeAllRanges(); s.addRange(r);"
      "  n.parentNode.scrollIntoView(); return true;"
      "}"
      "return false;"));
  return value && value->toBool();
}

bool WebBrowser::PasteHtml(const QString& html) {
  const auto value = RunScript(Guarded(
      "var s = window.getSelection();"
      "if (!s || s.rangeCount === 0) return false;"
      "var r = s.getRangeAt(0);"
      "r.deleteContents();"
      "var f = r.createContextualFragment(" + JsString(html) + ");"
      "var last = f.lastChild;"
      "r.insertNode(f);"
      "if (last) { r.setStartAfter(last); r.collapse(true); s.removeAllRanges(); s.addRange(r); }"
      "return true;"));
  return value && value->toBool();
}

std::optional<QString> WebBrowser::BodyStyle() {
  const auto value =
      RunScript(Guarded("return document.body ? document.body.style.cssText : null;"));
  if (!value || !value->isValid() || value->isNull()) return std::nullopt;
  return value->toString();
}

bool WebBrowser::SetBodyStyle(const QString& cssText) {
  const auto value = RunScript(Guarded("if (!document.body) return false; document.body.style.cssText = " +
                                       JsString(cssText) + "; return true;"));
  return value && value->toBool();
}

bool WebBrowser::SetBodyStyleProperties(const std::vector<std::pair<QString, QString>>& properties) {
  QJsonArray list;
  for (const auto& [name, value] : properties) list.append(QJsonArray{name, value});
  const QString literal = QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
  const auto value = RunScript(Guarded(
      "if (!document.body) return false;"
      "var list = " + literal + ";"
      "for (var i = 0; i < list.length; ++i) document.body.style[list[i][0]] = list[i][1];"
      "return true;"));
  return value && value->toBool();
}

bool WebBrowser::ReplaceBody(const QString& bodyHtml) {
  // A parsed document of its own keeps the body's attributes, which
  // assigning markup to the live body would drop; its scripts never run.
  const auto value = RunScript(Guarded(
      "if (!document.body) return false;"
      "var d = new DOMParser().parseFromString('<!DOCTYPE html><html><head></head>' + " + JsString(bodyHtml) +
      " + '</html>', 'text/html');"
      "if (!d.body) return false;"
      "document.documentElement.replaceChild(document.adoptNode(d.body), document.body);"
      "return true;"), kLoadTimeoutMs);
  return value && value->toBool();
}

void WebBrowser::WatchBody() {
  // The observer and its marks live in the program's own script world; the
  // page cannot see or reset them.
  RunScript(Guarded(
      "if (!document.body) return false;"
      "if (window.norvellaWatch) window.norvellaWatch.disconnect();"
      "var body = document.body;"
      "window.norvellaChange = 0;"  // 0 none, 1 the body's style only, 2 more
      // The body's children are numbered, and a change inside one marks
      // it, so that BodyEdits can tell what changed from what did not.
      "var kids = body.childNodes;"
      "for (var k = 0; k < kids.length; ++k) { kids[k].norvellaIndex = k; kids[k].norvellaDirty = false; }"
      "window.norvellaCount = kids.length;"
      "window.norvellaTextLength = body.textContent.length;"
      "var note = function(records) {"
      "  for (var i = 0; i < records.length; ++i) {"
      "    var r = records[i];"
      "    var styleOnly = r.type === 'attributes' && r.target === body && r.attributeName === 'style';"
      "    window.norvellaChange = Math.max(window.norvellaChange, styleOnly ? 1 : 2);"
      "    var n = r.target;"
      "    while (n && n !== body && n.parentNode !== body) n = n.parentNode;"
      "    if (n && n !== body) n.norvellaDirty = true;"
      "  }"
      "};"
      "window.norvellaWatchNote = note;"
      "window.norvellaWatchedBody = body;"
      "window.norvellaWatch = new MutationObserver(note);"
      "window.norvellaWatch.observe(body, {subtree: true, childList: true, attributes: true,"
      " characterData: true});"
      "return true;"));
}

std::optional<QString> WebBrowser::BodyEdits() {
  // The body as runs of children kept as they were when the watch began
  // (by their numbers) and the markup of everything new or changed, with
  // the body's attributes and what the watched body was like.
  const auto value = RunScript(Guarded(
      "var body = document.body;"
      "if (!window.norvellaWatch || body !== window.norvellaWatchedBody) return null;"
      "window.norvellaWatchNote(window.norvellaWatch.takeRecords());"
      "var pieces = [], last = -1;"
      "var escape = function(t) { return t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')"
      "  .replace(/\u00A0/g, '&nbsp;'); };"
      "for (var n = body.firstChild; n; n = n.nextSibling) {"
      "  var kept = typeof n.norvellaIndex === 'number' && !n.norvellaDirty;"
      "  if (kept) {"
      "    if (n.norvellaIndex <= last) return null;"
      "    var top = pieces.length ? pieces[pieces.length - 1] : null;"
      "    if (top && top.k && top.k[1] === n.norvellaIndex - 1) top.k[1] = n.norvellaIndex;"
      "    else pieces.push({k: [n.norvellaIndex, n.norvellaIndex]});"
      "    last = n.norvellaIndex;"
      "    continue;"
      "  }"
      "  var html = n.nodeType === 1 ? n.outerHTML : n.nodeType === 3 ? escape(n.data)"
      "    : n.nodeType === 8 ? '<!--' + n.data + '-->' : '';"
      "  pieces.push({h: html});"
      "}"
      "var attrs = [];"
      "for (var a = 0; a < body.attributes.length; ++a) attrs.push([body.attributes[a].name, body.attributes[a].value]);"
      "return JSON.stringify({count: window.norvellaCount, text: window.norvellaTextLength,"
      "  attrs: attrs, pieces: pieces});"));
  if (!value || !value->isValid() || value->isNull()) return std::nullopt;
  return value->toString();
}

bool WebBrowser::ApplyBodyEdits(const QString& edits) {
  // Only a body like the one the edits were taken from takes them: the
  // same number of children and the same length of text. Kept children
  // stay where they are, so only what changed is laid out again.
  const auto value = RunScript(Guarded(
      "var e = JSON.parse(" + JsString(edits) + ");"
      "var body = document.body;"
      "if (!body || body.childNodes.length !== e.count || body.textContent.length !== e.text) return false;"
      "var old = Array.prototype.slice.call(body.childNodes);"
      "var next = 0;"
      "var drop = function(upTo) { for (; next < upTo; ++next) body.removeChild(old[next]); };"
      "for (var i = 0; i < e.pieces.length; ++i) {"
      "  var p = e.pieces[i];"
      "  if (p.k) { drop(p.k[0]); next = p.k[1] + 1; continue; }"
      "  var t = document.createElement('template');"
      "  t.innerHTML = p.h;"
      "  body.insertBefore(t.content, next < old.length ? old[next] : null);"
      "}"
      "drop(old.length);"
      "var keep = {};"
      "for (var a = 0; a < e.attrs.length; ++a) {"
      "  keep[e.attrs[a][0]] = true;"
      "  if (body.getAttribute(e.attrs[a][0]) !== e.attrs[a][1]) body.setAttribute(e.attrs[a][0], e.attrs[a][1]);"
      "}"
      "for (var b = body.attributes.length - 1; b >= 0; --b)"
      "  if (!keep[body.attributes[b].name]) body.removeAttribute(body.attributes[b].name);"
      "return true;"), kLoadTimeoutMs);
  return value && value->toBool();
}

WebBrowser::BodyChange WebBrowser::BodyChanged() {
  const auto value = RunScript(Guarded(
      "if (!window.norvellaWatch || typeof window.norvellaChange !== 'number') return null;"
      "if (document.body !== window.norvellaWatchedBody) return 2;"
      "window.norvellaWatchNote(window.norvellaWatch.takeRecords());"
      "return window.norvellaChange;"));
  if (!value || !value->isValid() || value->isNull()) return BodyChange::Unknown;
  switch (value->toInt()) {
    case 0: return BodyChange::None;
    case 1: return BodyChange::StyleOnly;
    default: return BodyChange::Content;
  }
}

void WebBrowser::ClearHistory() {
  view_->history()->clear();
  SendCommandState();
}

void WebBrowser::SetContextMenu(QMenu* menu) {
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, menu,
          [this, menu](const QPoint& at) { menu->popup(view_->mapToGlobal(at)); });
}

void WebBrowser::SetZoomLevel(int level) {
  zoomLevel_ = ClampTextSize(level);
  view_->setZoomFactor(TextSizeZoomFactor(zoomLevel_));
}

bool WebBrowser::Find(const QString& text, bool backward, bool caseSensitive) {
  if (text.isEmpty()) {
    view_->page()->findText(QString());  // clears the highlight
    return false;
  }
  QWebEnginePage::FindFlags flags;
  if (backward) flags |= QWebEnginePage::FindBackward;
  if (caseSensitive) flags |= QWebEnginePage::FindCaseSensitively;
  struct Answer {
    bool arrived = false;
    bool found = false;
  };
  auto answer = std::make_shared<Answer>();
  QPointer<WebBrowser> self(this);
  view_->page()->findText(text, flags, [answer](const QWebEngineFindTextResult& result) {
    answer->arrived = true;
    answer->found = result.numberOfMatches() > 0;
  });
  WaitFor([&] { return answer->arrived || self.isNull(); }, kScriptTimeoutMs);
  return answer->arrived && answer->found;
}

void WebBrowser::WatchForDrops(QObject* object) {
  object->installEventFilter(this);
  for (QObject* child : object->children())
    if (child->isWidgetType()) WatchForDrops(child);
}

bool WebBrowser::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ChildAdded: {
      // The page view creates its drawing widgets later; watch them too.
      QObject* child = static_cast<QChildEvent*>(event)->child();
      if (child != nullptr && child->isWidgetType()) WatchForDrops(child);
      break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
      else drag->ignore();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (drop->mimeData()->hasUrls()) {
        drop->acceptProposedAction();
        emit FilesDropped(drop->mimeData()->urls());
      }
      return true;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace norvella
