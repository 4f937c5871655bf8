// The reader: its controller against a page of the test's own, and the main
// window's reader against real pages of a converted book.

#include <sstream>

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include "cli/book_command.h"
#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/reader/book_info.h"
#include "core/settings/options.h"
#include "gui/common/qt_text.h"
#include "gui/reader/reader_controller.h"
#include "gui/reader/reader_page.h"
#include "gui/ui/main_window.h"
#include "gui/ui/status_panels.h"
#include "gui/ui/web_browser.h"
#include "tests/gui/fake_reader_page.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {

using namespace norvella::test;

namespace {

using FakePage = FakeReaderPage;

// Answers as the test says and counts what was asked.
class ScriptedQuestions final : public ReaderQuestions {
 public:
  SaveAnswer save = SaveAnswer::Yes;
  bool goToPosition = true, neverAsk = false;
  NotConvertedAnswer notConverted = NotConvertedAnswer::Read;
  std::optional<std::vector<std::string>> note;
  std::optional<std::string> name;
  std::string proposedName;
  std::optional<std::vector<Bookmark>> managed;  // nothing: cancel
  int saveQuestions = 0, positionQuestions = 0, notConvertedQuestions = 0, selectText = 0, beeps = 0;
  std::vector<std::string> errors;

  SaveAnswer AskSaveChanges() override {
    ++saveQuestions;
    return save;
  }
  bool AskGoToPosition(bool& never) override {
    ++positionQuestions;
    never = neverAsk;
    return goToPosition;
  }
  NotConvertedAnswer AskNotConverted(bool& never) override {
    ++notConvertedQuestions;
    never = neverAsk;
    return notConverted;
  }
  std::optional<std::vector<std::string>> AskNote() override { return note; }
  std::optional<std::string> AskBookmarkName(const std::string& proposed) override {
    proposedName = proposed;
    return name;
  }
  bool ManageBookmarks(std::vector<Bookmark>& list) override {
    if (!managed) return false;
    list = *managed;
    return true;
  }
  void ShowError(const Error& error) override { errors.push_back(error.message + error.reason); }
  void ShowSelectText() override { ++selectText; }
  void Beep() override { ++beeps; }
  void ShowTask(const std::string&) override {}
  void SetBusy(bool) override {}
};

const char kProducedHead[] =
    "<html><head><meta name=\"Generator\" content=\"Norvella\"><meta http-equiv=\"Content-Type\" "
    "content=\"text/html; charset=windows-1251\"><title>T</title></head>";

}  // namespace

class ReaderTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

 private:
  QTemporaryDir dir_;
  Options options_;
  StringTable strings_;
  HtmlTemplates templates_;
  MemoryStore store_;

  QString WriteDoc(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    WriteFile(path, bytes);
    return path;
  }
  static QByteArray Produced(const QByteArray& body) {
    return QByteArray(kProducedHead) + "<body>" + body + "</body></html>\r\n";
  }

  std::unique_ptr<TMain> Window() {
    auto window = std::make_unique<TMain>(std::make_unique<ConverterController>(store_), QString());
    window->show();
    return window;
  }

  // A corpus book converted and saved as a document, as "Save & Read!" leaves it.
  QString ConvertedBook(TMain& window) {
    const QString source = dir_.filePath("shinel.txt");
    if (!QFile::exists(source)) QFile::copy(NORVELLA_SAMPLES_DIR "/shinel.txt", source);
    window.SetSourceFileName(source);
    window.LoadSrc(TMain::kLoadNamedFile);
    const QString saved = dir_.filePath("shinel.html");
    window.SetSaveFileName(saved);
    if (!window.SaveHTML(false)) return {};
    return saved;
  }

  static BookInfo Info(const QString& path) { return ReadBookInfo(ReadFile(path).toStdString()); }

 private slots:
  void init() {
    options_ = Options();
    store_ = MemoryStore();
    store_.Set("Ask about title", "0");
    store_.Set("Confirm table of content", "0");
  }

  // ------------------------------------------------------------ controller

  void ThePositionQuestionDecidesWhereADocumentOpens_data() {
    QTest::addColumn<bool>("go");
    QTest::addColumn<bool>("never");
    QTest::addColumn<int>("behaviour");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("scrolledTo");
    QTest::newRow("go") << true << false << 0 << 1 << 500;
    QTest::newRow("skip") << false << false << 0 << 1 << -1;
    QTest::newRow("skip, never ask ticked") << false << true << 0 << 1 << -1;
    QTest::newRow("go, never ask again") << true << true << 1 << 1 << 500;
    QTest::newRow("never asked") << true << false << -1 << 0 << 500;
  }
  void ThePositionQuestionDecidesWhereADocumentOpens() {
    QFETCH(bool, go);
    QFETCH(bool, never);
    QFETCH(int, behaviour);
    QFETCH(int, questions);
    QFETCH(int, scrolledTo);
    if (behaviour < 0) options_.SetNumber(Opt::AutobookmarksBehavior, 1);
    ScriptedQuestions q;
    q.goToPosition = go;
    q.neverAsk = never;
    FakePage page;
    ReaderController reader(options_, strings_, templates_, q);
    reader.SetPage(&page);
    // Saved at the middle of a page; shown now on one twice as high.
    const QString path = WriteDoc("pos.html", Produced("x<!-- Marn's Norvella position=\"1073741824\" -->"));
    page.height = 1000;
    QCOMPARE(reader.OpenForReading(PathBytes(path)), ReaderController::Opened::Shown);
    QCOMPARE(page.navigated, path);
    QCOMPARE(q.positionQuestions, questions);
    QCOMPARE(page.scrolledTo, scrolledTo < 0 ? QList<int>{} : QList<int>{scrolledTo});
    if (behaviour >= 0) QCOMPARE(options_.Number(Opt::AutobookmarksBehavior), behaviour);
    QVERIFY(reader.DocSaved());

    // The start-up reopening asks nothing and leaves the page alone; its
    // stored offset is applied later, unless it is near the top.
    ScriptedQuestions quiet;
    FakePage second;
    ReaderController startup(options_, strings_, templates_, quiet);
    startup.SetPage(&second);
    startup.SetPositionRestoreEnabled(false);
    startup.SetScrollY(99);
    QCOMPARE(startup.OpenForReading(PathBytes(path)), ReaderController::Opened::Shown);
    startup.ReapplyStartupPosition();
    QCOMPARE(quiet.positionQuestions, 0);
    QVERIFY(second.scrolledTo.isEmpty());
    startup.SetScrollY(350);
    startup.ReapplyStartupPosition();
    QCOMPARE(second.scrolledTo, QList<int>{350});
  }

  void DocumentsTheProgramDidNotProduceAreAskedAbout() {
    const QString plain = WriteDoc("plain.html", "<html><body>plain</body></html>");
    for (const auto answer : {ReaderQuestions::NotConvertedAnswer::Edit, ReaderQuestions::NotConvertedAnswer::Read,
                              ReaderQuestions::NotConvertedAnswer::Cancel}) {
      Options options;
      ScriptedQuestions q;
      q.notConverted = answer;
      q.neverAsk = true;
      FakePage page;
      ReaderController reader(options, strings_, templates_, q);
      reader.SetPage(&page);
      const auto opened = reader.OpenForReading(PathBytes(plain));
      QCOMPARE(q.notConvertedQuestions, 1);
      switch (answer) {
        case ReaderQuestions::NotConvertedAnswer::Edit:
          QCOMPARE(opened, ReaderController::Opened::ToConverter);
          QCOMPARE(options.Number(Opt::OpenForEditingNotConverted), 1);  // the choice made
          break;
        case ReaderQuestions::NotConvertedAnswer::Read:
          QCOMPARE(opened, ReaderController::Opened::Shown);
          QCOMPARE(options.Number(Opt::OpenForEditingNotConverted), 2);
          break;
        case ReaderQuestions::NotConvertedAnswer::Cancel:
          QCOMPARE(opened, ReaderController::Opened::Cancelled);
          QCOMPARE(options.Number(Opt::OpenForEditingNotConverted), 0);
          QVERIFY(page.navigated.isEmpty());
          break;
      }
    }
    // A broken bookmark number is reported and the document is not shown;
    // a file that cannot be read likewise.
    ScriptedQuestions q;
    FakePage page;
    ReaderController reader(options_, strings_, templates_, q);
    reader.SetPage(&page);
    const QString broken = WriteDoc("broken.html", Produced("<!-- Marn's Norvella bookmarks \n\r<BOOKMARK ID=\"1\" NM=\"a\">"
                                                           "<BOOKMARK ID=\"x\" NM=\"b\"> Marn's Norvella bookmarks -->"));
    QCOMPARE(reader.OpenForReading(PathBytes(broken)), ReaderController::Opened::Failed);
    QCOMPARE(q.errors.size(), std::size_t(1));
    QVERIFY(page.navigated.isEmpty());
    QCOMPARE(reader.OpenForReading(PathBytes(dir_.filePath("missing.html"))), ReaderController::Opened::Failed);
    QCOMPARE(q.errors.size(), std::size_t(2));
  }

  void NotesAndBookmarksChangeThePageAndTheList() {
    ScriptedQuestions q;
    FakePage page;
    ReaderController reader(options_, strings_, templates_, q);
    reader.SetPage(&page);
    int step = 0;
    reader.SetRandom([&] { return step++; });
    QCOMPARE(reader.OpenForReading(PathBytes(WriteDoc("n.html", Produced("text")))), ReaderController::Opened::Shown);

    // Nothing selected: the message, nothing else.
    reader.AddNote();
    reader.AddBookmark();
    QCOMPARE(q.selectText, 2);
    QVERIFY(reader.DocSaved());

    // A note on a selection that holds markup characters.
    page.selectionText = "a < b & c";
    q.note = std::vector<std::string>{"it's", "\"so\""};
    reader.AddNote();
    QVERIFY(page.pasted.startsWith(ToQt(templates_.scriptCode1) + "it&rsquo;s<br>&quot;so&quot;"));
    QVERIFY(page.pasted.endsWith("a &lt; b &amp; c</a>"));
    QVERIFY(!reader.DocSaved());

    // Bookmarks: the name proposed from the selection, the number from the
    // place, the list sorted by it.
    page.selectionHtml = "<i>first</i>&nbsp;word";
    q.name = "further";
    page.top = 500;
    reader.AddBookmark();
    QCOMPARE(q.proposedName, std::string("firstword"));
    q.name = "above\">";
    page.top = 0;
    reader.AddBookmark();
    QCOMPARE(page.pasted, ToQt(BookmarkMarkup(templates_, 1, "<i>first</i>&nbsp;word")));
    QCOMPARE(reader.Bookmarks(),
             (std::vector<Bookmark>{{1, StorableBookmarkName("above\">")}, {1073741824, "further"}}));

    QVERIFY(!reader.GoToBookmark(1));
    QCOMPARE(q.beeps, 1);
    page.anchors << "1";
    QVERIFY(reader.GoToBookmark(1));

    // The manager: cancel keeps the list but counts as a change.
    reader.SetDocSaved(true);
    reader.ManageBookmarks();
    QCOMPARE(reader.Bookmarks().size(), std::size_t(2));
    QVERIFY(!reader.DocSaved());
    q.managed = std::vector<Bookmark>{{1073741824, "renamed"}};
    reader.ManageBookmarks();
    QCOMPARE(reader.Bookmarks(), (std::vector<Bookmark>{{1073741824, "renamed"}}));
  }

  void SavingWritesTheStateAndLeavingAsksFirst() {
    ScriptedQuestions q;
    FakePage page;
    ReaderController reader(options_, strings_, templates_, q);
    reader.SetPage(&page);
    const QString path = WriteDoc("s.html", Produced("text"));
    QCOMPARE(reader.OpenForReading(PathBytes(path)), ReaderController::Opened::Shown);
    QVERIFY(reader.ConfirmLeaving());  // nothing changed: no question
    QCOMPARE(q.saveQuestions, 0);

    // An empty page (height 0) saves position 0; a save marks the document saved.
    page.height = 0;
    page.top = 40;
    page.body = "<body>new text</body>";
    reader.SetDocSaved(false);
    QVERIFY(reader.SaveReaderDocument().ok());
    QVERIFY(reader.DocSaved());
    QCOMPARE(Info(path).position, std::optional<std::int32_t>(0));
    QVERIFY(ReadFile(path).startsWith(kProducedHead));

    // A temporary copy leaves the document's state alone.
    reader.SetDocSaved(false);
    QVERIFY(reader.SaveReaderDocumentAs(PathBytes(dir_.filePath("copy.html"))).ok());
    QVERIFY(!reader.DocSaved());

    q.save = ReaderQuestions::SaveAnswer::Cancel;
    QVERIFY(!reader.ConfirmLeaving());
    q.save = ReaderQuestions::SaveAnswer::No;
    QVERIFY(reader.ConfirmLeaving());
    options_.SetFlag(Opt::SaveReaderDocOnExit, true);
    const int asked = q.saveQuestions;
    QVERIFY(reader.ConfirmLeaving());
    QCOMPARE(q.saveQuestions, asked);
    options_.SetFlag(Opt::SaveReaderDocOnExit, false);

    // Yes with a save that fails: the error, and the reader stays.
    QFile::remove(path);
    QVERIFY(QDir().mkdir(path));  // a folder where the file was
    q.save = ReaderQuestions::SaveAnswer::Yes;
    const auto errors = q.errors.size();
    QVERIFY(!reader.ConfirmLeaving());
    QCOMPARE(q.errors.size(), errors + 1);
    QVERIFY(!reader.DocSaved());
    QDir().rmdir(path);
  }

  void APageThatLeftTheDocumentIsNeverWrittenIntoIt() {
    ScriptedQuestions q;
    FakePage page;
    ReaderController reader(options_, strings_, templates_, q);
    reader.SetPage(&page);
    const QString path = WriteDoc("book.html", Produced("the book"));
    QCOMPARE(reader.OpenForReading(PathBytes(path)), ReaderController::Opened::Shown);
    const QByteArray before = ReadFile(path);

    // A link took the page to the next chapter: saving, a note and a
    // bookmark are refused with a message, and the book stays as it was.
    page.shown = dir_.filePath("chapter2.html");
    page.body = "<body>chapter two</body>";
    page.selectionText = page.selectionHtml = "two";
    q.note = std::vector<std::string>{"a note"};
    q.name = "a mark";
    reader.SetDocSaved(false);
    QVERIFY(!reader.SaveReaderDocument().ok());
    reader.AddNote();
    reader.AddBookmark();
    QCOMPARE(q.errors.size(), std::size_t(3));
    QCOMPARE(ReadFile(path), before);
    QVERIFY(page.pasted.isEmpty());
    QVERIFY(reader.Bookmarks().empty());
    QVERIFY(!reader.DocSaved());

    // Back on the book (written with another spelling of its path), or on a
    // copy of it written for the full-screen view, everything works again.
    page.shown = dir_.filePath("./book.html");
    page.body = "<body>the book, read</body>";
    QVERIFY(reader.SaveReaderDocument().ok());
    QVERIFY(ReadFile(path).contains("the book, read"));
    const QString copy = dir_.filePath("~$$$.html");
    QVERIFY(reader.SaveReaderDocumentAs(PathBytes(copy)).ok());
    QFile::remove(copy);  // the view deletes the copy once it has loaded it
    page.shown = copy;
    reader.AddNote();
    QVERIFY(!page.pasted.isEmpty());
    QCOMPARE(q.errors.size(), std::size_t(3));
  }

  void AutoscrollSpeedAndTheReadingPercent() {
    ScriptedQuestions q;
    FakePage page;
    ReaderController reader(options_, strings_, templates_, q);
    reader.SetPage(&page);
    QCOMPARE(reader.AutoscrollInterval(), 60);
    for (int i = 0; i < 25; ++i) reader.Faster();
    QCOMPARE(reader.AutoscrollInterval(), 10);
    reader.Faster();
    QCOMPARE(reader.AutoscrollInterval(), 10);
    options_.SetNumber(Opt::AutoscrollSpeed, 1000);
    reader.Slower();
    QCOMPARE(reader.AutoscrollInterval(), 1000);
    reader.AutoscrollTick();
    QCOMPARE(page.top, 1);
    options_.SetFlag(Opt::TurboScroll, true);
    reader.AutoscrollTick();
    QCOMPARE(page.top, 3);
    page.top = 125;
    QCOMPARE(reader.ReadingPercent(), std::optional<int>(12));  // 12.5 to even
    page.height = 0;
    QCOMPARE(reader.ReadingPercent(), std::optional<int>(0));
    page.hasDocument = false;
    QCOMPARE(reader.ReadingPercent(), std::nullopt);
  }

  // ------------------------------------------------------------ the window

  void ABookReadSavedAndReopenedKeepsNotesBookmarksAndPlace() {
    auto window = Window();
    const QString book = ConvertedBook(*window);
    QVERIFY(!book.isEmpty());
    window->SetReaderOpenFileName(book);
    window->Readerinterfacemode1Click(false);
    QCOMPARE(window->InterfaceMode(), kReaderMode);
    WebBrowser* page = window->ActiveBrowser();
    QVERIFY(page->WaitUntilReady());

    // A note: the dialog is answered as a user would type.
    QVERIFY(page->SelectText(QString::fromUtf8("Акакий Акакиевич")));
    {
      ModalAnswerer typeNote([](QWidget* d) {
        if (auto* memo = d->findChild<QPlainTextEdit*>("Memo1")) {
          QTest::keyClicks(memo, "it's a <note>");
          ModalAnswerer::Click(d, "done");
        }
      });
      window->Control("Addnotetoselected1")->trigger();
      QCOMPARE(typeNote.seen, QStringList{"Enter the comment"});
    }
    QVERIFY(!window->reader().DocSaved());

    // A bookmark further down, named in its dialog.
    QVERIFY(page->SelectText(QString::fromUtf8("департаменте")));
    {
      ModalAnswerer name([](QWidget* d) {
        if (auto* edit = d->findChild<QLineEdit*>("Edit1")) {
          edit->setText(QString::fromUtf8("Глава \"1\""));
          ModalAnswerer::Click(d, "ok");
        }
      });
      window->Control("Addbookmark1")->trigger();
    }
    QCOMPARE(window->reader().Bookmarks().size(), std::size_t(1));
    const int number = window->reader().Bookmarks().front().number;
    QVERIFY(window->Control("ReaderRoot") != nullptr);

    // Scroll somewhere and save.
    const int height = page->ScrollHeight().value_or(0);
    QVERIFY(height > 2000);
    QVERIFY(page->ScrollTo(0, height / 3));
    QTRY_VERIFY(page->ScrollTop().value_or(0) > 0);
    const int top = page->ScrollTop().value();
    window->Control("Saveactivefile1")->trigger();
    QVERIFY(window->reader().DocSaved());

    // What the file carries, through the book tool.
    std::ostringstream out, err;
    QCOMPARE(RunBookCommand({"info", PathBytes(book)}, out, err), 0);
    const QString listed = QString::fromStdString(out.str());
    QVERIFY2(listed.contains(QString::fromUtf8("bookmark: %1 Глава \"1\"\n").arg(number)), qPrintable(listed));
    // The note's own markup is shown as markup, so the tool leaves it out.
    QVERIFY2(listed.contains(QString::fromUtf8("note: it\u2019s a  => Акакий Акакиевич\n")), qPrintable(listed));
    const BookInfo info = Info(book);
    QVERIFY(info.position.has_value());
    QCOMPARE(info.charset, DocumentCharset::Windows1251);
    QCOMPARE(info.notes.size(), std::size_t(1));
    // The document is still a Windows-1251 document with its head as written.
    QVERIFY(ReadFile(book).contains(QByteArray("\xC0\xEA\xE0\xEA\xE8\xE9")));

    // Reopened: the position question (answered yes), the bookmark in the
    // menu, and the place.
    page->ScrollTo(0, 0);
    {
      ModalAnswerer go([](QWidget* d) { ModalAnswerer::Click(d, "proceed"); });
      window->SetReaderOpenFileName(book);
      window->Readerinterfacemode1Click(false);
      QCOMPARE(go.seen.size(), 1);
    }
    QTRY_VERIFY(std::abs(page->ScrollTop().value_or(0) - top) <= 2);
    auto* entry = window->findChild<QAction*>("Bookmark" + QString::number(number));
    QVERIFY(entry != nullptr);
    QCOMPARE(entry->text(), QString::fromUtf8("Глава \"1\""));
    page->ScrollTo(0, 0);
    QTRY_COMPARE(page->ScrollTop().value_or(-1), 0);
    entry->trigger();
    QTRY_VERIFY(page->ScrollTop().value_or(0) > 0);
    // The note and the anchor are in the live page again.
    const QString body = page->BodyHtml().value_or(QString());
    QVERIFY(body.contains("id=\"" + QString::number(number) + "\""));
    QVERIFY(body.contains("NewWin"));
  }

  void ALinkToAnotherDocumentLeavesTheBookAfterSavingIt() {
    auto window = Window();
    window->options().SetFlag(Opt::SaveReaderDocOnExit, true);
    const QString next = WriteDoc("next.html", Produced("<p>the next document</p>"));
    const QString book = WriteDoc(
        "linked.html", Produced("<a id=\"go\" href=\"next.html\" style=\"position:fixed;left:0;top:0;"
                                "width:300px;height:80px;display:block\">next</a><p>text</p>"));
    window->SetReaderOpenFileName(book);
    window->Readerinterfacemode1Click(false);
    WebBrowser* page = window->ActiveBrowser();
    QVERIFY(page->WaitUntilReady());
    // A change the reader has not saved yet.
    QVERIFY(page->SetBodyStyle("color: maroon"));
    window->reader().SetDocSaved(false);

    auto* view = page->findChild<QWebEngineView*>();
    QTRY_VERIFY(view->focusProxy() != nullptr);
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(20, 20));
    // The book was saved before the page left it, and the other document
    // is now the one open for reading.
    QTRY_COMPARE(window->reader().FileName(), PathBytes(next));
    QVERIFY(page->WaitUntilReady());
    QVERIFY(page->BodyHtml().value_or(QString()).contains("the next document"));
    QVERIFY(ReadFile(book).contains("maroon"));
    QVERIFY(window->reader().SaveReaderDocument().ok());
    QVERIFY(!ReadFile(next).contains("maroon"));
  }

  void AutoscrollMovesThePageAndThePercentFollows() {
    auto window = Window();
    const QString book = ConvertedBook(*window);
    window->SetReaderOpenFileName(book);
    window->Readerinterfacemode1Click(false);
    WebBrowser* page = window->ActiveBrowser();
    QVERIFY(page->WaitUntilReady());
    window->Control("AutoscrollBtn")->trigger();
    QVERIFY(window->AutoscrollOn());
    QVERIFY(window->Control("Autoscroll1")->isChecked());
    QTRY_VERIFY(page->ScrollTop().value_or(0) > 5);
    window->Control("AutoscrollBtn")->trigger();
    QVERIFY(!window->AutoscrollOn());
    for (int i = 0; i < 30; ++i) window->Control("Faster")->trigger();
    QCOMPARE(window->options().Number(Opt::AutoscrollSpeed), 10);
    QVERIFY(page->ScrollTo(0, page->ScrollHeight().value() / 2));
    QTRY_COMPARE_WITH_TIMEOUT(window->status().Percent(), QString("50%"), 3000);
    // Leaving the reader stops the autoscroll.
    window->Control("AutoscrollBtn")->trigger();
    window->SetInterfaceMode(kSimpleMode);
    QVERIFY(!window->AutoscrollOn());
  }

  void TheCloseQuestionsCancelKeepsTheWindow() {
    auto window = Window();
    window->SetReaderOpenFileName(WriteDoc("c.html", Produced("close me")));
    window->Readerinterfacemode1Click(false);
    QVERIFY(window->ActiveBrowser()->WaitUntilReady());
    window->reader().SetDocSaved(false);
    {
      ModalAnswerer cancel([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Cancel); });
      QVERIFY(!window->close());
      QCOMPARE(cancel.seen.size(), 1);
    }
    QVERIFY(window->isVisible());
    ModalAnswerer no([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::No); });
    QVERIFY(window->close());
  }

  void LeavingTheReaderForTheConverterAsksAboutTheChanges() {
    auto window = Window();
    const QString book = WriteDoc("leave.html", Produced("<p>text</p>"));
    window->SetReaderOpenFileName(book);
    window->Readerinterfacemode1Click(false);
    QVERIFY(window->ActiveBrowser()->WaitUntilReady());
    QVERIFY(window->ActiveBrowser()->SetBodyStyle("color: maroon"));
    window->reader().SetDocSaved(false);
    {
      // Cancel keeps the reader, the mode's mark and the changes.
      ModalAnswerer cancel([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Cancel); });
      window->Control("Simpleinterfacemode1")->trigger();
      QCOMPARE(cancel.seen.size(), 1);
    }
    QCOMPARE(window->InterfaceMode(), kReaderMode);
    QVERIFY(!window->Control("Simpleinterfacemode1")->isChecked());
    {
      // Opening a source asks too; a file dialog closed without a file
      // leaves the document as it was, changes and all.
      ModalAnswerer noThenClose([](QWidget* d) {
        if (qobject_cast<QMessageBox*>(d)) ModalAnswerer::Click(d, QMessageBox::No);
        else QMetaObject::invokeMethod(d, "reject", Qt::QueuedConnection);
      });
      window->Control("Open1")->trigger();
      QCOMPARE(noThenClose.seen.size(), 2);
    }
    QCOMPARE(window->InterfaceMode(), kReaderMode);
    QVERIFY(!window->reader().DocSaved());
    {
      ModalAnswerer yes([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Yes); });
      window->Control("Simpleinterfacemode1")->trigger();
      QCOMPARE(yes.seen.size(), 1);
    }
    QCOMPARE(window->InterfaceMode(), kSimpleMode);
    QVERIFY(ReadFile(book).contains("maroon"));
  }

  void SaveAndReadOpensTheSavedDocumentInTheReader() {
    auto window = Window();
    const QString source = dir_.filePath("shinel.txt");
    if (!QFile::exists(source)) QFile::copy(NORVELLA_SAMPLES_DIR "/shinel.txt", source);
    window->SetSourceFileName(source);
    window->LoadSrc(TMain::kLoadNamedFile);
    const QString saved = dir_.filePath("read-now.htm");
    ModalAnswerer save([saved](QWidget* d) {
      if (auto* dialog = qobject_cast<QFileDialog*>(d)) ChooseFile(dialog, saved);
    });
    window->Control("ToolButton68")->trigger();
    QCOMPARE(window->InterfaceMode(), kReaderMode);
    QVERIFY(QFile::exists(saved));
    QVERIFY(window->ActiveBrowser()->WaitUntilReady());
    QCOMPARE(window->ActiveBrowser()->LocationUrl(), QUrl::fromLocalFile(saved).toString());
    QCOMPARE(window->windowTitle(), QString("Norvella (reader) - read-now.htm"));
  }

  void StartUpReopensTheLastDocumentAtItsPlace() {
    const QString book = WriteDoc("start.html", Produced(QByteArray("<p>line</p>").repeated(3000) +
                                                         "<!-- Marn's Norvella position=\"1073741824\" -->"));
    store_.Set("Interface mode", "2");
    store_.Set("Last reader file", PathBytes(book));
    store_.Set("Last readed doc pos", "1234");
    auto window = Window();  // no position question may come up
    QCOMPARE(window->InterfaceMode(), kReaderMode);
    window->ReapplyStartupPosition();
    QTRY_COMPARE(window->ActiveBrowser()->ScrollTop().value_or(0), 1234);
    window.reset();
    // Closing stores where the reader was.
    QCOMPARE(store_.Value("Last readed doc pos"), std::string("1234"));
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::ReaderTest)
#include "reader_test.moc"
