// The editors in the real window: the advanced mode with the source and
// HTML editors in use, a person marking up the source with the toolbar,
// correcting the produced HTML and seeing the preview follow.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "gui/common/qt_text.h"
#include "gui/editor/browser_find_bar.h"
#include "gui/editor/editor_commands.h"
#include "gui/editor/editor_controller.h"
#include "gui/editor/editor_widgets.h"
#include "gui/ui/main_window.h"
#include "gui/ui/web_browser.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {

class EditorWindowTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

 private:
  QTemporaryDir dir_;
  test::MemoryStore store_;

  std::unique_ptr<TMain> AdvancedWindow() {
    store_.Set("Asked about title", "1");
    store_.Set("Ask about title", "0");
    store_.Set("Confirm table of content", "0");
    store_.Set("Interface mode", "1");
    store_.Set("Use Source editor", "1");
    store_.Set("Show HTML", "1");
    store_.Set("KillLinks", "0");
    auto window = std::make_unique<TMain>(std::make_unique<ConverterController>(store_), QString());
    window->resize(1000, 700);
    window->show();
    return window;
  }

  QString Book() {
    const QString path = dir_.filePath("book.txt");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
      file.write("Chapter One\r\n\r\nIt was a quiet evening in the old town.\r\n"
                 "Nobody expected the letter.\r\n");
    return path;
  }

  static QTabWidget& Tabs(TMain& window) { return *window.findChild<QTabWidget*>("PageControl1"); }
  static SourceEditor& Source(TMain& window) { return *window.findChild<SourceEditor*>("SrcText"); }
  static HtmlEditor& Html(TMain& window) { return *window.findChild<HtmlEditor*>("HTMText"); }

  static void SelectInSource(TMain& window, const QString& text) {
    SourceEditor& source = Source(window);
    const int at = static_cast<int>(source.toPlainText().indexOf(text));
    QVERIFY(at >= 0);
    QTextCursor cursor(source.document());
    cursor.setPosition(at);
    cursor.setPosition(at + static_cast<int>(text.size()), QTextCursor::KeepAnchor);
    source.setTextCursor(cursor);
  }

  static QString PreviewBody(TMain& window) {
    WebBrowser* browser = window.ActiveBrowser();
    if (!browser->WaitUntilReady()) return {};
    const auto body = browser->BodyHtml();
    return body ? *body : QString();
  }

 private slots:
  void MarkingUpTheSourceAndCorrectingTheHtml() {
    auto window = AdvancedWindow();
    QCOMPARE(window->InterfaceMode(), kAdvancedMode);
    QVERIFY(Tabs(*window).isTabVisible(1) && Tabs(*window).isTabVisible(2));
    window->SetSourceFileName(Book());
    window->LoadSrc(TMain::kLoadNamedFile);
    QVERIFY(Source(*window).toPlainText().startsWith("Chapter One\n"));

    // The person makes the first line a header and a phrase italic.
    Tabs(*window).setCurrentIndex(2);
    SelectInSource(*window, "Chapter One\n");
    window->Control("ToolButton25")->trigger();
    SelectInSource(*window, "quiet");
    window->Control("ItalicBtn")->trigger();
    QVERIFY(Source(*window).toPlainText().contains("<h1>Chapter One</h1>"));
    QVERIFY(Source(*window).toPlainText().contains("<i>quiet</i>"));
    QVERIFY(!window->controller().Converted());
    QCOMPARE(window->Control("UndoBtn")->toolTip(), QString("Undo "));
    QVERIFY(window->Control("UndoBtn")->isEnabled());

    // The Preview converts what the editor holds, and the HTML tab shows it.
    Tabs(*window).setCurrentIndex(0);
    QTRY_VERIFY(PreviewBody(*window).contains("<i>quiet</i>"));
    QVERIFY(window->controller().Converted());
    const QString produced = Html(*window).toPlainText();
    QVERIFY(produced.contains("<h1"));
    QVERIFY(produced.contains("Chapter One"));

    // A correction in the HTML tab is what the Preview shows next.
    Tabs(*window).setCurrentIndex(1);
    const QString html = Html(*window).toPlainText();
    QTextCursor cursor(Html(*window).document());
    cursor.setPosition(static_cast<int>(html.indexOf("Nobody")));
    Html(*window).setTextCursor(cursor);
    Html(*window).setFocus();
    QTest::keyClicks(&Html(*window), "Truly, ");
    QCOMPARE(window->Control("htmUndo")->toolTip(), QString("Undo typing"));
    Tabs(*window).setCurrentIndex(0);
    QTRY_VERIFY(PreviewBody(*window).contains("Truly, Nobody"));

    // The saved document is the corrected one.
    const QString saved = dir_.filePath("saved.html");
    window->SetSaveFileName(saved);
    QVERIFY(window->SaveHTML(false));
    QVERIFY(test::ReadFile(saved).contains("Truly, Nobody"));

    // A source edit makes the result out of date again.
    Tabs(*window).setCurrentIndex(2);
    Source(*window).setFocus();
    QTest::keyClicks(&Source(*window), "x");
    QVERIFY(!window->controller().Converted());
    QCOMPARE(window->Control("UndoBtn")->toolTip(), QString("Undo typing"));
  }

  void AnEndNoteReachesThePreview() {
    auto window = AdvancedWindow();
    window->SetSourceFileName(Book());
    window->LoadSrc(TMain::kLoadNamedFile);
    Tabs(*window).setCurrentIndex(2);
    SelectInSource(*window, "the letter");
    test::ModalAnswerer answerer([](QWidget* dialog) {
      if (auto* body = dialog->findChild<QPlainTextEdit*>("body")) body->setPlainText("Written in May.");
      test::ModalAnswerer::Click(dialog, "ok");
    });
    window->Control("ToolButton71")->trigger();
    QCOMPARE(answerer.seen, QStringList{"Insert comment"});
    QVERIFY(Source(*window).textCursor().selectedText().startsWith("<a href=\"#"));
    QVERIFY(Source(*window).toPlainText().contains("Written in May.</a> <a href="));
    Tabs(*window).setCurrentIndex(0);
    QTRY_VERIFY(PreviewBody(*window).contains("Written in May."));
    // The conversion writes tags in lower case, the anchor's id too.
    QVERIFY(PreviewBody(*window).contains("NorvellaEndlink", Qt::CaseInsensitive));
  }

  void FindSelectedTextInSourceSwitchesToTheSource() {
    auto window = AdvancedWindow();
    window->SetSourceFileName(Book());
    window->LoadSrc(TMain::kLoadNamedFile);
    Tabs(*window).setCurrentIndex(0);
    QTRY_VERIFY(PreviewBody(*window).contains("letter"));
    QVERIFY(window->Control("FindSelectedBtn")->isEnabled());
    // A selection in the page, as a person would make it with the mouse.
    auto* view = window->ActiveBrowser()->findChild<QWebEngineView*>();
    QVERIFY(view != nullptr);
    view->page()->runJavaScript(
        "(function(){var w=document.createTreeWalker(document.body,NodeFilter.SHOW_TEXT);"
        "while(w.nextNode()){var n=w.currentNode,i=n.data.indexOf('quiet evening');"
        "if(i>=0){var r=document.createRange();r.setStart(n,i);r.setEnd(n,i+13);"
        "var s=window.getSelection();s.removeAllRanges();s.addRange(r);return;}}})()",
        QWebEngineScript::ApplicationWorld);
    QTRY_COMPARE(window->ActiveBrowser()->SelectionText(), QString("quiet evening"));
    window->Control("FindSelectedBtn")->trigger();
    QCOMPARE(Tabs(*window).currentIndex(), 2);
    QCOMPARE(Source(*window).textCursor().selectedText(), QString("quiet evening"));

    // The browser's own find bar.
    Tabs(*window).setCurrentIndex(0);
    window->Control("ToolButton63")->trigger();
    BrowserFindBar* bar = window->FindBar();
    QVERIFY(bar->isVisible());
    bar->field()->setText("letter");
    QVERIFY(bar->FindNext());
    bar->field()->setText("no such words");
    QVERIFY(!bar->FindNext());
  }

  void EditorFontsFollowTheirOptions() {
    auto window = AdvancedWindow();
    SetEditorFont(window->options(), EditorPane::Source, {"DejaVu Sans Mono", 16});
    QCOMPARE(Source(*window).font().pointSize(), 16);
    SetEditorWordWrap(window->options(), EditorPane::Html, true);
    QCOMPARE(Html(*window).lineWrapMode(), QPlainTextEdit::WidgetWidth);
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::EditorWindowTest)
#include "editor_window_test.moc"
