// Start-up around the main window: the command line, the uninstall
// command, the page engine check, the file named on the command line and
// the orderly end on signals.

#include "gui/app/startup.h"

#include <csignal>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "gui/common/artwork.h"
#include "gui/app/shutdown_signals.h"
#include "gui/app/splash.h"
#include "gui/ui/main_window.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {

using test::MemoryStore;
using test::ModalAnswerer;

class StartupTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

 private:
  // A subkey's path (appending keeps GCC 12's overlap warning quiet).
  static std::string Sub(std::string_view key, const char* name) {
    std::string path(key);
    path.append("\\");
    path.append(name);
    return path;
  }

  static void AddMakerKeys(MemoryStore& store, bool otherProgram, bool otherValue) {
    store.AddKey(kMakerKey, otherValue ? 1 : 0);
    store.AddKey(kProgramKey);
    store.AddKey(kSettingsKey, 90);
    store.AddKey(Sub(kSettingsKey, "interface\\messages"), 12);
    store.AddKey(kUninstallKey, 2);
    if (otherProgram) store.AddKey(Sub(kMakerKey, "Other Program"), 3);
  }

  std::unique_ptr<TMain> Window(MemoryStore& store) {
    // Neither the title question nor the contents confirmation pops up.
    store.Set("Ask about title", "0");
    store.Set("Confirm table of content", "0");
    return std::make_unique<TMain>(std::make_unique<ConverterController>(store), QString());
  }

 private slots:
  void ArgumentsAreJoinedBySpaces() {
    QCOMPARE(JoinArguments({"/home/me/My", "Books/shinel.txt"}), QString("/home/me/My Books/shinel.txt"));
    QCOMPARE(JoinArguments({}), QString());
  }

  void UninstallIsRecognisedInAnyLetterCase() {
    QVERIFY(IsUninstallCommand({"/UNINSTALL"}));
    QVERIFY(IsUninstallCommand({"/uninstall"}));
    QVERIFY(IsUninstallCommand({"/UnInstall", "more"}));
    QVERIFY(!IsUninstallCommand({"book.txt", "/uninstall"}));
    QVERIFY(!IsUninstallCommand({}));
  }

  void UninstallRemovesTheMakersKeyOnlyWhenNothingElseIsInIt() {
    MemoryStore alone;
    AddMakerKeys(alone, false, false);
    alone.RemoveStoredData();
    QVERIFY(alone.registry.Empty());

    MemoryStore shared;
    AddMakerKeys(shared, true, false);
    shared.RemoveStoredData();
    QVERIFY(!shared.KeyExists(kSettingsKey));
    QVERIFY(!shared.KeyExists(Sub(kSettingsKey, "interface\\messages")));
    QVERIFY(!shared.KeyExists(kProgramKey));
    QVERIFY(shared.KeyExists(kMakerKey));
    QVERIFY(!shared.KeyExists(kUninstallKey));

    MemoryStore withValue;
    AddMakerKeys(withValue, false, true);
    withValue.RemoveStoredData();
    QVERIFY(!withValue.KeyExists(kProgramKey));
    QVERIFY(withValue.KeyExists(kMakerKey));

    // Something else kept under the program's own key keeps that key.
    MemoryStore otherVersion;
    AddMakerKeys(otherVersion, false, false);
    otherVersion.AddKey(Sub(kProgramKey, "2.00"), 4);
    otherVersion.RemoveStoredData();
    QVERIFY(otherVersion.KeyExists(kProgramKey));
    QVERIFY(otherVersion.KeyExists(kMakerKey));
  }

  void TheUninstallCommandAsksFirst() {
    MemoryStore store;
    AddMakerKeys(store, false, false);
    {
      ModalAnswerer no([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::No); });
      RunUninstall(store, nullptr);
      QCOMPARE(no.seen, QStringList{"Are you sure you want to remove all Norvella settings from registry?"});
      QVERIFY(store.KeyExists(kSettingsKey));
    }
    ModalAnswerer yes([](QWidget* d) {
      ModalAnswerer::Click(d, QMessageBox::Yes);
      ModalAnswerer::Click(d, QMessageBox::Ok);
    });
    RunUninstall(store, nullptr);
    QCOMPARE(yes.seen.size(), 2);
    QCOMPARE(yes.seen.last(), QString("No data is stored for program now. Remove executable manually."));
    QVERIFY(store.registry.Empty());
  }

  void TheBrowserCheckWarnsOncePerUserEver() {
    QVERIFY(BrowserVersionPasses("6.4.2"));
    QVERIFY(BrowserVersionPasses("4"));
    QVERIFY(!BrowserVersionPasses("3.9"));
    QVERIFY(!BrowserVersionPasses(""));
    QVERIFY(!BrowserVersionPasses("v6"));

    MemoryStore store;
    ModalAnswerer ok([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Ok); });
    CheckBrowserVersion("6.4.2", store, nullptr);
    QVERIFY(!store.WarningShown());  // the flag is looked at only when the check fails
    CheckBrowserVersion("3", store, nullptr);
    CheckBrowserVersion("3", store, nullptr);
    QCOMPARE(ok.seen, QStringList{"Looks like you have no IE4+ installed. This may cause some problems."});
    QVERIFY(store.WarningShown());
    QVERIFY(BrowserEngineAvailable());
  }

  void TheCommandLineFileIsOpenedWhenItExists() {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("My Books"));
    const QString book = dir.filePath("My Books/shinel.txt");
    QFile::copy(NORVELLA_SAMPLES_DIR "/shinel.txt", book);
    MemoryStore store;
    auto window = Window(store);
    OpenCommandLineFile(*window, {dir.filePath("My"), "Books/shinel.txt"});
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - shinel.txt"));
    QCOMPARE(window->SourceFileName(), book);

    ModalAnswerer ok([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::Ok); });
    OpenCommandLineFile(*window, {"/no/such", "book.txt"});
    QCOMPARE(ok.seen, QStringList{"Incorrect filename in parameters:\n\"/no/such book.txt\":\nFile does not exists"});
    // A folder is no file either.
    OpenCommandLineFile(*window, {dir.path()});
    QCOMPARE(ok.seen.size(), 2);
    OpenCommandLineFile(*window, {});
    QCOMPARE(ok.seen.size(), 2);
    QCOMPARE(window->windowTitle(), QString("Norvella (converter) - shinel.txt"));
  }

  void TheSplashIsItsPictureAndClosesAfterTheWindowShows() {
    QCOMPARE(SplashPicture().size(), QSize(467, 265));
    auto* splash = new TSplash;
    QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    splash->ShowNow();
    QPointer<TSplash> alive(splash);
    bool after = false;
    splash->CloseLater([&] { after = true; });
    QTest::qWait(200);
    QVERIFY(!after);
    QTRY_VERIFY(after);
    QTRY_VERIFY(alive.isNull());
    QVERIFY(!AppIconImage(48).isNull());
  }

  void ASignalEndsTheProgramTheOrderlyWay() {
    int calls = 0;
    EndGracefullyOnSignals([&] { ++calls; });
    std::raise(SIGTERM);
    QTRY_COMPARE(calls, 1);
    // The handler was a one-off; put a harmless one back for the rest.
    std::signal(SIGTERM, SIG_IGN);
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::StartupTest)
#include "startup_test.moc"
