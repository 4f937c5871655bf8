#include "gui/ui/web_browser.h"

#include <memory>

#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

namespace norvella {

class WebBrowserTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

 private:
  QTemporaryDir dir_;
  std::unique_ptr<WebBrowser> browser_;

  QString Write(const QString& name, const QByteArray& html) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
    file.write(html);
    return path;
  }

  void Open(const QString& path) {
    browser_->Navigate(path);
    QVERIFY(browser_->WaitUntilReady());
  }

  std::optional<QVariant> Run(const QString& script) { return browser_->RunScript(script); }
  QWebEngineView* View() { return browser_->view_; }

 private slots:
  void init() {
    browser_ = std::make_unique<WebBrowser>();
    browser_->resize(500, 300);
    browser_->show();
  }
  void cleanup() { browser_.reset(); }

  void NavigatesToFilesAndReportsLocationAndState() {
    QSignalSpy complete(browser_.get(), &WebBrowser::DocumentComplete);
    const QString titled = Write("titled.html", "<html><head><title>Shinel</title></head><body>x</body></html>");
    Open(titled);
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(titled).toString());
    QCOMPARE(browser_->LocationName(), QString("Shinel"));
    QCOMPARE(browser_->ReadyState(), QString("complete"));
    QVERIFY(!browser_->IsLoading());
    QCOMPARE(complete.count(), 1);
    QCOMPARE(complete.first().first().toBool(), true);

    // Without a title the name is the file's. The address of a path with
    // spaces and Cyrillic letters leads another browser to the same page.
    const QString untitled = Write(QString::fromUtf8("Шинель no title.html"), "<html><body>y</body></html>");
    Open(untitled);
    QCOMPARE(browser_->LocationName(), QString::fromUtf8("Шинель no title.html"));
    WebBrowser other;
    other.Navigate(browser_->LocationUrl());
    QVERIFY(other.WaitUntilReady());
    QCOMPARE(other.LocationUrl(), QUrl::fromLocalFile(untitled).toString());
    QCOMPARE(*other.BodyHtml(), QString("<body>y</body>"));

    Open("about:blank");
    QCOMPARE(browser_->LocationUrl(), QString("about:blank"));
  }

  void NothingIsShownBeforeTheFirstNavigation() {
    QCOMPARE(browser_->LocationUrl(), QString());
    QVERIFY(!browser_->CanGoBack());
    QVERIFY(!browser_->CanGoForward());
    QVERIFY(!browser_->GoBack());
    QVERIFY(!browser_->GoForward());
  }

  void BackAndForwardFollowTheHistory() {
    QSignalSpy state(browser_.get(), &WebBrowser::CommandStateChanged);
    const QString first = Write("first.html", "<html><body>one</body></html>");
    const QString second = Write("second.html", "<html><body>two</body></html>");
    Open(first);
    QVERIFY(!browser_->CanGoBack());
    Open(second);
    QTRY_VERIFY(browser_->CanGoBack());
    QVERIFY(!browser_->CanGoForward());
    QVERIFY(!state.isEmpty());
    QCOMPARE(state.last().at(0).toBool(), true);
    QCOMPARE(state.last().at(1).toBool(), false);

    QVERIFY(browser_->GoBack());
    QVERIFY(browser_->WaitUntilReady());
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(first).toString());
    QTRY_VERIFY(browser_->CanGoForward());
    QCOMPARE(state.last().at(0).toBool(), false);
    QCOMPARE(state.last().at(1).toBool(), true);

    QVERIFY(browser_->GoForward());
    QVERIFY(browser_->WaitUntilReady());
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(second).toString());
    QTRY_VERIFY(!browser_->CanGoForward());
    QVERIFY(!browser_->GoForward());
  }

  void RefreshReadsTheFileAgain() {
    const QString path = Write("page.html", "<html><body>old text</body></html>");
    Open(path);
    Write("page.html", "<html><body>new text</body></html>");
    browser_->Refresh();
    QVERIFY(browser_->IsLoading());
    QVERIFY(browser_->WaitUntilReady());
    QVERIFY(browser_->BodyHtml()->contains("new text"));
  }

  // The column's style is put in when the root element appears, ahead of
  // everything the parser reads, so the page is never painted without it.
  void TheReadingColumnComesBeforeAnythingOfTheDocument() {
    for (const char* page : {"<html><head><title>t</title></head><body><p>text</p></body></html>",
                             "<p>no html, head or body tags</p>"}) {
      Open(Write("column.html", page));
      QCOMPARE(Run("document.documentElement.firstChild.id")->toString(), QString("norvella-reading-column"));
      QCOMPARE(Run("getComputedStyle(document.body).lineHeight !== 'normal'")->toBool(), true);
      QCOMPARE(Run("document.querySelectorAll('#norvella-reading-column').length")->toInt(), 1);
    }
  }

  void BodySerialisationKeepsCommentsAndInlineStyle() {
    Open(Write("c.html",
               "<html><body style=\"color: red\"><p>text</p><!-- position 12345 --></body></html>"));
    const auto body = browser_->BodyHtml();
    QVERIFY(body.has_value());
    QVERIFY(body->startsWith("<body"));
    QVERIFY(body->endsWith("</body>"));
    QVERIFY(body->contains("<!-- position 12345 -->"));
    // The program's own reading column is not part of the document.
    QVERIFY(!body->contains("norvella"));
    QCOMPARE(Run("document.getElementById('norvella-reading-column') !== null")->toBool(), true);

    QCOMPARE(*browser_->BodyStyle(), QString("color: red;"));
    QVERIFY(browser_->SetBodyStyle("background-color: yellow; font-size: 20px;"));
    QCOMPARE(*browser_->BodyStyle(), QString("background-color: yellow; font-size: 20px;"));
    QVERIFY(browser_->BodyHtml()->contains("background-color: yellow"));
    // Quotes inside the style text reach the page unharmed.
    QVERIFY(browser_->SetBodyStyle("font-family: \"Times New Roman\";"));
    QVERIFY(browser_->BodyStyle()->contains("\"Times New Roman\""));
  }

  void ABodyFromAnotherPageReplacesThisOneAndChangesAreTold() {
    Open(Write("carry.html", "<html><head><title>t</title></head><body><p>before</p></body></html>"));
    QCOMPARE(browser_->BodyChanged(), WebBrowser::BodyChange::Unknown);  // not watched
    browser_->WatchBody();
    QCOMPARE(browser_->BodyChanged(), WebBrowser::BodyChange::None);
    QVERIFY(browser_->ScrollTo(0, 10));  // scrolling changes nothing
    QCOMPARE(browser_->BodyChanged(), WebBrowser::BodyChange::None);
    QVERIFY(browser_->SetBodyStyleProperties({{"color", "Yellow"}, {"fontFamily", "Verdana"}}));
    QCOMPARE(browser_->BodyChanged(), WebBrowser::BodyChange::StyleOnly);
    QVERIFY(browser_->SelectText("before"));
    QVERIFY(browser_->PasteHtml("<a name=\"5\">before</a>"));
    QCOMPARE(browser_->BodyChanged(), WebBrowser::BodyChange::Content);

    // The serialised body of another page comes in whole: its attributes,
    // comments and markup, and nothing in it runs.
    browser_->WatchBody();
    const QString carried =
        "<body style=\"color: lime; background-color: black;\"><p>after</p><!-- Marn's Norvella bookmarks -->"
        "<img src=\"x\" onerror=\"document.title='ran'\"><script>document.title='ran'</script></body>";
    QVERIFY(browser_->ReplaceBody(carried));
    QCOMPARE(browser_->BodyStyle().value_or(""), QString("color: lime; background-color: black;"));
    const QString body = browser_->BodyHtml().value_or("");
    QVERIFY(body.contains("<p>after</p><!-- Marn's Norvella bookmarks -->"));
    QVERIFY(!body.contains("before"));
    QTest::qWait(100);
    QCOMPARE(Run("document.title")->toString(), QString("t"));
    // A new body is a change the watch of the old one must not miss.
    QCOMPARE(browser_->BodyChanged(), WebBrowser::BodyChange::Content);
    Open(Write("other.html", "<html><body>o</body></html>"));
    QCOMPARE(browser_->BodyChanged(), WebBrowser::BodyChange::Unknown);
  }

  void OnlyWhatChangedInABodyGoesToAPageOfTheSameBody() {
    QByteArray html = "<html><head><title>t</title></head><body>Opening words\n";
    for (int i = 0; i < 40; ++i) html += "<div>line " + QByteArray::number(i) + "</div>\n";
    html += "<!-- a comment -->closing words &amp; more</body></html>";
    const QString path = Write("edits.html", html);
    Open(path);
    WebBrowser to;
    to.resize(500, 300);
    to.show();
    to.Navigate(path);
    QVERIFY(to.WaitUntilReady());
    QCOMPARE(browser_->BodyEdits(), std::nullopt);  // not watched

    // In the page: a bookmark in one line, a line gone, a new paragraph
    // between two lines, words changed at the body's own level, a style.
    browser_->WatchBody();
    QVERIFY(browser_->SelectText("line 10"));
    QVERIFY(browser_->PasteHtml("<a name=\"b1\">line 10</a>"));
    Run("var d = document.querySelectorAll('div');"
        "d[20].remove();"
        "var p = document.createElement('p'); p.textContent = 'new <one>'; d[30].after(p);"
        "var q = document.createElement('p'); q.innerHTML = '<img src=\"x\" onerror=\"document.title=1\">';"
        "d[35].after(q);"
        "document.body.firstChild.data = 'Opening\u00A0words changed';");
    QVERIFY(browser_->SetBodyStyleProperties({{"color", "Yellow"}}));
    const auto edits = browser_->BodyEdits();
    QVERIFY(edits.has_value());
    QVERIFY(!edits->contains("line 5<"));  // kept lines go by number

    // The other page takes them; its untouched lines are the same nodes.
    to.RunScript("document.querySelectorAll('div')[5].norvellaMark = 'same';");
    QVERIFY(to.ApplyBodyEdits(*edits));
    QCOMPARE(to.BodyHtml(), browser_->BodyHtml());
    QCOMPARE(to.RunScript("document.querySelectorAll('div')[5].norvellaMark")->toString(), QString("same"));
    QTest::qWait(100);
    QCOMPARE(to.RunScript("document.title")->toString(), QString("t"));  // nothing that came in ran

    // A body that is not the one the edits start from stays as it is.
    to.Navigate(Write("other.html", "<html><body><div>line 0</div></body></html>"));
    QVERIFY(to.WaitUntilReady());
    QVERIFY(!to.ApplyBodyEdits(*edits));
    QCOMPARE(to.BodyHtml().value_or(""), QString("<body><div>line 0</div></body>"));
  }

  void ScrollsTheDocument() {
    QByteArray html = "<html><body>";
    for (int i = 0; i < 400; ++i) html += "<div>line " + QByteArray::number(i) + "</div>";
    html += "</body></html>";
    Open(Write("long.html", html));
    const auto height = browser_->ScrollHeight();
    QVERIFY(height.has_value());
    QVERIFY(*height > 2000);
    QCOMPARE(*browser_->ScrollTop(), 0);
    QVERIFY(browser_->ScrollTo(0, 500));
    QTRY_COMPARE(*browser_->ScrollTop(), 500);
    QVERIFY(browser_->ScrollBy(0, 25));
    QTRY_COMPARE(*browser_->ScrollTop(), 525);
    // Scrolling past the end stops at the end.
    QVERIFY(browser_->ScrollTo(0, *height * 2));
    QTRY_VERIFY(*browser_->ScrollTop() < *height);
    QVERIFY(*browser_->ScrollTop() > 500);
  }

  void ReadsAndReplacesTheSelection() {
    Open(Write("s.html", "<html><body><p id=\"p\">Akaky <b>Akakievich</b> wrote</p></body></html>"));
    QCOMPARE(browser_->SelectionText(), QString());
    QVERIFY(!browser_->PasteHtml("<i>x</i>"));

    Run("var r = document.createRange(); r.selectNodeContents(document.getElementById('p'));"
        "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r);");
    QCOMPARE(browser_->SelectionText(), QString("Akaky Akakievich wrote"));
    QCOMPARE(browser_->SelectionHtml(), QString("Akaky <b>Akakievich</b> wrote"));

    QVERIFY(browser_->PasteHtml("<a name=\"b1\">note's \"quoted\"</a>"));
    const QString body = *browser_->BodyHtml();
    QVERIFY(body.contains("<a name=\"b1\">note's \"quoted\"</a>"));
    QVERIFY(!body.contains("Akakievich"));
    // The caret sits after the pasted markup: nothing stays selected.
    QCOMPARE(browser_->SelectionText(), QString());
  }

  void ZoomLevelsAreClamped() {
    QCOMPARE(browser_->ZoomLevel(), WebBrowser::kDefaultZoomLevel);
    browser_->SetZoomLevel(4);
    QCOMPARE(browser_->ZoomLevel(), 4);
    const double largest = View()->zoomFactor();
    browser_->SetZoomLevel(0);
    QVERIFY(View()->zoomFactor() < 1.0);
    browser_->SetZoomLevel(-3);
    QCOMPARE(browser_->ZoomLevel(), 0);
    browser_->SetZoomLevel(17);
    QCOMPARE(browser_->ZoomLevel(), 4);
    QCOMPARE(View()->zoomFactor(), largest);
    browser_->SetZoomLevel(2);
    QCOMPARE(View()->zoomFactor(), 1.0);
  }

  void FindsText() {
    Open(Write("f.html", "<html><body><p>The overcoat was new.</p><p>Overcoat again.</p></body></html>"));
    QVERIFY(browser_->Find("overcoat"));
    QVERIFY(browser_->Find("overcoat", true));
    QVERIFY(!browser_->Find("Overcoat was", false, true));
    QVERIFY(!browser_->Find("petersburg"));
    QVERIFY(!browser_->Find(QString()));
  }

  void WaitsEndAtTheirTimeOut() {
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!WebBrowser::WaitFor([] { return false; }, 150));
    QVERIFY(clock.elapsed() >= 150);
    QVERIFY(clock.elapsed() < 3000);

    // Right after a navigation the page cannot be ready yet.
    browser_->Navigate(Write("w.html", "<html><body>w</body></html>"));
    QVERIFY(browser_->IsLoading());
    QVERIFY(!browser_->WaitUntilReady(0));
    QVERIFY(browser_->WaitUntilReady());
  }

  void ANavigationThatReplacesALoadingOneIsWaitedFor() {
    const QString first = Write("slow.html", "<html><body>" + QByteArray(200000, 'a') + "</body></html>");
    const QString second = Write("fast.html", "<html><body>second</body></html>");
    for (int round = 0; round < 6; ++round) {
      // Hidden or shown, as the two browsers of the window are.
      browser_->setVisible(round % 2 == 0);
      browser_->Navigate("about:blank");
      browser_->Navigate("about:blank");
      if (round >= 4) QTest::qWait(round * 5);
      browser_->Navigate(first);
      browser_->Navigate(second);
      QVERIFY(browser_->WaitUntilReady(10000));
      QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(second).toString());
      QCOMPARE(*browser_->BodyHtml(), QString("<body>second</body>"));
    }
  }

  void TimersKeepRunningDuringAWait() {
    Open("about:blank");
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    WebBrowser::WaitFor([&] { return ticks >= 3; }, 2000);
    QVERIFY(ticks >= 3);
  }

  void ABrowserDeletedDuringAWaitGivesNoAnswer() {
    Open("about:blank");
    WebBrowser* browser = browser_.release();
    QTimer::singleShot(0, [browser] { delete browser; });
    // The deletion runs inside the wait; the answer is dropped safely.
    QCOMPARE(browser->ReadyState(), QString());
  }

  void DroppedFilesAreReportedAndNotOpened() {
    const QString page = Write("d.html", "<html><body>d</body></html>");
    Open(page);
    QSignalSpy dropped(browser_.get(), &WebBrowser::FilesDropped);
    QWidget* target = View()->focusProxy() != nullptr ? View()->focusProxy() : View();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a.txt"), QUrl::fromLocalFile("/tmp/b.txt")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCOMPARE(dropped.count(), 1);
    QCOMPARE(dropped.first().first().value<QList<QUrl>>().size(), 2);
    QTest::qWait(100);
    QCOMPARE(browser_->LocationUrl(), QUrl::fromLocalFile(page).toString());
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::WebBrowserTest)
#include "web_browser_test.moc"
