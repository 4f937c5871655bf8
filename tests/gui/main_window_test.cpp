// The main window: start-up from stored settings, the interface modes and
// the enabling of every command, loading, converting, previewing, saving,
// dropped files and sending to the librarian.

#include "gui/ui/main_window.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWebEngineView>

#include "cli/convert_command.h"
#include "core/i18n/templates.h"
#include "gui/common/qt_text.h"
#include "gui/reader/comment_window.h"
#include "gui/ui/commands.h"
#include "gui/ui/status_panels.h"
#include "gui/ui/web_browser.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {
namespace {

using test::MemoryStore;
using test::ModalAnswerer;

// Counts reads and can refuse them, as a declined question would.
class CountingController final : public ConverterController {
 public:
  using ConverterController::ConverterController;
  SourceRead ReadSourceFile(const std::string& path, int filterIndex) override {
    ++reads;
    if (fail) throw std::runtime_error("the reading failed half way");
    if (refuse) {
      SourceRead cancelled;
      cancelled.kind = SourceRead::Kind::Cancelled;
      return cancelled;
    }
    return ConverterController::ReadSourceFile(path, filterIndex);
  }
  int reads = 0;
  bool refuse = false;
  bool fail = false;
};

using test::ReadFile;

// Controls and menus whose state follows the mode, as the command table
// gives them.
QStringList ControlsEnabledIn(ModeSet modes) {
  QStringList names;
  for (const ControlInfo& control : Controls())
    if (control.enabledIn == modes && !control.offWhileAutodetecting) names << ToQtName(control.name);
  for (const MenuInfo& menu : SwitchedMenus())
    if (menu.enabledIn == modes) names << ToQtName(menu.name);
  return names;
}
const char* const kPresetsOfTheReaderToolbar[] = {"ToolButton56", "ToolButton57", "ToolButton58"};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

 private:
  QTemporaryDir dir_;
  MemoryStore store_;
  CountingController* controller_ = nullptr;

  // A window over the store; by default the questions after a load are off.
  std::unique_ptr<TMain> Window(const QString& commandLine = QString()) {
    auto controller = std::make_unique<CountingController>(store_);
    controller_ = controller.get();
    auto window = std::make_unique<TMain>(std::move(controller), commandLine);
    window->show();
    return window;
  }

  QString Sample(const QString& name = "shinel.txt") {
    const QString path = dir_.filePath(name);
    if (!QFile::exists(path)) QFile::copy(NORVELLA_SAMPLES_DIR "/shinel.txt", path);
    return path;
  }

  static void Load(TMain& window, const QString& path) {
    window.SetSourceFileName(path);
    window.LoadSrc(TMain::kLoadNamedFile);
  }

  static QString PreviewUrl(TMain& window) {
    return QUrl::fromLocalFile(PathText(window.controller().PreviewPath())).toString();
  }

  static int Conversions(const QSignalSpy& tasks) {
    int count = 0;
    for (const auto& call : tasks)
      if (call.first().toString() == "CurrentTask: Simplyfy HTML") ++count;
    return count;
  }

  static bool ModeEnabled(TMain& window, const QString& name) {
    return window.Control(name)->property("modeEnabled").toBool();
  }

 private slots:
  void init() {
    store_ = MemoryStore();
    store_.Set("Ask about title", "0");
    store_.Set("Confirm table of content", "0");
  }

  void StartsInTheSimpleModeWithTheDefaults() {
    store_ = MemoryStore();
    auto window = Window();
    QCOMPARE(window->InterfaceMode(), kSimpleMode);
    QCOMPARE(window->PreviousMode(), kAdvancedMode);
    QVERIFY(!window->AdvancedConfirmed());
    QCOMPARE(window->windowTitle(), QString("Norvella - no file"));
    QCOMPARE(window->ActiveBrowser(), window->PanelBrowser());
    QVERIFY(!window->findChild<QWidget*>("RightPanel")->isVisible());
    QVERIFY(window->findChild<QWidget*>("Panel1")->isVisible());
    QCOMPARE(window->options().Number(Opt::LongStringsMin), 80);
    QVERIFY(window->options().Flag(Opt::AskAboutTitle));
    QCOMPARE(window->status().Task(), QString("Current task: none"));
    QVERIFY(!window->status().Clock().isEmpty());
    // The first start takes three quarters of the screen.
    const QRect screen = window->screen()->availableGeometry();
    QCOMPARE(window->size(), QSize(screen.width() * 3 / 4, screen.height() * 3 / 4));
    QVERIFY(window->Control("Simpleinterfacemode1")->isChecked());
    QVERIFY(!window->Control("Readerinterfacemode2")->isVisible());
    // No help file beside the program, no librarian key.
    QCOMPARE(window->Control("Help1")->text(), QString("Help not downloaded."));
    QVERIFY(!window->Control("Help1")->isEnabled());
    QVERIFY(!window->Control("RocketBtn")->isEnabled());
    QVERIFY(window->Control("ToolButton60")->isEnabled());
  }

