// The reader's page styles, text sizes, full-screen view and recent
// documents: the controller against a page of the test's own, and the main
// window against real pages.

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/reader/book_info.h"
#include "core/settings/options.h"
#include "core/source/source_state.h"
#include "gui/common/qt_text.h"
#include "gui/reader/colorifer.h"
#include "gui/reader/reader_controller.h"
#include "gui/reader/reader_page.h"
#include "gui/ui/full_screen_window.h"
#include "gui/ui/main_window.h"
#include "gui/ui/web_browser.h"
#include "tests/gui/fake_reader_page.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {

using namespace norvella::test;

namespace {

using StylePage = FakeReaderPage;

class Answers final : public ReaderQuestions {
 public:
  std::vector<std::string> tasks, errors;
  SaveAnswer AskSaveChanges() override { return SaveAnswer::No; }
  bool AskGoToPosition(bool&) override { return true; }
  NotConvertedAnswer AskNotConverted(bool&) override { return NotConvertedAnswer::Read; }
  std::optional<std::vector<std::string>> AskNote() override { return std::nullopt; }
  std::optional<std::string> AskBookmarkName(const std::string&) override { return std::nullopt; }
  bool ManageBookmarks(std::vector<Bookmark>&) override { return false; }
  void ShowError(const Error& error) override { errors.push_back(error.message + error.reason); }
  void ShowSelectText() override {}
  void Beep() override {}
  void ShowTask(const std::string& text) override { tasks.push_back(text); }
  void SetBusy(bool) override {}
};

const char kProducedHead[] =
    "<html><head><meta name=\"Generator\" content=\"Norvella\"><meta http-equiv=\"Content-Type\" "
    "content=\"text/html; charset=windows-1251\"><title>T</title></head>";

using Style = std::map<std::string, std::string>;

QStringList Copies(const QString& folder) {
  return QDir(folder).entryList({"~$$$*"}, QDir::Files | QDir::Hidden | QDir::System);
}

}  // namespace

class ReaderStyleTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

 private:
  QTemporaryDir dir_;
  StringTable strings_;
  HtmlTemplates templates_;
  MemoryStore store_;

  QString WriteDoc(const QString& name, const QByteArray& body) {
    const QString path = dir_.filePath(name);
    WriteFile(path, QByteArray(kProducedHead) + "<body>" + body + "</body></html>\r\n");
    return path;
  }

  std::unique_ptr<TMain> Window() {
    auto window = std::make_unique<TMain>(std::make_unique<ConverterController>(store_), QString());
    window->show();
    return window;
  }

  // A corpus book converted, saved and opened for reading.
  QString ReadConvertedBook(TMain& window, const QString& name = "shinel.html") {
    const QString source = dir_.filePath("shinel.txt");
    if (!QFile::exists(source)) QFile::copy(NORVELLA_SAMPLES_DIR "/shinel.txt", source);
    window.SetSourceFileName(source);
    window.LoadSrc(TMain::kLoadNamedFile);
    const QString saved = dir_.filePath(name);
    window.SetSaveFileName(saved);
    if (!window.SaveHTML(false)) return {};
    window.SetReaderOpenFileName(saved);
    window.Readerinterfacemode1Click(false);
    if (!window.ActiveBrowser()->WaitUntilReady()) return {};
    return saved;
  }

 private slots:
  void init() {
    store_ = MemoryStore();
    store_.Set("Ask about title", "0");
    store_.Set("Confirm table of content", "0");
    store_.Set("Authobookmarks behavior", "1");
    for (const QString& copy : Copies(dir_.path())) QFile::remove(dir_.filePath(copy));
  }

  // ------------------------------------------------------------ controller

  void SchemesNoneAndTheRememberedStyle() {
    Options options;
    Answers answers;
    StylePage page;
    ReaderController reader(options, strings_, templates_, answers);
    reader.SetPage(&page);
    QCOMPARE(reader.OpenForReading(PathBytes(WriteDoc("a.html", "first"))), ReaderController::Opened::Shown);

    // A custom style with a size, then a fixed scheme: the scheme's colours
    // and font, and the remembered size is gone.
    reader.ApplyCustomStyle({"Georgia", "14pt", "#FF0000", "White"});
    QCOMPARE(options.Text(Opt::DefStyleFontSize), std::string("14pt"));
    page.style.clear();
    reader.SetDocSaved(true);
    reader.ApplyScheme(kYellowSchemeTag);
    QCOMPARE(page.style, (Style{{"color", "Yellow"}, {"backgroundColor", "Black"}, {"fontFamily", "Verdana"}}));
    QCOMPARE(LastStyle(options), (ReaderStyle{"Verdana", "", "Yellow", "Black"}));
    QVERIFY(!reader.DocSaved());

    // "None": no inline style on the page, the remembered style and the
    // changed state as they were.
    reader.SetDocSaved(true);
    reader.RemoveStyle();
    QVERIFY(page.style.empty());
    QVERIFY(reader.DocSaved());
    QCOMPARE(LastStyle(options), (ReaderStyle{"Verdana", "", "Yellow", "Black"}));

    // The next document is shown in the scheme, without a font size, with
    // the status text naming the four texts, and stays unchanged.
    QCOMPARE(reader.OpenForReading(PathBytes(WriteDoc("b.html", "second"))), ReaderController::Opened::Shown);
    answers.tasks.clear();
    QVERIFY(reader.ApplyLastStyle());
    QCOMPARE(page.style, (Style{{"fontFamily", "Verdana"}, {"color", "Yellow"}, {"backgroundColor", "Black"}}));
    QCOMPARE(answers.tasks.front(), std::string("CurrentTask: Applying style [\"Verdana, , Yellow\" on \"Black\"]. "
                                                "Please wait, this may take a while..."));
    QVERIFY(reader.DocSaved());
    options.SetFlag(Opt::ApplyReaderStyleForNewDocs, false);
    QVERIFY(!reader.ApplyLastStyle());

    // Without a document the commands do nothing.
    page.hasDocument = false;
    page.style.clear();
    reader.ApplyScheme(kGreenSchemeTag);
    QCOMPARE(LastStyle(options).textColor, std::string("Yellow"));
  }

  void TheFullScreenCopyNeverStaysBehindNorTakesAnotherFile() {
    Options options;
    Answers answers;
    StylePage main, view;
    TemporaryFiles temporary;
    ReaderController reader(options, strings_, templates_, answers);
    reader.SetPage(&main);
    reader.SetTemporaryFiles(&temporary);
    const QString book = WriteDoc("fs.html", "the book");
    QCOMPARE(reader.OpenForReading(PathBytes(book)), ReaderController::Opened::Shown);
    // Someone else's file of the first name is kept as it is.
    QVERIFY(WriteFile(dir_.filePath("~$$$.html"), "not ours"));
    main.top = 250;
    main.body = "<body style=\"color: lime\">the book<!-- a note --></body>";

    const auto copy = reader.SnapshotToTempFile();
    QVERIFY(copy.has_value());
    QCOMPARE(PathText(*copy), dir_.filePath("~$$$~$$$.html"));
    QVERIFY(ReadFile(PathText(*copy)).contains("color: lime"));
    QCOMPARE(ReadFile(dir_.filePath("~$$$.html")), QByteArray("not ours"));
    QCOMPARE(reader.ScrollRatio(), 0.25);
    QCOMPARE(temporary.Paths().size(), std::size_t(1));

    // The view loads the copy, which then goes, also when the page never
    // got ready; the document's name is the book's throughout.
    view.hasDocument = false;
    view.height = 2000;
    reader.SetPage(&view);
    reader.LoadSnapshot(*copy);
    QCOMPARE(view.navigated, PathText(*copy));
    QVERIFY(!QFile::exists(PathText(*copy)));
    QVERIFY(temporary.Paths().empty());
    QCOMPARE(reader.FileName(), PathBytes(book));
    view.hasDocument = true;
    reader.LoadSnapshot(*reader.SnapshotToTempFile());
    QVERIFY(!view.scrolledTo.isEmpty());
    QCOMPARE(Copies(dir_.path()), QStringList{"~$$$.html"});

    // Saving from the view writes the book, not the deleted copy.
    view.body = "<body>read in full screen</body>";
    QVERIFY(reader.SaveReaderDocument().ok());
    QVERIFY(ReadFile(book).contains("read in full screen"));

    // Back: the window's page shows the book itself and takes the view's
    // body at the view's place.
    view.top = 500;
    reader.SetPage(&main);
    main.shown = dir_.filePath("elsewhere.html");  // it had followed a link
    QVERIFY(reader.CarryPage(view, main));
    QCOMPARE(main.navigated, book);
    QCOMPARE(main.body, QString("<body>read in full screen</body>"));
    QCOMPARE(main.scrolledTo.last(), 250);
    // A view that went to another document carries nothing back.
    view.shown = dir_.filePath("other.html");
    view.body = "<body>other</body>";
    QVERIFY(!reader.CarryPage(view, main));
    QCOMPARE(main.body, QString("<body>read in full screen</body>"));

    // A copy that an interruption leaves behind goes with the program's
    // temporary files at exit.
    const auto left = reader.SnapshotToTempFile();
    QVERIFY(left.has_value());
    temporary.DeleteAll();
    QVERIFY(!QFile::exists(PathText(*left)));

    // No document: no copy, and the place stays.
    main.hasDocument = false;
    QVERIFY(!reader.SnapshotToTempFile().has_value());
    QCOMPARE(reader.ScrollRatio(), 0.25);
    QCOMPARE(Copies(dir_.path()), QStringList{"~$$$.html"});
    QFile::remove(dir_.filePath("~$$$.html"));
  }

  // ------------------------------------------------------------ the window

  void AnUntouchedPageGoesToFullScreenAsTheFileItself() {
    Options options;
    Answers answers;
    StylePage main;
    main.watches = true;
    ReaderController reader(options, strings_, templates_, answers);
    reader.SetPage(&main);
    // What the page would write of itself differs from the file, so the
    // copy tells which of the two it was made from.
    main.body = "<body>written out of the page</body>";
    const QString book =
        WriteDoc("as-read.html", "from the file<!-- Marn's Norvella position=\"1073741824\" -->");
    const QByteArray file = ReadFile(book);
    QCOMPARE(reader.OpenForReading(PathBytes(book)), ReaderController::Opened::Shown);
    auto copyOf = [&reader] {
      const auto copy = reader.SnapshotToTempFile();
      const QByteArray bytes = copy ? ReadFile(PathText(*copy)) : QByteArray();
      if (copy) QFile::remove(PathText(*copy));
      return bytes;
    };
    // Only read: the file's own bytes.
    QCOMPARE(copyOf(), file);
    // A scheme, a note or a body carried back from full screen: the page.
    main.style["color"] = "Yellow";
    QVERIFY(copyOf().contains("written out of the page"));
    main.style.clear();
    QCOMPARE(copyOf(), file);
    main.pasted = "<a name=\"note\">";
    QVERIFY(copyOf().contains("written out of the page"));
    main.pasted.clear();
    StylePage view;
    view.navigated = book;
    view.body = "<body>carried back</body>";
    QVERIFY(reader.CarryPage(view, main));
    QVERIFY(copyOf().contains("carried back"));
    // Another document opened without a place to go to is never watched.
    reader.OpenForReading(PathBytes(WriteDoc("plain.html", "plain")));
    QVERIFY(copyOf().contains("carried back"));
    QCOMPARE(Copies(dir_.path()), QStringList{});
  }

  void ANightInFullScreenKeepsTheStyleTheBookmarkAndThePlace() {
    auto window = Window();
    const QString book = ReadConvertedBook(*window);
    QVERIFY(!book.isEmpty());
    WebBrowser* panel = window->ActiveBrowser();
    window->Control("BlackGreen1")->trigger();
    window->Control("Largest1")->trigger();
    QVERIFY(panel->BodyStyle().value_or("").contains("lime"));
    QVERIFY(panel->ScrollTo(0, panel->ScrollHeight().value_or(0) / 3));
    QTRY_VERIFY(panel->ScrollTop().value_or(0) > 0);
    const double ratio = double(panel->ScrollTop().value()) / panel->ScrollHeight().value();

    window->Control("ZoomBtn")->trigger();
    TFullScrForm* view = window->FullScreenWindow();
    QVERIFY(window->FullScreenShown());
    QVERIFY(view->isFullScreen());
    WebBrowser* page = view->Browser();
    QCOMPARE(window->ActiveBrowser(), page);
    QCOMPARE(page->ZoomLevel(), 4);
    QVERIFY(page->BodyStyle().value_or("").contains("lime"));
    QVERIFY(std::abs(double(page->ScrollTop().value_or(0)) / page->ScrollHeight().value_or(1) - ratio) < 0.01);
    QVERIFY(Copies(dir_.path()).isEmpty());
    // No going back to a copy that is gone.
    QVERIFY(!page->CanGoBack());

    // Autoscroll and a bookmark from the view's own controls.
    view->Action("Autoscroll1")->trigger();
    QVERIFY(window->AutoscrollOn());
    QVERIFY(view->Action("AutoscrollBtn")->isChecked());
    QTRY_VERIFY(page->ScrollTop().value_or(0) > 0);
    QVERIFY(page->SelectText(QString::fromUtf8("департаменте")));
    {
      ModalAnswerer name([](QWidget* d) {
        if (auto* edit = d->findChild<QLineEdit*>("Edit1")) {
          edit->setText("night");
          ModalAnswerer::Click(d, "ok");
        }
      });
      view->Action("BookmrkBtn")->trigger();
      QCOMPARE(name.seen.size(), 1);
    }
    QCOMPARE(window->reader().Bookmarks().size(), std::size_t(1));
    // The view's bookmarks list shows what the menu shows.
    emit view->BookmarksMenu()->aboutToShow();
    QCOMPARE(view->BookmarksMenu()->actions().size(), 1);
    QCOMPARE(view->BookmarksMenu()->actions().front()->text(), QString("night"));
    view->Action("Autoscroll1")->trigger();
    QVERIFY(!window->AutoscrollOn());
    QVERIFY(page->ScrollTo(0, page->ScrollHeight().value_or(0) / 2));
    QTRY_VERIFY(page->ScrollTop().value_or(0) > 0);
    const double inView = double(page->ScrollTop().value()) / page->ScrollHeight().value();

    // Esc leaves; the panel shows the book itself with the bookmark, the
    // style and the place.
    view->Action("Unzoom1")->trigger();
    QVERIFY(!window->FullScreenShown());
    QCOMPARE(window->ActiveBrowser(), panel);
    QCOMPARE(panel->LocationUrl(), QUrl::fromLocalFile(book).toString());
    const QString body = panel->BodyHtml().value_or("");
    QVERIFY(body.contains("id=\"" + QString::number(window->reader().Bookmarks().front().number) + "\""));
    QVERIFY(panel->BodyStyle().value_or("").contains("lime"));
    QVERIFY(std::abs(double(panel->ScrollTop().value_or(0)) / panel->ScrollHeight().value_or(1) - inView) < 0.01);
    QVERIFY(window->findChild<QAction*>("Bookmark" + QString::number(window->reader().Bookmarks().front().number)));
    QVERIFY(Copies(dir_.path()).isEmpty());
    QVERIFY(!window->reader().DocSaved());

    // Saved and opened again: the style comes from the file.
    window->Control("Saveactivefile1")->trigger();
    window->options().SetFlag(Opt::ApplyReaderStyleForNewDocs, false);
    panel->Navigate("about:blank");
    window->SetReaderOpenFileName(book);
    window->Readerinterfacemode1Click(false);
    QVERIFY(panel->WaitUntilReady());
    QVERIFY(panel->BodyStyle().value_or("").contains("lime"));
    const BookInfo info = ReadBookInfo(ReadFile(book).toStdString());
    QCOMPARE(info.bookmarks.size(), std::size_t(1));
  }

  void ReadingOnlyInFullScreenCarriesThePlaceAndAStyleComesBack() {
    auto window = Window();
    QVERIFY(!ReadConvertedBook(*window, "plain.html").isEmpty());
    WebBrowser* panel = window->ActiveBrowser();
    for (const bool restyle : {false, true}) {
      window->ZoomBtnClick();
      WebBrowser* page = window->FullScreenWindow()->Browser();
      if (restyle) window->Colorify(kYellowSchemeTag);
      QVERIFY(page->ScrollTo(0, page->ScrollHeight().value_or(0) / 2));
      QTRY_VERIFY(page->ScrollTop().value_or(0) > 0);
      const double ratio = double(page->ScrollTop().value()) / page->ScrollHeight().value();
      window->ZoomBtnClick();
      QVERIFY(!window->FullScreenShown());
      QVERIFY(std::abs(double(panel->ScrollTop().value_or(0)) / panel->ScrollHeight().value_or(1) - ratio) < 0.01);
      QCOMPARE(panel->BodyStyle().value_or("").contains("yellow"), restyle);
    }
    QVERIFY(Copies(dir_.path()).isEmpty());
  }

  void WithoutRoomForTheCopyTheLivePageStillGoesFullScreen() {
    QDir(dir_.path()).mkpath("crowded");
    const QString crowded = dir_.filePath("crowded");
    const QString book = crowded + "/book.html";
    WriteFile(book, QByteArray(kProducedHead) + "<body><p>crowded</p></body></html>");
    // Every name the copy could take is someone else's.
    QString name = "~$$$";
    for (int i = 0; i < 48; ++i, name += "~$$$") QVERIFY(WriteFile(crowded + "/" + name + ".html", "theirs"));
    auto window = Window();
    window->SetReaderOpenFileName(book);
    window->Readerinterfacemode1Click(false);
    QVERIFY(window->ActiveBrowser()->WaitUntilReady());
    window->Colorify(kGreenSchemeTag);  // not saved
    {
      ModalAnswerer ok([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Ok); });
      window->ZoomBtnClick();
      QCOMPARE(ok.seen.size(), 1);  // the system's reason
    }
    WebBrowser* page = window->FullScreenWindow()->Browser();
    QCOMPARE(page->LocationUrl(), QUrl::fromLocalFile(book).toString());
    QVERIFY(page->BodyStyle().value_or("").contains("lime"));
    window->Colorify(kYellowSchemeTag);
    window->ZoomBtnClick();
    QVERIFY(window->ActiveBrowser()->BodyStyle().value_or("").contains("yellow"));
    QCOMPARE(ReadFile(crowded + "/~$$$.html"), QByteArray("theirs"));
    QCOMPARE(QDir(crowded).entryList(QDir::Files).size(), 49);
  }

  void TheCustomDialogWritesAPickedColourAsRrGgBb() {
    auto window = Window();
    QVERIFY(!ReadConvertedBook(*window).isEmpty());
    ModalAnswerer answer([](QWidget* d) {
      if (auto* colours = qobject_cast<QColorDialog*>(d)) {
        colours->setCurrentColor(Qt::red);
        colours->accept();
      } else if (d->objectName() == "TColorifer") {
        // As a user would, one click after the other: the colour dialog
        // comes up while the first click is still being handled.
        QTimer::singleShot(0, d, [d] {
          d->findChild<QPushButton*>("CustomText")->click();
          d->findChild<QComboBox*>("BodyBox")->setCurrentText("Navy");
          ModalAnswerer::Click(d, "ok");
        });
      }
    });
    window->Control("Custom1")->trigger();
    QCOMPARE(answer.seen, (QStringList{"Colorifer", "Select Color"}));
    TColorifer* dialog = window->Colorifer();
    QCOMPARE(dialog->TextColorText(), QString("#FF0000"));
    QVERIFY(dialog->List(TColorifer::kTextList)->currentText().isEmpty());  // a swatch, no name
    QCOMPARE(window->options().Text(Opt::DefStyleFontColor), std::string("#FF0000"));
    QCOMPARE(window->options().Text(Opt::DefStyleBodyColor), std::string("Navy"));
    QCOMPARE(window->options().Text(Opt::DefStyleFontSize), std::string("12pt"));
    const QString style = window->ActiveBrowser()->BodyStyle().value_or("");
    QVERIFY2(style.contains("rgb(255, 0, 0)") && style.contains("navy") && style.contains("12pt"), qPrintable(style));
  }

  void TextSizesStepWithinTheFiveLevels() {
    auto window = Window();
    window->Control("Largest1")->trigger();
    window->Control("Increase1")->trigger();
    QCOMPARE(window->options().Number(Opt::BrowserFontSize), 4);
    QVERIFY(window->Control("Largest1")->isChecked());
    QCOMPARE(window->ActiveBrowser()->ZoomLevel(), 4);
    window->Control("Decrease1")->trigger();
    QVERIFY(window->Control("Large1")->isChecked());
    window->Control("Smallest1")->trigger();
    window->Control("Decrease1")->trigger();
    QCOMPARE(window->options().Number(Opt::BrowserFontSize), 0);
    // A mode change takes the level to the browser that becomes active.
    window->options().SetFlag(Opt::AskedAboutTitle, true);
    window->SetInterfaceMode(kAdvancedMode);
    QCOMPARE(window->ActiveBrowser(), window->PreviewBrowser());
    QCOMPARE(window->ActiveBrowser()->ZoomLevel(), 0);
    window.reset();
    QCOMPARE(store_.Value("Browser forn size"), std::string("0"));
  }

  void RecentDocumentsInTheMenuAndOnTheBookshelf() {
    // Ten stored entries, the first with a path of 60 characters.
    QString longFolder = dir_.filePath("shelf");
    while (longFolder.size() < 60 - 7) longFolder += "x";
    QDir().mkpath(longFolder);
    const QString longPath = longFolder + "/a.html";
    QCOMPARE(longPath.size(), 60);
    WriteFile(longPath, QByteArray(kProducedHead) + "<body>long</body></html>");
    QStringList stored = {longPath};
    for (int i = 1; i < 10; ++i) stored << WriteDoc(QString("r%1.html").arg(i), "recent");
    QFile::remove(stored[2]);  // gone: left out with its digit
    for (int i = 0; i < 10; ++i) store_.Set("Recent reader file " + std::to_string(i), FromQt(stored[i]));

    auto window = Window();
    QMenu* recent = window->RecentMenu();
    QList<QAction*> items = recent->actions();
    QCOMPARE(items.size(), 5);  // entries 0..5 without the missing one
    QCOMPARE(items[0]->text().size(), 43);
    QCOMPARE(items[0]->text(), longPath.left(4) + "..." + longPath.right(36));
    QCOMPARE(items[0]->shortcut(), QKeySequence("Ctrl+1"));
    QCOMPARE(items[2]->shortcut(), QKeySequence("Ctrl+4"));

    // The Bookshelf lists the same, without shortcuts.
    emit window->HistoryMenu()->aboutToShow();
    const QList<QAction*> shelf = window->HistoryMenu()->actions();
    QCOMPARE(shelf.size(), items.size());
    for (int i = 0; i < shelf.size(); ++i) {
      QCOMPARE(shelf[i]->text(), items[i]->text());
      QCOMPARE(shelf[i]->isEnabled(), items[i]->isEnabled());
      QVERIFY(shelf[i]->shortcut().isEmpty());
    }

    // A shelf item opens its document in the reader from any mode, and the
    // list keeps its order.
    shelf[1]->trigger();
    QCOMPARE(window->InterfaceMode(), kReaderMode);
    QCOMPARE(window->reader().FileName(), PathBytes(stored[1]));
    QCOMPARE(window->reader().Recent().Entry(0), FromQt(longPath));

    // Opening a known document does not move it; a new one comes first:
    // eleven in memory, ten kept.
    window->SetReaderOpenFileName(stored[3]);
    window->Readerinterfacemode1Click(false);
    QCOMPARE(window->reader().Recent().Entry(3), FromQt(stored[3]));
    const QString fresh = WriteDoc("fresh.html", "new");
    window->SetReaderOpenFileName(fresh);
    window->Readerinterfacemode1Click(false);
    QCOMPARE(window->reader().Recent().Entries().size(), std::size_t(11));
    QCOMPARE(recent->actions().first()->text(), fresh);
    window.reset();
    QCOMPARE(store_.Value("Recent reader file 0"), FromQt(fresh));
    QCOMPARE(store_.Value("Recent reader file 9"), FromQt(stored[8]));
  }

  void LeavingADocumentFromTheListAsksAboutItsChanges() {
    const QString first = WriteDoc("changed.html", "first");
    const QString second = WriteDoc("next.html", "second");
    store_.Set("Recent reader file 0", FromQt(second));
    auto window = Window();
    window->SetReaderOpenFileName(first);
    window->Readerinterfacemode1Click(false);
    QVERIFY(window->ActiveBrowser()->WaitUntilReady());
    window->Colorify(kYellowSchemeTag);
    QVERIFY(!window->reader().DocSaved());
    {
      ModalAnswerer cancel([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Cancel); });
      // The open document came first in the list; the other is second.
      window->RecentMenu()->actions().at(1)->trigger();
      QCOMPARE(cancel.seen.size(), 1);
    }
    QCOMPARE(window->reader().FileName(), PathBytes(first));
    ModalAnswerer yes([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Yes); });
    window->RecentMenu()->actions().at(1)->trigger();
    QCOMPARE(window->reader().FileName(), PathBytes(second));
    QVERIFY(ReadFile(first).contains("yellow"));
  }

  void TheOpenDialogStartsInTheLastFolderReadFrom() {
    QDir(dir_.path()).mkpath("shelf/later");
    const QString later = dir_.filePath("shelf/later");
    WriteFile(later + "/book.html", QByteArray(kProducedHead) + "<body>later</body></html>");
    store_.Set("Last read dir", FromQt(dir_.filePath("shelf")));
    auto window = Window();
    QString startedIn;
    ModalAnswerer choose([&](QWidget* d) {
      if (auto* dialog = qobject_cast<QFileDialog*>(d)) {
        startedIn = dialog->directory().absolutePath();
        ChooseFile(dialog, later + "/book.html");
      }
    });
    window->Control("Openfileinreadermode1")->trigger();
    QCOMPARE(startedIn, dir_.filePath("shelf"));
    QCOMPARE(window->reader().FileName(), PathBytes(later + "/book.html"));
    window.reset();
    QCOMPARE(store_.Value("Last read dir"), FromQt(later));
  }

  void AnEmptyListShowsItsPlaceholder() {
    auto window = Window();
    const QList<QAction*> items = window->RecentMenu()->actions();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.front()->text(), QString("(empty)"));
    QVERIFY(!items.front()->isEnabled());
    emit window->HistoryMenu()->aboutToShow();
    QCOMPARE(window->HistoryMenu()->actions().size(), 1);
    QVERIFY(!window->HistoryMenu()->actions().front()->isEnabled());
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::ReaderStyleTest)
#include "reader_style_test.moc"
