// Hostile documents in the program's browser: real pages, each trying one
// way to run its own script, read the user's files or reach the network.

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWebEngineView>

#include "core/i18n/templates.h"
#include "gui/common/external_links.h"
#include "gui/common/qt_text.h"
#include "gui/reader/comment_window.h"
#include "gui/ui/book_page.h"
#include "gui/common/qt_text.h"
#include "gui/ui/web_browser.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {
namespace {

// A one-pixel PNG picture.
const QByteArray kPicture = QByteArray::fromBase64(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==");

// A web server on 127.0.0.1 that counts the connections it is offered and
// answers none of them.
class CountingServer : public QTcpServer {
 public:
  CountingServer() {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = nextPendingConnection()) {
        ++connections;
        socket->abort();
        socket->deleteLater();
      }
    });
  }
  QString Address(const QString& path) const {
    return QString("http://127.0.0.1:%1/%2").arg(serverPort()).arg(path);
  }
  int connections = 0;
};

// A link laid over the page's top left corner, where a test clicks.
QString CornerLink(const QString& attributes, const QString& text = "link") {
  return "<a " + attributes +
         " style=\"position:fixed;left:0;top:0;width:300px;height:80px;display:block\">" + text +
         "</a>";
}

}  // namespace

class BookPageTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

 private:
  QTemporaryDir dir_;
  std::unique_ptr<WebBrowser> browser_;
  std::vector<QUrl> opened_;

  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!test::WriteFile(path, bytes)) qFatal("cannot write %s", qPrintable(path));
    return path;
  }

  QString Page(const QString& name, const QString& body, const QString& head = QString()) {
    return Write(name, ("<html><head><meta charset=\"utf-8\">" + head + "</head><body>" + body +
                        "</body></html>")
                           .toUtf8());
  }

  void Open(const QString& path) {
    browser_->Navigate(path);
    QVERIFY(browser_->WaitUntilReady());
  }

  QString Body() { return browser_->BodyHtml().value_or(QString()); }

  // A left click at the top left corner of the page, as the user gives it.
  void ClickCorner() {
    auto* view = browser_->findChild<QWebEngineView*>();
    QTRY_VERIFY(view->focusProxy() != nullptr);
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(20, 20));
  }

  // The pictures of the page that were loaded, in their order, as 1 and 0.
  QString PicturesShown() {
    return browser_->BodyHtml() ? RunInPage("Array.prototype.map.call(document.images, function(i)"
                                            "{ return i.naturalWidth > 0 ? 1 : 0; }).join('')")
                                : QString();
  }
  QString RunInPage(const QString& script) {
    const auto value = browser_->RunScript(script);
    return value ? value->toString() : QString();
  }

 private slots:
  void init() {
    browser_ = std::make_unique<WebBrowser>();
    browser_->resize(500, 300);
    browser_->show();
    opened_.clear();
    SetExternalLinkHandler([this](const QUrl& url) {
      opened_.push_back(url);
      return true;
    });
  }
  void cleanup() {
    browser_.reset();
    SetExternalLinkHandler({});
  }

  void ADocumentsScriptsDoNotRun() {
    Write("secret.txt", "the user's secret");
    const QString page = Page(
        "script.html",
        "<p id=\"text\">static text</p>"
        "<script>var x = new XMLHttpRequest(); x.open('GET', 'secret.txt', false); x.send();"
        "document.getElementById('text').textContent = x.responseText;</script>"
        "<img src=\"missing.png\" onerror=\"document.body.innerHTML = 'rep' + 'laced'\">"
        "<iframe srcdoc=\"<script>parent.document.title = 'framed'</script>\"></iframe>",
        "<title>Book</title><script>document.title = 'changed';</script>");
    Open(page);
    QTest::qWait(300);
    const QString body = Body();
    QVERIFY(body.contains("<p id=\"text\">static text</p>"));
    QVERIFY(!body.contains("the user's secret"));
    QVERIFY(!body.contains("replaced"));
    QCOMPARE(browser_->LocationName(), QString("Book"));
    // The program's own operations still work on the page.
    QVERIFY(browser_->SetBodyStyle("color: red;"));
    QCOMPARE(*browser_->BodyStyle(), QString("color: red;"));
    QCOMPARE(RunInPage("document.getElementById('norvella-reading-column') ? 'yes' : 'no'"),
             QString("yes"));
  }

  void ADocumentLoadsOnlyTheFilesOfItsOwnFolder() {
    Write("book/pic.png", kPicture);
    Write("book/pictures/pic.png", kPicture);
    Write("outside.png", kPicture);
    Write("book/secret.txt", "beside");
    Write("outside.txt", "outside");
    QFile::link(dir_.filePath("outside.png"), dir_.filePath("book/link.png"));
    const QString outside = QUrl::fromLocalFile(dir_.filePath("outside.png")).toString();
    Open(Page("book/pictures.html",
              "<img src=\"pic.png\"><img src=\"pictures/pic.png\"><img src=\"../outside.png\">"
              "<img src=\"pictures/../../outside.png\"><img src=\"" + outside + "\">"
              "<img src=\"link.png\"><img src=\"data:image/png;base64," + kPicture.toBase64() + "\">"));
    QTRY_COMPARE(PicturesShown(), QString("1100001"));
    QCOMPARE(browser_->findChild<BookPage*>()->ReadableFolder(),
             QFileInfo(dir_.filePath("book")).canonicalFilePath());

    // Frames: one beside the document shows, one from outside does not.
    Open(Page("book/frames.html", "<iframe id=\"in\" src=\"secret.txt\"></iframe>"
                                  "<iframe id=\"out\" src=\"../outside.txt\"></iframe>"));
    QTest::qWait(300);
    QCOMPARE(RunInPage("var d = document.getElementById('in').contentDocument;"
                       "d && d.body ? d.body.textContent : ''"),
             QString("beside"));
    QCOMPARE(RunInPage("var d = document.getElementById('out').contentDocument;"
                       "d && d.body ? d.body.textContent : ''"),
             QString());
  }

  void ADocumentSendsNothingOut() {
    CountingServer server;
    // The server does count what reaches it.
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, server.serverPort());
    QTRY_COMPARE(server.connections, 1);
    server.connections = 0;

    Open(Page("remote.html",
              "<p>text</p><img src=\"" + server.Address("pic.png") + "\">"
              "<img srcset=\"" + server.Address("big.png") + " 2x\" src=\"\">"
              "<div style=\"background: url(" + server.Address("bg.png") + ")\">x</div>"
              "<iframe src=\"" + server.Address("frame.html") + "\"></iframe>"
              "<video src=\"" + server.Address("film.mp4") + "\" autoplay></video>"
              "<object data=\"" + server.Address("object") + "\"></object>"
              "<a href=\"" + server.Address("ping") + "\" ping=\"" + server.Address("ping") + "\">a</a>",
              "<link rel=\"stylesheet\" href=\"" + server.Address("style.css") + "\">"
              "<link rel=\"preconnect\" href=\"" + server.Address("") + "\">"
              "<link rel=\"prefetch\" href=\"" + server.Address("next.html") + "\">"
              "<link rel=\"icon\" href=\"" + server.Address("favicon.ico") + "\">"
              "<style>@font-face { font-family: F; src: url(" + server.Address("font.woff") +
              "); } p { font-family: F; }</style>"));
    QTest::qWait(1000);
    QCOMPARE(server.connections, 0);
    QVERIFY(Body().contains("<p>text</p>"));
  }

  void RefreshesAndRedirectsGoNowhere() {
    CountingServer server;
    const QString beside = Page("beside.html", "beside");
    const QString web = Page("refresh-web.html", "<p>stays</p>",
                             "<meta http-equiv=\"refresh\" content=\"0; url=" +
                                 server.Address("away") + "\">");
    Open(web);
    QTest::qWait(1200);
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(web).toString());
    QVERIFY(Body().contains("stays"));
    QCOMPARE(server.connections, 0);
    QVERIFY(opened_.empty());

    // Not even to a file beside it.
    const QString local = Page("refresh-local.html", "<p>stays</p>",
                               "<meta http-equiv=\"refresh\" content=\"0; url=beside.html\">");
    Open(local);
    QTest::qWait(1200);
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(local).toString());
    Q_UNUSED(beside);
  }

  void ANoteLinkReportsItsNoteAndStays() {
    QSignalSpy notes(browser_.get(), &WebBrowser::NoteLinkClicked);
    const HtmlTemplates t;
    const QString note = ToQt("It&rsquo;s a <b>note</b><br>with &quot;quotes&quot;");
    const QString page = Page("note.html", ToQt(t.scriptCode1) + note + ToQt(t.scriptCode2) +
                                               "noted" + ToQt(t.scriptCode3));
    // The link laid over the corner: the template's opening tag with the
    // position style added.
    Write("note.html", ReadFileText(page)
                           .replace("<A style=\"", "<A style=\"position:fixed;left:0;top:0;"
                                                   "width:300px;height:80px;display:block;")
                           .toUtf8());
    Open(page);
    ClickCorner();
    QTRY_COMPARE(notes.count(), 1);
    QCOMPARE(notes.first().first().toString(),
             QString::fromUtf8("It’s a <b>note</b><br>with \"quotes\""));
    QTest::qWait(200);
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(page).toString());
    QVERIFY(Body().contains("noted"));

    // An older form: the script in onclick behind an ordinary address.
    Open(Page("onclick.html",
              CornerLink("href=\"#\" onclick=\"w = window.open('', 'N');"
                         "w.document.write('<body>old note</body>'); return false;\"")));
    ClickCorner();
    QTRY_COMPARE(notes.count(), 2);
    QCOMPARE(notes.last().first().toString(), QString("old note"));

    // A script address that writes no note does nothing.
    Open(Page("void.html", CornerLink("href=\"javascript:void(0)\"")));
    ClickCorner();
    QTest::qWait(300);
    QCOMPARE(notes.count(), 2);
  }

  void AClickedWebLinkGoesToTheDesktopAndThePageStays() {
    CountingServer server;
    const QString page = Page("web.html", CornerLink("href=\"" + server.Address("site") + "\""));
    Open(page);
    ClickCorner();
    QTRY_COMPARE(opened_.size(), std::size_t{1});
    QCOMPARE(opened_.front(), QUrl(server.Address("site")));
    QTest::qWait(300);
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(page).toString());
    QCOMPARE(server.connections, 0);

    // The same for a link that asks for a window of its own, and for mail.
    Open(Page("blank.html", CornerLink("target=\"_blank\" href=\"https://example.org/b\"")));
    ClickCorner();
    QTRY_COMPARE(opened_.size(), std::size_t{2});
    QCOMPARE(opened_.back(), QUrl("https://example.org/b"));
    Open(Page("mail.html", CornerLink("href=\"mailto:author@example.org\"")));
    ClickCorner();
    QTRY_COMPARE(opened_.size(), std::size_t{3});
    QCOMPARE(opened_.back(), QUrl("mailto:author@example.org"));

    // Other addresses go nowhere, and neither does a form.
    const QString ftp = Page("ftp.html", CornerLink("href=\"ftp://example.org/file\""));
    Open(ftp);
    ClickCorner();
    QTest::qWait(500);
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(ftp).toString());
    const QString form = Page("form.html",
                              "<form action=\"" + server.Address("form") + "\">"
                              "<input type=\"submit\" value=\"go\" style=\"position:fixed;left:0;"
                              "top:0;width:300px;height:80px\"></form>");
    Open(form);
    ClickCorner();
    QTest::qWait(500);
    QCOMPARE(opened_.size(), std::size_t{3});
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(form).toString());
    QCOMPARE(server.connections, 0);
  }

  void AClickedLinkToAFileBesideTheDocumentIsFollowed() {
    const QString chapter = Page("book/chapter2.html", "<p>chapter two</p>");
    Page("secret.html", "<p>outside</p>");
    const QString page = Page("book/chapter1.html", CornerLink("href=\"chapter2.html\""));
    Open(page);
    ClickCorner();
    QTRY_COMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(chapter).toString());
    QVERIFY(browser_->WaitUntilReady());
    QVERIFY(Body().contains("chapter two"));

    // A link out of the document's folder is not followed.
    const QString out = Page("book/out.html", CornerLink("href=\"../secret.html\""));
    Open(out);
    ClickCorner();
    QTest::qWait(500);
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(out).toString());
  }

  void OnlyFilesOfTheFolderAndInlineDataMayBeLoaded() {
    Write("book/pic.png", kPicture);
    Write("book/sub/pic.png", kPicture);
    Write("bookshelf/pic.png", kPicture);
    Write("outside.png", kPicture);
    const QString folder = ReadableFolderOf(QUrl::fromLocalFile(dir_.filePath("book/b.html")));
    QCOMPARE(folder, QFileInfo(dir_.filePath("book")).canonicalFilePath());
    auto file = [&](const QString& name) { return QUrl::fromLocalFile(dir_.filePath(name)); };
    QVERIFY(MayLoad(file("book/pic.png"), folder));
    QVERIFY(MayLoad(file("book/sub/pic.png"), folder));
    QVERIFY(MayLoad(file("book"), folder));
    QVERIFY(MayLoad(QUrl("data:image/png;base64,AAAA"), folder));
    QVERIFY(MayLoad(QUrl("about:blank"), QString()));
    // A folder whose name begins with the document's is another folder.
    QVERIFY(!MayLoad(file("bookshelf/pic.png"), folder));
    QVERIFY(!MayLoad(file("outside.png"), folder));
    QVERIFY(!MayLoad(QUrl::fromLocalFile(folder + "/../outside.png"), folder));
    QVERIFY(!MayLoad(file("book/missing.png"), folder));
    QVERIFY(!MayLoad(file("book/pic.png"), QString()));
    QVERIFY(!MayLoad(QUrl("file://server" + folder + "/pic.png"), folder));
    for (const char* address : {"http://127.0.0.1/pic.png", "https://example.org/", "ftp://x/",
                                "qrc:/icon.png", "blob:file:///x", "filesystem:file:///x"})
      QVERIFY2(!MayLoad(QUrl(address), folder), address);
    QCOMPARE(ReadableFolderOf(QUrl("about:blank")), QString());
  }

  void TheNoteWindowShowsTheMarkupAndLoadsNothing() {
    const QString picture = Write("note-pic.png", kPicture);
    TCommentWnd window;
    window.ShowNote("<b>bold</b> words<img src=\"" + QUrl::fromLocalFile(picture).toString() +
                    "\"><img src=\"note-pic.png\"> <a href=\"https://example.org/n\">site</a>");
    QVERIFY(window.isVisible());
    auto* view = window.findChild<QTextBrowser*>();
    QCOMPARE(view->toPlainText().left(10), QString("bold words"));
    QVERIFY(view->toHtml().contains("font-weight"));
    // The pictures stay unloaded, also through the document's own fallback.
    QVERIFY(view->document()->resource(QTextDocument::ImageResource, QUrl::fromLocalFile(picture)).isNull());
    QVERIFY(view->document()->resource(QTextDocument::ImageResource, QUrl("note-pic.png")).isNull());
    // A web link in the note goes to the desktop when clicked.
    emit view->anchorClicked(QUrl("https://example.org/n"));
    QCOMPARE(opened_.size(), std::size_t{1});
    emit view->anchorClicked(QUrl("file:///etc/passwd"));
    QCOMPARE(opened_.size(), std::size_t{1});
    // The next note replaces the last one.
    window.ShowNote("second");
    QCOMPARE(window.NoteText(), QString("second"));
  }

 private:
  QString ReadFileText(const QString& path) { return QString::fromUtf8(test::ReadFile(path)); }
};

}  // namespace norvella

QTEST_MAIN(norvella::BookPageTest)
#include "book_page_test.moc"