  void StoredSettingsReplaceTheDefaults() {
    store_.Set("Londg strings min", "81");
    store_.Set("Interface mode", "1");
    store_.Set("Previous mode", "0");
    store_.Set("Asked about title", "1");
    store_.Set("Window Width", "700");
    store_.Set("Window Height", "540");
    store_.AddKey(kLibrarianKey);
    auto window = Window();
    QCOMPARE(window->options().Number(Opt::LongStringsMin), 81);
    QCOMPARE(window->InterfaceMode(), kAdvancedMode);
    QCOMPARE(window->PreviousMode(), kSimpleMode);
    QVERIFY(window->AdvancedConfirmed());
    QCOMPARE(window->ActiveBrowser(), window->PreviewBrowser());
    QVERIFY(window->findChild<QWidget*>("RightPanel")->isVisible());
    QCOMPARE(window->size(), QSize(700, 540));
    QVERIFY(window->Control("RocketBtn")->isEnabled());
  }

  void AStoredReaderModeReopensTheLastDocumentOrFallsBack_data() {
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<int>("mode");
    QTest::newRow("last file missing") << false << QString() << int(kSimpleMode);
    QTest::newRow("last file there") << true << QString() << int(kReaderMode);
    QTest::newRow("a file on the command line") << true << QString("/tmp/other.txt") << int(kSimpleMode);
  }
  void AStoredReaderModeReopensTheLastDocumentOrFallsBack() {
    QFETCH(bool, fileExists);
    QFETCH(QString, commandLine);
    QFETCH(int, mode);
    const QString last = dir_.filePath("last.html");
    QFile::remove(last);
    if (fileExists) {
      QFile file(last);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("<html><body>last read</body></html>");
    }
    store_.Set("Interface mode", "2");
    store_.Set("Previous mode", "0");
    store_.Set("Last reader file", FromQt(last));
    auto window = Window(commandLine);
    QCOMPARE(window->InterfaceMode(), mode);
    if (mode == kReaderMode) {
      QVERIFY(window->ActiveBrowser()->WaitUntilReady());
      QCOMPARE(window->ActiveBrowser()->LocationUrl(), QUrl::fromLocalFile(last).toString());
      QCOMPARE(window->windowTitle(), QString("Norvella (reader) - last.html"));
    }
  }

  void EveryCommandIsEnabledAsTheModeSays() {
    store_.Set("Asked about title", "1");
    auto window = Window();
    for (const int mode : {kSimpleMode, kAdvancedMode, kReaderMode, kSimpleMode}) {
      window->SetInterfaceMode(mode);
      QCOMPARE(window->InterfaceMode(), mode);
      const bool converter = mode != kReaderMode;
      for (const QString& name : ControlsEnabledIn(kConverterModes))
        QCOMPARE(ModeEnabled(*window, name), converter);
      for (const QString& name : ControlsEnabledIn(kReaderOnly)) QCOMPARE(ModeEnabled(*window, name), !converter);
      for (const char* name : {"Save1", "Sendtorocket1", "Options1", "ToolButton60", "ToolButton47", "ToolButton54"})
        QCOMPARE(window->Control(name)->isEnabled(), converter);
      QCOMPARE(window->Control("ReaderRoot")->isEnabled(), !converter);
      // The parsing items go with their menu.
      QCOMPARE(window->Control("Autodetectformat1")->isEnabled(), converter);
      QCOMPARE(window->Control("Readerinterfacemode2")->isVisible(), !converter);
      // Commands whose handlers come later stay off in every mode.
      for (const ControlInfo& control : Controls()) {
        if (CommandImplemented(control.command)) continue;
        QVERIFY2(!window->Control(QString::fromUtf8(control.name.data(), int(control.name.size())))->isEnabled(),
                 control.name.data());
      }
      const char* checked[] = {"Simpleinterfacemode1", "Advancedinterfacemode1", "Readerinterfacemode2"};
      QVERIFY(window->Control(checked[mode])->isChecked());
      QCOMPARE(window->ActiveBrowser(), mode == kAdvancedMode ? window->PreviewBrowser() : window->PanelBrowser());
    }
  }

  void EveryToolbarShowsTheButtonsOfItsRowsInTheirOrder() {
    auto window = Window();
    QSet<QString> names;
    for (const ControlInfo& control : Controls()) {
      QVERIFY2(!names.contains(ToQtName(control.name)), control.name.data());
      names << ToQtName(control.name);
      QCOMPARE(control.kind == ControlKind::ToolButton, control.toolBar != ToolBarId::None);
    }
    int buttons = 0;
    for (const ToolBarId id : {ToolBarId::Preview, ToolBarId::HtmlEditor, ToolBarId::SourceEditor, ToolBarId::Panel}) {
      auto* bar = window->findChild<QToolBar*>(ToQtName(ToolBarName(id)));
      QVERIFY(bar != nullptr);
      QStringList expected;
      for (const ControlInfo* button : ToolBarButtons(id)) {
        if (button->opensGroup) expected << "|";
        expected << ToQtName(button->name);
        ++buttons;
      }
      QStringList shown;
      for (QAction* action : bar->actions()) shown << (action->isSeparator() ? QString("|") : action->objectName());
      QCOMPARE(shown, expected);
    }
    QCOMPARE(buttons, int(std::count_if(Controls().begin(), Controls().end(), [](const ControlInfo& c) {
               return c.kind == ControlKind::ToolButton;
             })));
    // The preview toolbar as a user sees it.
    QCOMPARE(window->findChild<QToolBar*>("ToolBar3")->actions().size(), 19);
  }

