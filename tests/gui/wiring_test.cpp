// The desktop program on its real settings file and its real source
// loading: what survives a restart, and what a load of an encoded or
// unreachable source gives.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/store.h"
#include "core/settings/settings_io.h"
#include "gui/app/settings_app_store.h"
#include "gui/app/startup.h"
#include "gui/convert/converter_controller.h"
#include "gui/source/source_dialogs.h"
#include "gui/common/qt_text.h"
#include "gui/ui/main_window.h"
#include "gui/ui/web_browser.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/unprivileged.h"

namespace norvella {

// A store over a settings file, as the program's own, that records the
// options of the controller as they are whenever the store is kept: the
// last time is the save at exit.
class RecordingStore final : public AppStore {
 public:
  RecordingStore(std::string path, Options& saved) : file_(std::move(path)), saved_(saved) { file_.Load(); }

  Registry& Keys() override { return file_.Keys(); }
  const Registry& Keys() const override { return file_.Keys(); }

  const ConverterController* controller = nullptr;

 protected:
  void Persist() override {
    if (controller != nullptr) {
      saved_ = controller->options();
      saved_.SetListener(nullptr);
    }
    QVERIFY(file_.Save().ok());
  }

 private:
  SettingsStore file_;
  Options& saved_;
};

class WiringTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  std::string StorePath() { return PathBytes(dir_.filePath("config/norvella/registry.reg")); }

 private slots:
  void TheTestsNeverSeeTheUsersOwnStore() {
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY(!home.isEmpty());
    QVERIFY(PathText(DefaultStorePath()).startsWith(home + "/"));
  }

  void SettingsSurviveARestartThroughTheStoreFile() {
    {
      SettingsAppStore store(StorePath());
      ConverterController c(store);
      QVERIFY(!c.LoadSettings().ShowBuildCheck());
      c.options().SetNumber(Opt::LongStringsMin, 91);
      c.options().SetText(Opt::OpenEpigraph, "");
      SaveSettingsState state;
      state.executablePath = "/opt/norvella/bin/norvella";
      c.SaveSettings(state);
      QVERIFY(!store.MarkWarningShown());
    }
    QVERIFY(QFile::exists(PathText(StorePath())));
    SettingsAppStore again(StorePath());
    ConverterController c(again);
    c.LoadSettings();
    QCOMPARE(c.options().Number(Opt::LongStringsMin), 91);
    // An empty epigraph tag is brought back to its built-in text.
    QCOMPARE(c.options().Text(Opt::OpenEpigraph), std::string(Info(Opt::OpenEpigraph).textDefault));
    QVERIFY(again.MarkWarningShown());
    // The start wrote the built-in font tables into the store.
    QVERIFY(again.KeyExists(std::string(kSettingsKey) + "\\" + std::string(kFontsKey)));
    QVERIFY(again.KeyExists(kUninstallKey));

    again.RemoveStoredData();
    SettingsAppStore removed(StorePath());
    QVERIFY(!removed.KeyExists(kSettingsKey));
    QVERIFY(!removed.KeyExists(kUninstallKey));
    QVERIFY(!removed.KeyExists(kMakerKey));
  }

