// The window in another language: the shipped Russian localisation
// installed with the command line's import, every menu caption, toolbar
// hint, tree caption and tab caption and a message box in Russian; removed
// from the About box, English again at the next start. A localisation made
// for an old build relabels only the dialogs and is reported. The guide's
// page follows the localisation.

#include <memory>
#include <sstream>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "cli/convert_command.h"
#include "core/i18n/localisation.h"
#include "core/settings/settings_io.h"
#include "core/ui/option_tree.h"
#include "gui/app/settings_app_store.h"
#include "gui/common/control_texts.h"
#include "gui/common/external_links.h"
#include "gui/common/qt_text.h"
#include "gui/convert/document_dialogs.h"
#include "gui/i18n/about_box.h"
#include "gui/options/option_panel_widget.h"
#include "gui/options/option_tree_model.h"
#include "gui/source/source_dialogs.h"
#include "gui/ui/commands.h"
#include "gui/ui/main_window.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {
namespace {

using test::MemoryStore;
using test::ModalAnswerer;

const QString kRussianFile = QStringLiteral(NORVELLA_DATA_DIR "/localisations/russian.reg");

// The texts of one section of the shipped Russian file, read without the
// program's loading.
std::map<std::string, QString> RussianSection(std::string_view section) {
  std::string bytes;
  const FileResult read = ReadWholeFile(PathBytes(kRussianFile), bytes);
  if (!read.ok()) return {};
  Registry r;
  ApplyRegFile(ParseRegFile(bytes), r);
  std::map<std::string, QString> texts;
  const TMyReg reader(r, section);
  if (reader.Key() != nullptr)
    for (const std::string& name : reader.Key()->ValueNames()) texts[name] = ToQt(reader.ReadString({}, name));
  return texts;
}

// Whether a text is written in Russian: it has Cyrillic letters (tag and
// format names such as <pre> or PNG stay Latin).
bool Russian(const QString& text) {
  for (const QChar c : text)
    if (c.script() == QChar::Script_Cyrillic) return true;
  return false;
}

}  // namespace

class LocalisationWindowTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

 private:
  QTemporaryDir dir_;

  std::string StorePath() const { return PathBytes(dir_.filePath("registry.reg")); }

  static std::unique_ptr<TMain> Window(AppStore& store) {
    auto window = std::make_unique<TMain>(std::make_unique<ConverterController>(store), QString());
    window->show();
    return window;
  }

  static QStringList MenuTitles(TMain& window) {
    QStringList titles;
    for (QAction* menu : window.menuBar()->actions()) titles << menu->text();
    return titles;
  }

 private slots:
  void init() { QFile::remove(dir_.filePath("registry.reg")); }

  // The user's one command, then the whole window in Russian; the About
  // box removes it and the next start is English.
  void TheRussianInterfaceInstallsWithOneCommandAndGoesFromTheAboutBox() {
    std::ostringstream out, err;
    QCOMPARE(RunConvertCommand({"--settings", StorePath(), "--import", PathBytes(kRussianFile)}, out, err, false), 0);
    const auto menu = RussianSection(kMenu);
    const auto hints = RussianSection(kHints);
    const auto tree = RussianSection(kTree);
    const auto controls = RussianSection(kControlsMain);
    const auto messages = RussianSection(kMessages);
    QVERIFY(!menu.empty() && !hints.empty() && tree.size() == 55u);
    {
      SettingsAppStore store(StorePath());
      auto window = Window(store);
      for (const QString& title : MenuTitles(*window))
        QVERIFY2(title == "&?" || Russian(title), qPrintable(title));
      for (const ControlInfo& info : Controls()) {
        if (info.textKey.empty()) continue;
        const QAction* action = window->Control(ToQtName(info.name));
        const std::string key(info.textKey);
        if (info.kind == ControlKind::MenuItem) {
          // Without the guide beside the test program the item says so.
          if (info.command == Command::Help && !action->isEnabled()) continue;
          QCOMPARE(action->text(), menu.at(key));
        } else if (info.command == Command::EditorUndo || info.command == Command::EditorRedo) {
          // Their hints follow the editor's last action.
          QCOMPARE(action->toolTip(), controls.at(info.command == Command::EditorUndo ? "Undo " : "Redo "));
        } else {
          QCOMPARE(action->toolTip(), hints.at(key));
        }
      }
      auto* tabs = window->findChild<QTabWidget*>("PageControl1");
      QCOMPARE(tabs->tabText(0), controls.at("preview"));
      QCOMPARE(tabs->tabText(2), controls.at("SRC"));
      OptionTreeModel& model = window->OptionPanel()->model();
      for (int node = 0; node < kOptionNodeCount; ++node) {
        const QString caption = model.IndexOfNode(node).data().toString();
        QVERIFY2(Russian(caption), qPrintable(caption));
        // The value nodes carry their value after the localised words.
        const QString words = tree.at(std::to_string(node));
        if (node == 21 || node == 22) QCOMPARE(caption, words + "80");
        else if (node >= 2 && node <= 5) QCOMPARE(caption, words + ":\"\"");
        else QCOMPARE(caption, words);
      }
      // A message box: the advanced mode's question, declined.
      ModalAnswerer no([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::No); });
      window->InterfaceModeClick(kAdvancedMode);
      QTRY_COMPARE(no.seen.size(), 1);
      QCOMPARE(no.seen.first(), DisplayText(messages.at("AdvancedMode")));
      // The load dialogs took their own sections' texts when they were made.
      QCOMPARE(window->findChild<TLarge*>()->windowTitle(),
               RussianSection(DialogSection(kDialogLargeFile)).at("title"));
    }
    {
      SettingsAppStore store(StorePath());
      auto window = Window(store);
      QStringList lines;
      ModalAnswerer answerer([&lines](QWidget* d) {
        if (d->objectName() == "TAboutForm") {
          // Clicked from the event loop, where the answerer sees the
          // question and the message the click brings up.
          QTimer::singleShot(0, d, [d, &lines] {
            auto* line = d->findChild<QLabel*>("LocalisationLabel");
            auto* remove = d->findChild<QToolButton*>("RemoveLocalisation");
            lines << line->text() << line->styleSheet();
            remove->click();
            lines << line->text() << line->styleSheet() << (remove->isEnabled() ? "enabled" : "disabled");
            ModalAnswerer::Click(d, "ok");
          });
        } else if (d->objectName() == "ConfirmRemoval") {
          ModalAnswerer::Click(d, QMessageBox::Yes);
        } else {
          ModalAnswerer::Click(d, QMessageBox::Ok);
        }
      });
      window->Control("About1")->trigger();
      QCOMPARE(lines.size(), 5);
      QCOMPARE(lines[0], RussianSection(DialogSection(kDialogAbout)).at("localisation") +
                             QString::fromUtf8("\"\u0420\u0443\u0441\u0441\u043A\u0438\u0439\""));
      QVERIFY(lines[1].contains("green"));
      QCOMPARE(lines[2], RussianSection(DialogSection(kDialogAbout)).at("restart line"));
      QVERIFY(lines[3].contains("red"));
      QCOMPARE(lines[4], QString("disabled"));
      QCOMPARE(answerer.seen.size(), 3);  // the box, the question, the restart message
      // Removal takes effect at the next start: this run stays Russian.
      QCOMPARE(window->Control("Exit1")->text(), menu.at("exit"));
    }
    SettingsAppStore store(StorePath());
    QVERIFY(!store.KeyExists(LocalisationKeyPath()));
    auto window = Window(store);
    QCOMPARE(window->Control("Exit1")->text(), QString("&Exit"));
    QCOMPARE(window->Control("ToolButton6")->toolTip(), QString("Save the result"));
    QCOMPARE(MenuTitles(*window).first(), QString("&File"));
    QCOMPARE(window->OptionPanel()->model().IndexOfNode(9).data().toString(), QString("HTML translation"));
    QCOMPARE(window->findChild<QTabWidget*>("PageControl1")->tabText(0), QString("Preview"));
  }

  // Made for build 517: reported by the build-check window, the window
  // stays English, the dialogs with a section of their own are relabelled.
  void ARefusedLocalisationStillRelabelsTheDialogs() {
    MemoryStore store;
    RegKey& root = store.registry.Create(LocalisationKeyPath());
    root.WriteInteger("target", 517);
    store.registry.Create(LocalisationKeyPath() + "\\menu").WriteString("exit", "\xC2\xFB\xF5\xEE\xE4");
    store.registry.Create(LocalisationKeyPath() + "\\Controls\\large file")
        .WriteString("title", "\xC1\xEE\xEB\xFC\xF8\xEE\xE9 \xF4\xE0\xE9\xEB");
    auto window = Window(store);
    auto* check = window->findChild<QMessageBox*>("BuildCheck");
    QVERIFY(check != nullptr);
    QVERIFY(!check->isModal());
    QCOMPARE(check->windowTitle(), QString("Error loaidng settings"));
    QVERIFY(check->text().startsWith("Interface localization was created for build [517], and is incompatible"));
    QCOMPARE(window->Control("Exit1")->text(), QString("&Exit"));
    QCOMPARE(window->findChild<TLarge*>()->windowTitle(), QString::fromUtf8("\u0411\u043E\u043B\u044C\u0448\u043E\u0439 \u0444\u0430\u0439\u043B"));
    check->close();
  }

  // The About box without add-ons, and with a skin whose removal cannot be
  // kept: the error is shown and the line stays as it was.
  void TheAboutBoxShowsWhatIsInstalled() {
    MemoryStore store;
    const StringTable strings;
    {
      TAboutForm box(store, strings);
      QCOMPARE(box.findChild<QLabel*>("LocalisationLabel")->text(), QString("Localisation: None"));
      QCOMPARE(box.findChild<QLabel*>("SkinLabel")->text(), QString("HTML skin: None"));
      QVERIFY(!box.findChild<QToolButton*>("RemoveLocalisation")->isEnabled());
      QVERIFY(!box.findChild<QToolButton*>("RemoveSkin")->isEnabled());
      QCOMPARE(box.findChild<QLabel*>("Build")->text(), QString("Build 535"));
      // The three labels hand their addresses to the desktop.
      QList<QUrl> opened;
      const ExternalLinkHandler before = SetExternalLinkHandler([&opened](const QUrl& url) {
        opened << url;
        return true;
      });
      for (const char* name : {"SiteLink", "CommunityLink", "MailLink"}) {
        auto* label = box.findChild<QLabel*>(name);
        const QString text = label->text();
        const qsizetype start = text.indexOf("href=\"") + 6;
        emit label->linkActivated(text.mid(start, text.indexOf('"', start) - start));
      }
      SetExternalLinkHandler(before);
      QCOMPARE(opened, (QList<QUrl>{QUrl(kProjectPage), QUrl(kCommunityPage), QUrl(kAuthorMail)}));
    }
    store.registry.Create(SkinKeyPath()).WriteString("name", "Sepia");
    store.registry.Create(LocalisationKeyPath());
    {
      // A name from an installed file is shown as it is, never as markup.
      store.registry.Open(LocalisationKeyPath())->WriteString("name", "<img src=x>");
      TAboutForm named(store, strings);
      QCOMPARE(named.findChild<QLabel*>("LocalisationLabel")->textFormat(), Qt::PlainText);
      QCOMPARE(named.findChild<QLabel*>("LocalisationLabel")->text(), QString("Localisation: \"<img src=x>\""));
      store.registry.Open(LocalisationKeyPath())->DeleteValue("name");
    }
    TAboutForm box(store, strings);
    QCOMPARE(box.findChild<QLabel*>("SkinLabel")->text(), QString("HTML Skin: \"Sepia\""));
    QCOMPARE(box.findChild<QLabel*>("LocalisationLabel")->text(), QString("Localisation: \"Unknown language\""));
    {
      ModalAnswerer no([](QWidget* d) { ModalAnswerer::Click(d, QMessageBox::No); });
      box.RemoveSkin();
      QCOMPARE(no.seen, QStringList{"Are you shure you want to remove skin Sepia"});
    }
    QVERIFY(store.KeyExists(SkinKeyPath()));
    // Removed by someone else meanwhile: deleting fails and says so.
    store.registry.DeleteTree(SkinKeyPath());
    ModalAnswerer yes([](QWidget* d) {
      ModalAnswerer::Click(d, QMessageBox::Yes);
      ModalAnswerer::Click(d, QMessageBox::Ok);
    });
    box.RemoveSkin();
    QTRY_COMPARE(yes.seen.size(), 2);
    QCOMPARE(yes.seen.last(), QString("Error removing skin! Try editing registry manually."));
    QCOMPARE(box.findChild<QLabel*>("SkinLabel")->text(), QString("HTML Skin: \"Sepia\""));
  }

  // Dialog texts name tags; the labels show them rather than take them for
  // markup ("Short title (for <title></title> tag)" lost its tag before).
  void DialogLabelsShowTagsAsText() {
    const StringTable strings;
    TTetleWnd properties(strings, nullptr);
    QStringList texts;
    for (const QLabel* label : properties.findChildren<QLabel*>()) {
      QCOMPARE(label->textFormat(), Qt::PlainText);
      texts << label->text();
    }
    QVERIFY(texts.contains("Short title (for <title></title> tag)"));
    QVERIFY(texts.contains("Autor (for <meta> tag)"));
  }

  void TheGuidePageFollowsTheLocalisation() {
    QTemporaryDir help;
    QVERIFY(test::WriteFile(help.filePath("index.html"), "en"));
    QVERIFY(test::WriteFile(help.filePath("index.ru.html"), "ru"));
    QVERIFY(QDir(help.path()).mkdir("up"));
    const QStringList folders{help.filePath("missing"), help.filePath("up")};
    QCOMPARE(HelpFile(folders, "index.ru.html"), QString());  // neither folder has a page
    const QStringList found{help.filePath("missing"), help.path()};
    QCOMPARE(HelpFile(found, "index.ru.html"), help.filePath("index.ru.html"));
    QCOMPARE(HelpFile(found, "index.html"), help.filePath("index.html"));
    QCOMPARE(HelpFile(found, "index.de.html"), help.filePath("index.html"));
    // A localisation cannot send the desktop to another file.
    QVERIFY(test::WriteFile(help.filePath("up/other.html"), "x"));
    QCOMPARE(HelpFile({help.filePath("up")}, "../index.ru.html"), QString());
    QCOMPARE(HelpFile(found, "up/other.html"), help.filePath("index.html"));
    QCOMPARE(HelpFile(found, "notes.txt"), help.filePath("index.html"));
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::LocalisationWindowTest)
#include "localisation_window_test.moc"