  void ChoosingTheModeInUseChangesNothing() {
    store_.Set("Asked about title", "1");
    auto window = Window();
    window->InterfaceModeClick(kAdvancedMode);
    QCOMPARE(window->PreviousMode(), kSimpleMode);
    const int reads = controller_->reads;
    window->options().SetNumber(Opt::PreviousMode, 7);
    window->SetInterfaceMode(kAdvancedMode);
    QCOMPARE(window->PreviousMode(), 7);
    QCOMPARE(controller_->reads, reads);
  }

  void TheWindowFollowsTheModeOption() {
    // The option tree changes the mode through its option, as a load does.
    store_.Set("Asked about title", "1");
    auto window = Window();
    window->options().SetNumber(Opt::InterfaceMode, kReaderMode);
    QCOMPARE(window->InterfaceMode(), kReaderMode);
    QCOMPARE(window->PreviousMode(), kSimpleMode);
    QVERIFY(window->Control("Readerinterfacemode2")->isChecked());
    QVERIFY(ModeEnabled(*window, "ReaderRoot"));
    QCOMPARE(window->ActiveBrowser(), window->PanelBrowser());

    window->options().SetNumber(Opt::InterfaceMode, kAdvancedMode);
    QCOMPARE(window->InterfaceMode(), kAdvancedMode);
    QCOMPARE(window->PreviousMode(), kSimpleMode);  // the reader is never the mode to go back to
    QVERIFY(window->findChild<QWidget*>("RightPanel")->isVisible());
    QVERIFY(window->Control("Advancedinterfacemode1")->isChecked());

    // A value that is no mode leaves the window as it is.
    window->options().SetNumber(Opt::InterfaceMode, 5);
    QCOMPARE(window->InterfaceMode(), kAdvancedMode);
    window->SetInterfaceMode(-1);
    QCOMPARE(window->InterfaceMode(), kAdvancedMode);
  }

  void LeavingTheReaderReturnsToTheModeItCameFrom() {
    store_.Set("Asked about title", "1");
    auto window = Window();
    Load(*window, Sample());
    QCOMPARE(controller_->reads, 1);
    window->SetInterfaceMode(kReaderMode);
    window->SetInterfaceMode(window->PreviousMode());
    QCOMPARE(window->InterfaceMode(), kSimpleMode);

    // Entering the advanced mode loads the source again, coming back to it
    // from the reader does not.
    window->InterfaceModeClick(kAdvancedMode);
    QCOMPARE(controller_->reads, 2);
    window->SetInterfaceMode(kReaderMode);
    window->SetInterfaceMode(window->PreviousMode());
    QCOMPARE(window->InterfaceMode(), kAdvancedMode);
    QCOMPARE(controller_->reads, 2);
  }