  // The window at exit with no document, with a preview, with a document in
  // the reader, in each interface mode: what it saves into the settings
  // file comes back whole at the next start.
  void SettingsSurviveARestartWhateverTheWindowShowedAtExit_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("shown");
    for (const int mode : {kSimpleMode, kAdvancedMode, kReaderMode})
      for (const char* shown : {"nothing", "preview", "reader document"})
        QTest::addRow("mode %d, %s", mode, shown) << mode << QString(shown);
  }
  void SettingsSurviveARestartWhateverTheWindowShowedAtExit() {
    QFETCH(int, mode);
    QFETCH(QString, shown);
    const std::string path = PathBytes(dir_.filePath("restart/registry.reg"));
    QFile::remove(PathText(path));
    const QString book = dir_.filePath("book.txt");
    if (!QFile::exists(book)) QVERIFY(QFile::copy(NORVELLA_SAMPLES_DIR "/shinel.txt", book));
    const QString document = dir_.filePath("book.html");
    if (!QFile::exists(document)) {
      QFile file(document);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("<html><body><p>Read me</p></body></html>");
    }

    Options atExit;
    int modeAtExit = -1;
    {
      RecordingStore store(path, atExit);
      auto controller = std::make_unique<ConverterController>(store);
      store.controller = controller.get();
      auto window = std::make_unique<TMain>(std::move(controller), QString());
      Options& o = window->options();
      // Options of every part of the load order, the last ones included.
      o.SetFlag(Opt::AskAboutTitle, false);
      o.SetFlag(Opt::ConfirmToc, false);
      o.SetFlag(Opt::AskedAboutTitle, true);
      o.SetNumber(Opt::LongStringsMin, 95);
      o.SetText(Opt::RecentReaderFile0, "/books/first.html");
      o.SetNumber(Opt::OpenForReadingConverted, 2);
      // The reader document lacks the generator mark: read it without the question.
      o.SetNumber(Opt::OpenForEditingNotConverted, 2);
      o.SetFlag(Opt::AskAboutLargeFiles, false);
      o.SetText(Opt::DefStyleFontName, "Georgia");
      o.SetFlag(Opt::KillFontTags, true);
      o.SetFlag(Opt::TryToRestoreDirs, false);
      o.SetFlag(Opt::ApplyReaderStyleForNewDocs, false);
      window->show();
      window->SetInterfaceMode(mode);
      if (shown == "preview") {
        window->SetSourceFileName(book);
        window->LoadSrc(TMain::kLoadNamedFile);
      } else if (shown == "reader document") {
        window->OpenForReading(document);
      }
      QVERIFY(window->ActiveBrowser()->WaitUntilReady());
      // Converting a book leaves the reader for the mode it came from, here
      // the simple mode the window started in.
      const bool leftReader = mode == kReaderMode && shown == "preview";
      QCOMPARE(window->InterfaceMode(), leftReader ? int(kSimpleMode) : mode);
      modeAtExit = window->InterfaceMode();
    }
    QCOMPARE(atExit.Number(Opt::InterfaceMode), modeAtExit);

    SettingsAppStore again(path);
    Options loaded;
    LoadSettings(again.Keys(), loaded);
    for (const OptionInfo& info : OptionTable()) {
      const Opt source = info.id == Opt::LastReaderFileLower ? Opt::LastReaderFile : info.id;
      QVERIFY2(loaded.Number(info.id) == atExit.Number(source) && loaded.Text(info.id) == atExit.Text(source),
               info.name.data());
    }
    QVERIFY(loaded.Flag(Opt::KillFontTags));
    QVERIFY(!loaded.Flag(Opt::ApplyReaderStyleForNewDocs));
  }

  void AKoi8CorpusFileLoadsConverted() {
    const QString corpus = NORVELLA_CORPUS_DIR;
    if (!QFile::exists(corpus + "/shinel.fixed.koi8r.txt")) QSKIP("the corpus is not there");
    const QString koi = dir_.filePath("shinel.koi8r.txt");
    const QString windows = dir_.filePath("shinel.cp1251.txt");
    QVERIFY(QFile::copy(corpus + "/shinel.fixed.koi8r.txt", koi));
    QVERIFY(QFile::copy(corpus + "/shinel.fixed.cp1251.txt", windows));

    test::MemoryStore store;
    ConverterController c(store);
    c.options().SetFlag(Opt::AskAboutTitle, false);
    QWidget parent;
    TDetectWnd detect(c.strings(), &parent);
    TLarge large(c.strings(), &parent);
    ConversionQuestions conversion;
    DialogSourceQuestions questions(detect, large, c.strings(), conversion, &parent);
    c.SetSourceQuestions(&questions);

    test::ModalAnswerer answerer([](QWidget* dialog) { test::ModalAnswerer::Click(dialog, "yes"); });
    const SourceRead read = c.ReadSourceFile(PathBytes(koi), 1);
    QCOMPARE(read.kind, SourceRead::Kind::Text);
    QCOMPARE(answerer.seen, QStringList{"Wrong encoding detected"});
    const SourceRead reference = c.ReadSourceFile(PathBytes(windows), 1);
    QCOMPARE(reference.kind, SourceRead::Kind::Text);
    QVERIFY(read.text == reference.text);
    QCOMPARE(answerer.seen.size(), 1);
  }

  void AReadOnlyFolderGivesTheMessageAndLoadsNothing() {
    const QString folder = dir_.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString book = folder + "/book.txt";
    {
      QFile file(book);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("text");
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    test::MemoryStore store;
    ConverterController c(store);
    const int code = test::RunUnprivileged([&] {
      const SourceRead read = c.ReadSourceFile(PathBytes(book), 1);
      if (read.kind != SourceRead::Kind::ReadOnlyFolder) return 1;
      if (read.error.message != c.strings().Message("CantWorkWithReadOnly")) return 2;
      return c.FileName().empty() && c.GetSourceLines().empty() && c.PreviewPath().empty() ? 0 : 3;
    });
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(code, 0);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"book.txt"});
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::WiringTest)
#include "wiring_test.moc"