  void TheAdvancedModeWarningIsShownOnceEver() {
    {
      auto window = Window();
      ModalAnswerer no([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::No); });
      window->InterfaceModeClick(kAdvancedMode);
      QCOMPARE(no.seen.size(), 1);
      QVERIFY(no.seen.first().startsWith("Advanced interface mode was designed"));
      QCOMPARE(window->InterfaceMode(), kSimpleMode);
      QVERIFY(window->Control("Simpleinterfacemode1")->isChecked());
      QVERIFY(!window->AdvancedConfirmed());
    }
    {
      auto window = Window();
      ModalAnswerer yes([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Yes); });
      window->InterfaceModeClick(kAdvancedMode);
      QCOMPARE(window->InterfaceMode(), kAdvancedMode);
      window->InterfaceModeClick(kSimpleMode);
      window->InterfaceModeClick(kAdvancedMode);
      QCOMPARE(yes.seen.size(), 1);
      window->InterfaceModeClick(kSimpleMode);
    }
    // After a restart the answer is remembered.
    auto window = Window();
    ModalAnswerer watcher([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::No); });
    window->InterfaceModeClick(kAdvancedMode);
    QCOMPARE(window->InterfaceMode(), kAdvancedMode);
    QVERIFY(watcher.seen.isEmpty());
  }

  void AutodetectionDisablesThePresets() {
    auto window = Window();
    const char* presets[] = {"ToolButton41", "ToolButton42", "ToolButton43", "ToolButton56", "ToolButton57",
                             "ToolButton58", "Threatasfixedwidth1", "Threataslineparagraph1", "Threatashtml1"};
    QVERIFY(window->options().Flag(Opt::AutoDetectTextFormat));
    for (const char* name : presets) QVERIFY2(!window->Control(name)->isEnabled(), name);
    for (const char* name : {"ToolButton44", "ToolButton54", "Autodetectformat1"})
      QVERIFY(window->Control(name)->isChecked());

    window->Control("ToolButton54")->trigger();
    QVERIFY(!window->options().Flag(Opt::AutoDetectTextFormat));
    for (const char* name : presets) QVERIFY2(window->Control(name)->isEnabled(), name);
    for (const char* name : {"ToolButton44", "ToolButton54", "Autodetectformat1"})
      QVERIFY(!window->Control(name)->isChecked());

    // The reader toolbar's presets are off in the reader mode; coming back
    // they follow autodetection again.
    window->SetInterfaceMode(kReaderMode);
    for (const char* name : kPresetsOfTheReaderToolbar) QVERIFY(!window->Control(name)->isEnabled());
    window->SetInterfaceMode(kSimpleMode);
    for (const char* name : kPresetsOfTheReaderToolbar) QVERIFY(window->Control(name)->isEnabled());
    window->Control("Autodetectformat1")->trigger();
    window->SetInterfaceMode(kReaderMode);
    window->SetInterfaceMode(kSimpleMode);
    for (const char* name : kPresetsOfTheReaderToolbar) QVERIFY(!window->Control(name)->isEnabled());
  }

  void ALoadedBookIsConvertedAndShown() {
    auto window = Window();
    QSignalSpy tasks(&window->status(), &StatusPanels::TaskShown);
    Load(*window, Sample());
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - shinel.txt"));
    QCOMPARE(Conversions(tasks), 1);
    QCOMPARE(window->status().Task(), QString("Ready"));
    QVERIFY(window->DocumentShown());
    // The detected preset is pressed on every toolbar and in the menu.
    const int style = window->Control("ToolButton56")->isChecked()   ? 0
                      : window->Control("ToolButton57")->isChecked() ? 1
                                                                       : 2;
    const char* trio[3][3] = {{"ToolButton41", "ToolButton56", "Threatasfixedwidth1"},
                              {"ToolButton42", "ToolButton57", "Threataslineparagraph1"},
                              {"ToolButton43", "ToolButton58", "Threatashtml1"}};
    for (int s = 0; s < 3; ++s)
      for (const char* name : trio[s]) QCOMPARE(window->Control(name)->isChecked(), s == style);

    WebBrowser* browser = window->ActiveBrowser();
    QVERIFY(browser->WaitUntilReady());
    QCOMPARE(browser->LocationUrl(), PreviewUrl(*window));
    const QString body = *browser->BodyHtml();
    QVERIFY(body.contains(QString::fromUtf8("Башмачкин")));
    QVERIFY(body.contains("This text was formated to HTML using"));
    QVERIFY(QFile::exists(PathText(window->controller().PreviewPath())));
  }

  void NeitherThePreviewNorTheReaderRunsADocumentsScript() {
    // Scripts kept by the conversion (their removal switched off) stay
    // inert in the preview.
    auto window = Window();
    window->options().SetFlag(Opt::KillFormsScripts, false);
    const QString source = dir_.filePath("scripted.html");
    QVERIFY(test::WriteFile(source, "<html><head><title>Scripted</title></head><body>\n<p>static words "
                              "of the book</p>\n<script>document.body.innerHTML = 'go' + 'ne';"
                              "</script>\n</body></html>\n"));
    Load(*window, source);
    WebBrowser* preview = window->ActiveBrowser();
    QVERIFY(preview->WaitUntilReady());
    QCOMPARE(preview->LocationUrl(), PreviewUrl(*window));
    QVERIFY(ReadFile(PathText(window->controller().PreviewPath())).contains("<script"));
    QTest::qWait(300);
    QVERIFY(preview->BodyHtml()->contains("static words of the book"));
    QVERIFY(!preview->BodyHtml()->contains("gone"));

    // A note link of a document being read opens the program's note window.
    const HtmlTemplates t;
    const QString book = dir_.filePath("noted.html");
    QVERIFY(test::WriteFile(book, QByteArray("<html><body><p>") +
                                QByteArray::fromStdString(t.scriptCode1).replace(
                                    "style=\"", "style=\"position:fixed;left:0;top:0;width:300px;"
                                                "height:80px;display:block;") +
                                "first line<br>second &quot;line&quot;" + t.scriptCode2.c_str() +
                                "the noted words" + t.scriptCode3.c_str() + "</p></body></html>"));
    // The book lacks the generator mark: read it without the question.
    window->options().SetNumber(Opt::OpenForEditingNotConverted, 2);
    window->SetInterfaceMode(kReaderMode);
    window->OpenForReading(book);
    WebBrowser* reader = window->ActiveBrowser();
    QVERIFY(reader->WaitUntilReady());
    auto* view = reader->findChild<QWebEngineView*>();
    QTRY_VERIFY(view->focusProxy() != nullptr);
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(20, 20));
    TCommentWnd* note = window->CommentWindow();
    QTRY_VERIFY(note->isVisible());
    QCOMPARE(note->windowTitle(), QString("Comment"));
    QCOMPARE(note->size(), QSize(TCommentWnd::kWidth, TCommentWnd::kHeight));
    QCOMPARE(note->NoteHtml(), QString("first line<br>second \"line\""));
    QCOMPARE(note->NoteText(), QString("first line\nsecond \"line\""));
    QCOMPARE(reader->LocationUrl(), QUrl::fromLocalFile(book).toString());
  }

  void ConvertingAgainConvertsOnceAndShowsTheNewResult() {
    auto window = Window();
    QSignalSpy tasks(&window->status(), &StatusPanels::TaskShown);
    Load(*window, Sample());
    window->controller().SetSourceText("Akaky Akakievich Bashmachkin");
    window->Control("ReParceBtn1")->trigger();
    QCOMPARE(Conversions(tasks), 2);
    WebBrowser* browser = window->ActiveBrowser();
    QVERIFY(browser->WaitUntilReady());
    QTRY_VERIFY(browser->BodyHtml()->contains("Bashmachkin"));
    // Up to date: showing the Preview tab converts nothing.
    window->ShowPreviewPage();
    QCOMPARE(Conversions(tasks), 2);
  }

  void APresetConvertsOnce() {
    store_.Set("AutoDetect text format", "0");
    auto window = Window();
    Load(*window, Sample());
    QSignalSpy tasks(&window->status(), &StatusPanels::TaskShown);
    window->Control("ToolButton43")->trigger();
    QCOMPARE(Conversions(tasks), 1);
    QCOMPARE(window->options().Number(Opt::LongStringsMin), kLengthOff);
    QVERIFY(window->Control("ToolButton58")->isChecked());
    QVERIFY(window->Control("Threatashtml1")->isChecked());
    QVERIFY(!window->Control("ToolButton41")->isChecked());
    window->Control("Threatasfixedwidth1")->trigger();
    QCOMPARE(Conversions(tasks), 2);
    QCOMPARE(window->options().Number(Opt::LongStringsMin), 81);
    QCOMPARE(window->options().Number(Opt::ShortStringsMax), 0);
  }

  void SavingWritesWhatTheCommandLineWrites() {
    auto window = Window();
    const QString saved = dir_.filePath("saved.htm");
    window->SetSaveFileName(saved);
    // Nothing converted yet: nothing is written.
    QVERIFY(!window->SaveHTML(false));
    QVERIFY(!QFile::exists(saved));

    Load(*window, Sample());
    QVERIFY(window->SaveHTML(false));
    const QString theirs = dir_.filePath("theirs.html");
    std::ostringstream out, err;
    QCOMPARE(RunConvertCommand({PathBytes(Sample()), "-o", PathBytes(theirs), "-q"}, out, err, false), 0);
    QCOMPARE(ReadFile(saved), ReadFile(theirs));
  }

  void TheTitleDialogOfALoadReachesTheDocument() {
    store_.Set("Ask about title", "1");
    auto window = Window();
    ModalAnswerer answerer([](QWidget* d) {
      d->findChild<QLineEdit*>("ShortTitle")->setText("Overcoat");
      ModalAnswerer::Click(d, "done");
    });
    Load(*window, Sample());
    QCOMPARE(answerer.seen, QStringList{"Document properties"});
    QVERIFY(window->ActiveBrowser()->WaitUntilReady());
    QCOMPARE(window->ActiveBrowser()->LocationName(), QString("Overcoat"));
  }

  void ARefusedOrFailedLoadChangesNothing() {
    auto window = Window();
    Load(*window, Sample());
    const auto source = window->controller().GetSourceLines();
    const auto result = window->controller().GetResultLines();
    const QString shown = window->ActiveBrowser()->LocationUrl();

    controller_->refuse = true;
    Load(*window, Sample("other.txt"));
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - shinel.txt"));
    QVERIFY(window->controller().GetSourceLines() == source);
    QVERIFY(window->controller().GetResultLines() == result);
    QVERIFY(window->controller().Converted());
    QCOMPARE(window->ActiveBrowser()->LocationUrl(), shown);

    controller_->refuse = false;
    ModalAnswerer ok([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Ok); });
    Load(*window, dir_.filePath("missing.txt"));
    QCOMPARE(ok.seen.size(), 1);
    QVERIFY(ok.seen.first().contains("missing.txt"));
    QVERIFY(window->controller().GetSourceLines() == source);
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - shinel.txt"));
  }

  void TheLargeFileQuestionDecidesWhetherABigBookLoads() {
    auto window = Window();
    Load(*window, Sample());
    const auto source = window->controller().GetSourceLines();
    const QString shown = window->ActiveBrowser()->LocationUrl();
    // 2 MB exactly is not large; one byte more is.
    const QByteArray line = "A line of a long book, long enough to be a paragraph of its own.\r\n";
    QByteArray text = line.repeated(2097152 / line.size() + 1).left(2097152);
    const QString limit = dir_.filePath("limit.txt");
    const QString large = dir_.filePath("large.txt");
    QVERIFY(test::WriteFile(limit, text));
    QVERIFY(test::WriteFile(large, text + "x"));

    ModalAnswerer cancel([](QWidget* d) { ModalAnswerer::Click(d, "cancel"); });
    Load(*window, large);
    QCOMPARE(cancel.seen, QStringList{"Large file!"});
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - shinel.txt"));
    QVERIFY(window->controller().GetSourceLines() == source);
    QCOMPARE(window->ActiveBrowser()->LocationUrl(), shown);

    Load(*window, limit);
    QCOMPARE(cancel.seen.size(), 1);
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - limit.txt"));

    ModalAnswerer proceed([](QWidget* d) {
      d->findChild<QCheckBox*>("neverAsk")->setChecked(true);
      ModalAnswerer::Click(d, "proceed");
    });
    Load(*window, large);
    QCOMPARE(proceed.seen, QStringList{"Large file!"});
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - large.txt"));
    QVERIFY(!window->options().Flag(Opt::AskAboutLargeFiles));
    Load(*window, large);
    QCOMPARE(proceed.seen.size(), 1);
  }

  void AProducedDocumentIsReadOrConvertedAgainAsSet_data() {
    QTest::addColumn<int>("setting");
    QTest::addColumn<QString>("choice");  // in the question, when it is asked
    QTest::addColumn<bool>("read");
    QTest::newRow("asked, reading") << 0 << "reading" << true;
    QTest::newRow("asked, editing") << 0 << "editing" << false;
    QTest::newRow("asked, cancelled") << 0 << "cancel" << false;
    QTest::newRow("always read") << 1 << "" << true;
    QTest::newRow("always convert") << 2 << "" << false;
  }
  void AProducedDocumentIsReadOrConvertedAgainAsSet() {
    QFETCH(int, setting);
    QFETCH(QString, choice);
    QFETCH(bool, read);
    auto window = Window();
    Load(*window, Sample());
    const QString produced = dir_.filePath("produced.html");
    window->SetSaveFileName(produced);
    QVERIFY(window->SaveHTML(false));
    window->options().SetNumber(Opt::OpenForReadingConverted, setting);

    ModalAnswerer answerer([&](QWidget* d) {
      if (choice == "cancel") return ModalAnswerer::Click(d, "cancel");
      d->findChild<QRadioButton*>(choice.toLatin1().constData())->setChecked(true);
      ModalAnswerer::Click(d, "ok");
    });
    Load(*window, produced);
    QCOMPARE(answerer.seen, setting == 0 ? QStringList{"Formating detected"} : QStringList{});
    if (choice == "cancel") {
      QCOMPARE(window->windowTitle(), QString("Norvella (converter) - shinel.txt"));
      QCOMPARE(window->InterfaceMode(), int(kSimpleMode));
      return;
    }
    QCOMPARE(window->InterfaceMode(), int(read ? kReaderMode : kSimpleMode));
    QCOMPARE(window->windowTitle(),
             QString(read ? "Norvella (reader) - produced.html" : "Norvella (converter) - produced.html"));
  }

  void TheEncodingQuestionsConvertOnlyWhenAnsweredYes_data() {
    QTest::addColumn<QString>("encoded");
    QTest::addColumn<QString>("windows");
    QTest::addColumn<QString>("question");
    QTest::newRow("MS-DOS") << "kashtanka.fixed.cp866.txt" << "kashtanka.fixed.cp1251.txt"
                            << "This text seems to be MS-DOS (RU) encoded, convert it to correct encoding?";
    QTest::newRow("KOI8") << "shinel.fixed.koi8r.txt" << "shinel.fixed.cp1251.txt"
                          << "This text seems to be COI8-RU encoded, convert it to correct encoding?";
  }
  void TheEncodingQuestionsConvertOnlyWhenAnsweredYes() {
    QFETCH(QString, encoded);
    QFETCH(QString, windows);
    QFETCH(QString, question);
    const QString corpus = NORVELLA_CORPUS_DIR;
    if (!QFile::exists(corpus + "/" + encoded)) QSKIP("the corpus is not there");
    QFile::copy(corpus + "/" + encoded, dir_.filePath(encoded));
    QFile::copy(corpus + "/" + windows, dir_.filePath(windows));
    auto window = Window();
    Load(*window, dir_.filePath(windows));
    const auto reference = window->controller().GetSourceLines();

    {
      QString asked;
      ModalAnswerer no([&](QWidget* d) {
        for (const QLabel* label : d->findChildren<QLabel*>()) asked += label->text();
        ModalAnswerer::Click(d, "no");
      });
      Load(*window, dir_.filePath(encoded));
      QCOMPARE(no.seen.size(), 1);
      QCOMPARE(asked, question);
      QVERIFY(window->controller().GetSourceLines() != reference);
    }

    ModalAnswerer yes([](QWidget* d) { ModalAnswerer::Click(d, "yes"); });
    Load(*window, dir_.filePath(encoded));
    QCOMPARE(yes.seen.size(), 1);
    QVERIFY(window->controller().GetSourceLines() == reference);
  }

  void AFailureInsideALoadIsShownAndTheWindowGoesOn() {
    auto window = Window();
    Load(*window, Sample());
    controller_->fail = true;
    ModalAnswerer ok([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Ok); });
    Load(*window, Sample("other.txt"));
    QCOMPARE(ok.seen, QStringList{"the reading failed half way"});
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - shinel.txt"));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    controller_->fail = false;
    Load(*window, Sample("other.txt"));
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - other.txt"));
  }

  void DroppingThreeFilesLoadsTheFirstAndSaysSoOnce() {
    auto window = Window();
    ModalAnswerer ok([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Ok); });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Sample("first.txt")), QUrl::fromLocalFile(Sample("second.txt")),
                  QUrl::fromLocalFile(Sample("third.txt"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    QTRY_COMPARE(window->windowTitle(), QString("Norvella (converter) - first.txt"));
    QCOMPARE(ok.seen, QStringList{"Multiple drops not supported. Now opening first file only"});
    QCOMPARE(controller_->reads, 1);

    // One file: no message.
    window->OpenDroppedFiles({QUrl::fromLocalFile(Sample("second.txt"))});
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - second.txt"));
    QCOMPARE(ok.seen.size(), 1);
  }

  void ThePreviewFollowsTheModeIntoTheOtherBrowser() {
    store_.Set("Interface mode", "1");
    store_.Set("Asked about title", "1");
    auto window = Window();
    Load(*window, Sample());
    QCOMPARE(window->ActiveBrowser(), window->PreviewBrowser());
    QVERIFY(window->PreviewBrowser()->WaitUntilReady());
    QCOMPARE(window->PreviewBrowser()->LocationUrl(), PreviewUrl(*window));

    // The full-window browser has never shown the preview: refreshing it
    // would leave it blank, so it is sent to the file.
    window->InterfaceModeClick(kSimpleMode);
    WebBrowser* panel = window->PanelBrowser();
    QVERIFY(panel->WaitUntilReady());
    QCOMPARE(panel->LocationUrl(), PreviewUrl(*window));
    QVERIFY(panel->BodyHtml()->contains(QString::fromUtf8("Башмачкин")));
  }

  void ThePreviewTabGivesWayToTheFullWindowBrowser() {
    store_.Set("Interface mode", "1");
    store_.Set("Asked about title", "1");
    store_.Set("Show HTML", "1");
    auto window = Window();
    auto* tabs = window->findChild<QTabWidget*>("PageControl1");
    QVERIFY(tabs->isTabVisible(1));
    QVERIFY(!tabs->isTabVisible(2));
    Load(*window, Sample());
    QVERIFY(window->PreviewBrowser()->WaitUntilReady());

    window->options().SetFlag(Opt::ShowHtml, false);
    QVERIFY(!window->PreviewTabShown());
    QVERIFY(!tabs->isTabVisible(0));
    QCOMPARE(window->ActiveBrowser(), window->PanelBrowser());
    QVERIFY(window->PanelBrowser()->WaitUntilReady());
    QCOMPARE(window->PanelBrowser()->LocationUrl(), PreviewUrl(*window));

    window->options().SetFlag(Opt::UseSourceEditor, true);
    QVERIFY(window->PreviewTabShown());
    QVERIFY(tabs->isTabVisible(0));
    QVERIFY(tabs->isTabVisible(2));
    QCOMPARE(window->ActiveBrowser(), window->PreviewBrowser());
    // Outside the advanced mode the rule does nothing.
    window->InterfaceModeClick(kSimpleMode);
    window->options().SetFlag(Opt::UseSourceEditor, false);
    QVERIFY(window->PreviewTabShown());
  }

  // An empty file and a file that is not text leave the book shown, the
  // file a reload would read and the window as they were; their messages
  // belong to the window.
  void FilesWithoutTextLeaveTheShownBookAlone() {
    auto window = Window();
    Load(*window, Sample());
    const QString title = window->windowTitle();
    const QString preview = PreviewUrl(*window);
    const QRect geometry = window->geometry();
    const QString empty = dir_.filePath("empty.txt");
    const QString picture = dir_.filePath("cover.png");
    QVERIFY(test::WriteFile(empty, " \r\n"));
    QVERIFY(test::WriteFile(picture, QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)));

    QList<QWidget*> parents;
    QStringList defaults;
    ModalAnswerer answerer([&](QWidget* dialog) {
      parents << dialog->parentWidget();
      auto* box = qobject_cast<QMessageBox*>(dialog);
      if (box != nullptr && box->defaultButton() != nullptr) defaults << box->defaultButton()->text();
      if (box != nullptr && box->defaultButton() != nullptr) box->defaultButton()->click();
      else ModalAnswerer::Click(dialog, QMessageBox::Ok);
    });
    Load(*window, empty);
    QTRY_COMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.at(0), QString("The file holds no text; nothing was loaded."));
    QCOMPARE(window->status().Task(), QString("Ready"));
    Load(*window, picture);
    QTRY_COMPARE(answerer.seen.size(), 2);
    QCOMPARE(answerer.seen.at(1), QString("\"cover.png\" does not look like a text or HTML file. Open it anyway?"));
    QCOMPARE(defaults.value(1), QString("No"));
    QCOMPARE(parents, (QList<QWidget*>{window.get(), window.get()}));

    QCOMPARE(window->SourceFileName(), Sample());
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(PreviewUrl(*window), preview);
    QCOMPARE(window->geometry(), geometry);
    QCOMPARE(window->status().Task(), QString("Ready"));
  }

  // The desktop's own keys work beside the command table's, and no key
  // belongs to two commands.
  void DesktopKeysOpenAndCloseWithoutClashing() {
    auto window = Window();
    QCOMPARE(window->Control("Open1")->shortcuts(),
             (QList<QKeySequence>{QKeySequence("Ctrl+F12"), QKeySequence("Ctrl+O")}));
    QVERIFY(window->Control("Exit1")->shortcuts().contains(QKeySequence("Ctrl+Q")));
    QVERIFY(window->Control("Exit1")->shortcuts().contains(QKeySequence("Ctrl+W")));
    QVERIFY(window->Control("FullScreen1")->shortcuts().contains(QKeySequence("F11")));
    QMap<QString, QString> owner;
    for (const ControlInfo& control : Controls()) {
      for (const QKeySequence& key : window->Control(ToQtName(control.name))->shortcuts()) {
        const QString text = key.toString();
        QVERIFY2(!owner.contains(text), qPrintable(text + " of " + owner.value(text) + " and " + ToQtName(control.name)));
        owner[text] = ToQtName(control.name);
      }
    }
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(!window->isVisible());
  }

  void TheWindowComesBackWhereItWasLeft() {
    const QRect screen = Window()->screen()->availableGeometry();
    {
      auto window = Window();
      window->setGeometry(screen.x() + 40, screen.y() + 50, 640, 480);
    }
    QVERIFY(!store_.Value("Window placement").empty());
    {
      auto window = Window();
      QCOMPARE(window->geometry(), QRect(screen.x() + 40, screen.y() + 50, 640, 480));
      window->showMaximized();
      QTRY_VERIFY(window->isMaximized());
    }
    {
      auto window = Window();
      QVERIFY(window->isMaximized());
      QCOMPARE(window->normalGeometry(), QRect(screen.x() + 40, screen.y() + 50, 640, 480));
    }
    const QSize comfortable(screen.width() * 3 / 4, screen.height() * 3 / 4);
    for (const char* bad : {"garbage", "40 50 20 20 0", "9000 9000 640 480 0"}) {
      store_.Set("Ask about title", "0");
      store_.registry.Open(kSettingsKey)->WriteString("Window placement", bad);
      auto window = Window();
      QVERIFY2(!window->isMaximized(), bad);
      QCOMPARE(window->geometry(), QRect(QPoint(screen.x() + (screen.width() - comfortable.width()) / 2,
                                                screen.y() + (screen.height() - comfortable.height()) / 2),
                                         comfortable));
    }
  }

  void ClosingKeepsTheSettingsAndDeletesTheTemporaryFiles() {
    auto window = Window();
    Load(*window, Sample());
    const QString preview = PathText(window->controller().PreviewPath());
    QVERIFY(QFile::exists(preview));
    window->resize(700, 500);
    window->options().SetNumber(Opt::LongStringsMin, 90);
    window.reset();
    QVERIFY(!QFile::exists(preview));
    QCOMPARE(store_.saves, 1);
    QCOMPARE(store_.Value("Londg strings min"), std::string("90"));
    QCOMPARE(store_.Value("Window Width"), std::string("700"));
    QCOMPARE(store_.Value("Interface mode"), std::string("0"));
  }

  void TheStatusBarRepaintsAPercentageOnlyWhenItChanges() {
    auto window = Window();
    StatusPanels& status = window->status();
    const int before = status.Repaints();
    status.ProgressChanged(5);
    status.ProgressChanged(5);
    QCOMPARE(status.Percent(), QString("5%"));
    QCOMPARE(status.Repaints(), before + 1);
    status.TaskChanged("CurrentTask: \xd7\xf2\xe5\xed\xe8\xe5");
    QCOMPARE(status.Task(), QString::fromUtf8("CurrentTask: Чтение"));
    // A whole conversion repaints once per task text and at most once per
    // whole percentage of each step, not once per line.
    QSignalSpy tasks(&status, &StatusPanels::TaskShown);
    const int start = status.Repaints();
    Load(*window, Sample());
    const int percentRepaints = status.Repaints() - start - int(tasks.count());
    QVERIFY(percentRepaints > 0);
    QVERIFY(percentRepaints <= 101 * int(tasks.count()));
    QCOMPARE(ClockText(QTime(9, 5, 7)).contains("05"), true);
  }

  void SendingToRocketStartsTheLibrarianWithThePreviewPath() {
    const QString bin = dir_.filePath("bin");
    QDir().mkpath(bin);
    const QString record = dir_.filePath("librarian-got.txt");
    QFile script(bin + "/RocketLibrarian");
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" + record + "'\n").toUtf8());
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8() + ":" + path);

    auto window = Window();
    Load(*window, Sample("with space.txt"));
    window->Control("Sendtorocket1")->trigger();
    QTRY_VERIFY(QFile::exists(record));
    QTRY_COMPARE(QString::fromUtf8(ReadFile(record)), "1|" + PathText(window->controller().PreviewPath()));

    // A librarian that cannot be started is never silent.
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ModalAnswerer ok([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Ok); });
    window->Control("Sendtorocket1")->trigger();
    QTRY_COMPARE(ok.seen.size(), 1);
    QVERIFY2(ok.seen.at(0).startsWith("RocketLibrarian could not be started.\n"), qPrintable(ok.seen.at(0)));
    QFile::remove(bin + "/RocketLibrarian");
    window->Control("Sendtorocket1")->trigger();
    QTRY_COMPARE(ok.seen.size(), 2);
    QVERIFY2(ok.seen.at(1).endsWith("RocketLibrarian was not found on the PATH."), qPrintable(ok.seen.at(1)));
    qputenv("PATH", path);
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::MainWindowTest)
#include "main_window_test.moc"
