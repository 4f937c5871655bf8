// The option panel with real widgets: clicks on captions and icons, the
// keys, the editors and their controls, leaving the panel while typing,
// the hyphenation font list; and in the window: values after a restart on
// the real settings file, a preset shown at once, the editor tabs and the
// preview width following their nodes.

#include "gui/options/option_panel_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/i18n/strings.h"
#include "core/ui/option_tree.h"
#include "core/settings/registry.h"
#include "core/settings/store.h"
#include "gui/app/settings_app_store.h"
#include "gui/convert/converter_controller.h"
#include "gui/options/option_tree_model.h"
#include "gui/options/option_tree_view.h"
#include "gui/ui/main_window.h"
#include "gui/common/qt_text.h"
#include "gui/ui/web_browser.h"
#include "tests/gui/gui_test_support.h"

namespace norvella {
namespace {

using test::MemoryStore;
using test::ModalAnswerer;

// Types text the way a keyboard does, character by character, also where
// QTest knows no key for the character.
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

// The panel beside another input, in a window of its own.
struct PanelWindow {
  explicit PanelWindow(AppStore& store) : controller(store) {
    controller.LoadSettings();
    auto* layout = new QVBoxLayout(&window);
    panel = new OptionPanelWidget(controller, &window);
    elsewhere = new QLineEdit(&window);
    elsewhere->setObjectName("Elsewhere");
    layout->addWidget(panel, 1);
    layout->addWidget(elsewhere);
    controller.options().SetListener(panel);
    window.resize(320, 900);
    window.show();
    window.activateWindow();
  }
  ~PanelWindow() { controller.options().SetListener(nullptr); }

  template <typename T>
  T* Child(const char* name) const { return panel->findChild<T*>(name); }
  OptionsTreeView* Tree() const { return panel->tree(); }
  QModelIndex Index(int node) const { return panel->model().IndexOfNode(node); }
  QString Caption(int node) const { return Index(node).data(Qt::DisplayRole).toString(); }
  int Icon(int node) const { return Index(node).data(OptionTreeModel::kIconRole).toInt(); }

  // Clicks on the node's icon, or on its caption just right of the icon.
  void Click(int node, bool onIcon) {
    Tree()->scrollTo(Index(node));
    const QRect icon = Tree()->IconRect(Index(node));
    const QPoint at = onIcon ? icon.center() : QPoint(icon.right() + 30, icon.center().y());
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, at);
  }
  void Key(int node, Qt::Key key) {
    panel->SelectNode(node);
    Tree()->setFocus();
    QTest::keyClick(Tree(), key);
  }

  ConverterController controller;
  QWidget window;
  OptionPanelWidget* panel = nullptr;
  QLineEdit* elsewhere = nullptr;
};

}  // namespace

class OptionPanelTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

 private:
  QTemporaryDir dir_;
  MemoryStore store_;

  std::unique_ptr<TMain> AdvancedWindow(AppStore& store) {
    auto window = std::make_unique<TMain>(std::make_unique<ConverterController>(store), QString());
    window->show();
    return window;
  }

 private slots:
  void init() {
    store_ = MemoryStore();
    store_.Set("Ask about title", "0");
    store_.Set("Confirm table of content", "0");
  }

  void TheTreeHoldsEveryNodeInItsOrder() {
    PanelWindow w(store_);
    const OptionTreeModel& model = w.panel->model();
    QCOMPARE(model.rowCount(), 1);
    int count = 0;
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& at) {
      QCOMPARE(OptionTreeModel::NodeOf(at), count++);
      QCOMPARE(model.parent(at), at.parent());
      for (int row = 0; row < model.rowCount(at); ++row) walk(model.index(row, 0, at));
    };
    walk(model.index(0, 0));
    QCOMPARE(count, kOptionNodeCount);
    QCOMPARE(w.Caption(0), QString("Configuration"));
    QCOMPARE(w.Caption(38), QString::fromUtf8("\"quotes\" to «quotes»"));
    QCOMPARE(w.Caption(2), QString("Author:\"\""));
    // Every node has a picture, and the tree shows every group open.
    for (int node = 0; node < kOptionNodeCount; ++node)
      QVERIFY(!w.Index(node).data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(w.Tree()->isExpanded(w.Index(20)));
  }

  void ALocalisationRelabelsTheTreeAndTheDescriptions() {
    PanelWindow w(store_);
    StringTable& strings = w.controller.strings();
    QVERIFY(strings.Set(kTree, "10", FromQt(QString::fromUtf8("Удалить все ссылки"))));
    QVERIFY(strings.Set(kTree, "21", FromQt(QString::fromUtf8("Строки длиннее "))));
    QVERIFY(strings.Set(kDescr, "InfoA", FromQt(QString::fromUtf8("Удаляет ссылки."))));
    w.panel->RefreshCaptions();
    QCOMPARE(w.Caption(10), QString::fromUtf8("Удалить все ссылки"));
    QCOMPARE(w.Caption(21), QString::fromUtf8("Строки длиннее 80"));
    w.panel->SelectNode(10);
    QCOMPARE(w.Child<QTextBrowser>("Descr")->toPlainText(), QString::fromUtf8("Удаляет ссылки."));
  }

  void ACaptionClickSelectsAndAnIconClickToggles() {
    PanelWindow w(store_);
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    Options& o = w.controller.options();
    const bool links = o.Flag(Opt::KillLinks);
    w.Click(10, false);
    QCOMPARE(OptionTreeModel::NodeOf(w.Tree()->currentIndex()), 10);
    QCOMPARE(o.Flag(Opt::KillLinks), links);
    QCOMPARE(w.Child<QTextBrowser>("Descr")->toPlainText(),
             QString("Removes from text all links (\"<A...>\" tags)"));

    QVERIFY(w.controller.ConvertText({"Some text."}));
    QVERIFY(w.controller.Converted());
    w.Click(10, true);
    QCOMPARE(o.Flag(Opt::KillLinks), !links);
    QCOMPARE(w.Icon(10), links ? kTreeIconOff : kTreeIconOn);
    QVERIFY(!w.controller.Converted());
    // The icon of a node not yet selected: the click selects it and
    // switches it at once.
    const bool graphics = o.Flag(Opt::KillGraph);
    w.Click(11, true);
    QCOMPARE(o.Flag(Opt::KillGraph), !graphics);
    // A group's picture is no switch.
    w.Click(9, true);
    QCOMPARE(OptionTreeModel::NodeOf(w.Tree()->currentIndex()), 9);
    QVERIFY(w.Child<QTextBrowser>("Descr")->toPlainText().isEmpty());
  }

  void KeysSwitchTheSelectedNodeButNotAGroup() {
    PanelWindow w(store_);
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    Options& o = w.controller.options();
    const bool pre = o.Flag(Opt::KillPreTags);
    w.Key(13, Qt::Key_Space);
    QCOMPARE(o.Flag(Opt::KillPreTags), !pre);
    w.Key(13, Qt::Key_Return);
    QCOMPARE(o.Flag(Opt::KillPreTags), pre);
    w.Key(13, Qt::Key_Plus);
    w.Key(13, Qt::Key_Asterisk);
    QCOMPARE(o.Flag(Opt::KillPreTags), pre);

    QVERIFY(w.controller.ConvertText({"Some text."}));
    const std::string before = o.Text(Opt::HeadStartTag);
    for (const Qt::Key key : {Qt::Key_Plus, Qt::Key_Asterisk, Qt::Key_Space, Qt::Key_Enter}) {
      w.Key(30, key);
      w.Key(1, key);
    }
    QVERIFY(w.controller.Converted());
    QCOMPARE(o.Text(Opt::HeadStartTag), before);
  }

  void LongerThanOffAndOnAgain() {
    PanelWindow w(store_);
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    auto* spin = w.Child<QSpinBox>("SpinEdit1");
    w.Click(21, false);
    QVERIFY(spin->isVisible());
    QCOMPARE(spin->value(), 80);
    QCOMPARE(w.Child<QLabel>("Label1")->text(), QString("Enter the minimum length"));
    QCOMPARE(spin->property("kind").toInt(), 4);

    w.Click(21, true);
    QCOMPARE(w.Caption(21), QString("Strings longer than 80"));
    QCOMPARE(w.Icon(21), kTreeIconOff);
    QCOMPARE(w.controller.options().Number(Opt::LongStringsMin), kLengthOff);
    QVERIFY(!spin->isVisible());

    w.Key(21, Qt::Key_Space);
    QCOMPARE(w.controller.options().Number(Opt::LongStringsMin), 80);
    QCOMPARE(w.Icon(21), kTreeIconOn);
    QVERIFY(spin->isVisible());
    // Typing a number shows it in the caption at once; 0 switches off when
    // the editor closes.
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, "95");
    QCOMPARE(w.Caption(21), QString("Strings longer than 95"));
    spin->selectAll();
    QTest::keyClicks(spin, "0");
    w.Click(23, false);
    QCOMPARE(w.controller.options().Number(Opt::LongStringsMin), kLengthOff);
    QCOMPARE(w.Icon(21), kTreeIconOff);
  }

  void TheShortTitleEditorFillsInTheTransliteratedTitle() {
    PanelWindow w(store_);
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    w.Click(3, false);
    auto* edit1 = w.Child<QLineEdit>("Edit1");
    edit1->setFocus();
    Type(edit1, QString::fromUtf8("Война и мир"));
    QCOMPARE(w.Caption(3), QString::fromUtf8("Title:\"Война и мир\""));
    w.Click(4, false);
    QCOMPARE(edit1->text(), QString("Vojna i mir"));
    QCOMPARE(w.Caption(4), QString("Short title:\"Vojna i mir\""));
    QCOMPARE(w.controller.document().shortTitle, std::string("Vojna i mir"));
  }

  void LeavingThePanelWhileTypingKeepsTheValueAndTheEditor() {
    PanelWindow w(store_);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.Click(2, false);
    auto* edit1 = w.Child<QLineEdit>("Edit1");
    edit1->setFocus();
    QTest::keyClicks(edit1, "Tolstoy");
    w.elsewhere->setFocus();
    QVERIFY(w.elsewhere->hasFocus());
    QCOMPARE(w.controller.document().author, std::string("Tolstoy"));
    QVERIFY(edit1->isVisible());
    QCOMPARE(edit1->text(), QString("Tolstoy"));
    QCOMPARE(w.panel->panel().OpenKind(), EditorKind::Author);
    QCOMPARE(OptionTreeModel::NodeOf(w.Tree()->currentIndex()), 2);

    // A value that only closing writes (the editor font) is written when
    // the focus leaves.
    w.Click(42, false);
    auto* size = w.Child<QSpinBox>("SpinEdit1");
    size->setFocus();
    size->selectAll();
    QTest::keyClicks(size, "17");
    QCOMPARE(w.controller.options().Number(Opt::SrcFontSize), 13);
    w.elsewhere->setFocus();
    QCOMPARE(w.controller.options().Number(Opt::SrcFontSize), 17);
    QVERIFY(size->isVisible());
  }

  void TheHyphenationEditorListsTheFontsAndLoadsTheChosenOne() {
    PanelWindow w(store_);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    Options& o = w.controller.options();
    auto* list = w.Child<QComboBox>("ComboBox1");
    w.Click(8, false);
    QVERIFY(!list->isVisible());  // "Hyphenate" is off
    w.Click(8, true);
    QVERIFY(o.Flag(Opt::Hyphenate));
    QVERIFY(list->isVisible());
    QVERIFY(w.Child<QLineEdit>("Edit2")->isVisible());

    const std::vector<std::string> names = w.controller.HyphFontNames();
    QVERIFY(names.size() >= 2);
    QCOMPARE(list->count(), static_cast<int>(names.size() * 2 + 1));
    for (std::size_t i = 0; i < names.size(); ++i) {
      QCOMPARE(list->itemText(static_cast<int>(i)), "I " + ToQt(names[i]));
      QCOMPARE(list->itemText(static_cast<int>(names.size() + i)), "- " + ToQt(names[i]));
    }
    QCOMPARE(list->itemText(list->count() - 1), QString("+ totaly &shy;"));
    QCOMPARE(list->currentText(), "I " + ToQt(o.Text(Opt::HyphFont)));

    // Choosing the horizontal form of another font loads its widths with
    // the long line, and closes the editor.
    const ActiveFontWidths before = w.controller.FontWidths();
    const int other = static_cast<int>(names.size()) + (names[0] == o.Text(Opt::HyphFont) ? 1 : 0);
    list->setFocus();
    list->setCurrentIndex(other - 1);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(o.Text(Opt::HyphFont), names[static_cast<std::size_t>(other) - names.size()]);
    QVERIFY(!o.Flag(Opt::ILikeOrientation));
    QVERIFY(w.controller.FontWidths().hyphLineWidth != before.hyphLineWidth ||
            w.controller.FontWidths().activeCharWidths != before.activeCharWidths);
    QVERIFY(!list->isVisible());
  }

  void WithoutFontTablesTheEditorSaysSo() {
    MemoryStore store;
    PanelWindow w(store);
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    // The font tables removed from the store after the start.
    store.Keys().DeleteTree(std::string(kSettingsKey) + "\\" + std::string(kFontsKey));
    w.controller.options().SetFlag(Opt::Hyphenate, true);
    ModalAnswerer answer([](QWidget* dialog) { ModalAnswerer::Click(dialog, QMessageBox::Ok); });
    w.Click(8, false);
    QCOMPARE(answer.seen, QStringList{"There is no font description in the registry!"});
    auto* list = w.Child<QComboBox>("ComboBox1");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->itemText(0), QString("+ totaly &shy;"));
  }

  void EditorsShowTheirControls() {
    PanelWindow w(store_);
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    Options& o = w.controller.options();
    // Custom paragraph tag: the suggestion only, until the user types.
    w.Click(29, false);
    auto* edit1 = w.Child<QLineEdit>("Edit1");
    auto* edit2 = w.Child<QLineEdit>("Edit2");
    QCOMPARE(edit1->text(), QString("<div align=\"justify\">"));
    QCOMPARE(edit2->text(), QString("</div>"));
    QCOMPARE(edit1->property("kind").toInt(), 9);
    w.Click(30, false);
    QCOMPARE(o.Text(Opt::ParagraphStartTag), std::string());
    QCOMPARE(w.Icon(29), kTreeIconOff);

    // The language list selects the stored language and applies a choice.
    w.Click(54, false);
    auto* languages = w.Child<QComboBox>("LangOption");
    QVERIFY(languages->isVisible());
    QCOMPARE(languages->count(), 43);
    QCOMPARE(languages->currentIndex(), o.Number(Opt::Language));
    languages->setCurrentIndex(5);
    QCOMPARE(o.Number(Opt::Language), 5);

    // Epigraphs: the check box is written when the editor closes.
    w.Key(27, Qt::Key_Space);
    auto* breaks = w.Child<QCheckBox>("PresBreak");
    QVERIFY(breaks->isVisible());
    QTest::mouseClick(breaks, Qt::LeftButton, {}, QPoint(8, breaks->height() / 2));  // on the box
    QVERIFY(breaks->isChecked());
    QVERIFY(!o.Flag(Opt::PreserveBreaksInEpigraph));
    w.Click(28, false);
    QVERIFY(o.Flag(Opt::PreserveBreaksInEpigraph));
    QVERIFY(!breaks->isVisible());
    QCOMPARE(w.Child<QTextBrowser>("Descr")->toPlainText().left(16), QString("Closes paragraph"));

    // The number of "&nbsp;": its prompt shows one ampersand.
    w.Click(7, false);
    QCOMPARE(w.Child<QLabel>("Label1")->text(), QString("Enter the number of \"&nbsp;\"'s"));
  }

  void StoredValuesShowAfterARestart() {
    const std::string path = PathBytes(dir_.filePath("restart/registry.reg"));
    // Every option that has a node gets a value other than its default.
    std::map<Opt, std::string> set;
    {
      SettingsAppStore store(path);
      auto window = AdvancedWindow(store);
      Options& o = window->options();
      for (const OptionNode& node : OptionNodes()) {
        if (node.option == Opt::Count) continue;
        const OptionInfo& info = Info(node.option);
        std::string text;
        switch (info.type) {
          case OptionType::Bool: text = info.intDefault != 0 ? "0" : "1"; break;
          case OptionType::Int: text = std::to_string(info.intDefault == 0 ? 3 : info.intDefault + 7); break;
          case OptionType::String: text = std::string(info.textDefault.empty() ? "<p class=\"x\">" : "<b>"); break;
        }
        if (node.option == Opt::Language) text = "7";
        if (node.option == Opt::SrcFontName || node.option == Opt::HtmFontName) text = "DejaVu Sans Mono";
        QVERIFY(o.SetFromText(info.name, text, nullptr));
        set[node.option] = text;
      }
      // Through the tree as well: the editor font size.
      window->OptionPanel()->SelectNode(43);
      auto* size = window->OptionPanel()->findChild<QSpinBox*>("SpinEdit1");
      size->setValue(21);
      window->OptionPanel()->SelectNode(41);
    }
    SettingsAppStore store(path);
    auto window = AdvancedWindow(store);
    const Options& o = window->options();
    const OptionTreeModel& model = window->OptionPanel()->model();
    for (const auto& [id, text] : set) {
      const OptionInfo& info = Info(id);
      const std::string stored = info.type == OptionType::String ? o.Text(id) : std::to_string(o.Number(id));
      QVERIFY2(stored == text, info.name.data());
      const int node = NodeOfOption(id);
      const QModelIndex at = model.IndexOfNode(node);
      QCOMPARE(at.data(Qt::DisplayRole).toString(),
               ToQt(NodeCaption(node, o, window->controller().document(), window->controller().strings())));
      QCOMPARE(at.data(OptionTreeModel::kIconRole).toInt(), NodeIcon(node, o));
    }
    QCOMPARE(o.Number(Opt::HtmFontSize), 21);
    QCOMPARE(model.IndexOfNode(21).data().toString(), QString("Strings longer than 87"));
    window->OptionPanel()->SelectNode(42);
    QCOMPARE(window->OptionPanel()->findChild<QFontComboBox*>("FontComboBox1")->currentFont().family(),
             QFont("DejaVu Sans Mono").family());
  }

  void APresetUpdatesTheParagraphNodesAtOnce() {
    store_.Set("Interface mode", "1");
    store_.Set("Asked about title", "1");
    store_.Set("AutoDetect text format", "0");
    auto window = AdvancedWindow(store_);
    OptionPanelWidget* panel = window->OptionPanel();
    QVERIFY(panel->isVisible());
    const OptionTreeModel& model = panel->model();
    auto icon = [&](int node) { return model.IndexOfNode(node).data(OptionTreeModel::kIconRole).toInt(); };
    panel->SelectNode(21);
    window->Control("ToolButton43")->trigger();  // HTML: paragraphs by tags only
    QCOMPARE(model.IndexOfNode(21).data().toString(), QString("Strings longer than 80"));
    for (const int node : {21, 22, 23, 24, 25}) QCOMPARE(icon(node), kTreeIconOff);
    QVERIFY(!panel->findChild<QSpinBox*>("SpinEdit1")->isVisible());

    window->Control("ToolButton42")->trigger();  // one line per paragraph
    QCOMPARE(model.IndexOfNode(22).data().toString(), QString("Strings shorter than 81"));
    for (const int node : {21, 22, 23, 24, 25}) QCOMPARE(icon(node), kTreeIconOn);
    auto* spin = panel->findChild<QSpinBox*>("SpinEdit1");
    QVERIFY(spin->isVisible());
    QCOMPARE(spin->value(), 80);
    window->Control("ToolButton41")->trigger();  // fixed width
    QCOMPARE(spin->value(), 81);
    panel->SelectNode(20);
    QCOMPARE(window->options().Number(Opt::LongStringsMin), 81);
  }

  void EditorNodesShowAndHideTheirTabs() {
    store_.Set("Interface mode", "1");
    store_.Set("Asked about title", "1");
    store_.Set("Show HTML", "1");
    store_.Set("Use Source editor", "0");
    auto window = AdvancedWindow(store_);
    auto* tabs = window->findChild<QTabWidget*>("PageControl1");
    OptionPanelWidget* panel = window->OptionPanel();
    QVERIFY(tabs->isTabVisible(0) && tabs->isTabVisible(1) && !tabs->isTabVisible(2));

    panel->SelectNode(47);
    panel->tree()->setFocus();
    QTest::keyClick(panel->tree(), Qt::Key_Space);
    QVERIFY(tabs->isTabVisible(2));
    panel->SelectNode(46);
    QTest::keyClick(panel->tree(), Qt::Key_Space);
    QVERIFY(!tabs->isTabVisible(1));
    QVERIFY(window->PreviewTabShown());
    panel->SelectNode(47);
    QTest::keyClick(panel->tree(), Qt::Key_Space);
    // No editor tab: the full-window browser takes the Preview tab's place.
    QVERIFY(!tabs->isTabVisible(2));
    QVERIFY(!window->PreviewTabShown());
    QCOMPARE(window->ActiveBrowser(), window->PanelBrowser());
    QVERIFY(window->findChild<QWidget*>("Panel1")->isVisible());
    QVERIFY(panel->isVisible());
    panel->SelectNode(46);
    QTest::keyClick(panel->tree(), Qt::Key_Space);
    QVERIFY(window->PreviewTabShown());
    QVERIFY(tabs->isTabVisible(0) && tabs->isTabVisible(1));
  }

  void AnEditorOpenAtExitOrBeforeThePreviewIsKept() {
    {
      auto window = AdvancedWindow(store_);
      OptionPanelWidget* panel = window->OptionPanel();
      panel->SelectNode(42);  // the source editor's font: written only when closed
      panel->findChild<QSpinBox*>("SpinEdit1")->setValue(19);
      QCOMPARE(window->options().Number(Opt::SrcFontSize), 13);
      window->ShowPreviewPage();
      QCOMPARE(window->options().Number(Opt::SrcFontSize), 19);
      QCOMPARE(panel->panel().OpenKind(), EditorKind::SourceFont);
      panel->findChild<QSpinBox*>("SpinEdit1")->setValue(23);
    }
    const RegKey* key = store_.Keys().Open(kSettingsKey);
    QVERIFY(key != nullptr);
    QCOMPARE(key->ReadInteger("Src font size").value_or(0), 23);
  }

  void IndependentBrowserWidthKeepsTheStoredWidth() {
    store_.Set("Interface mode", "1");
    store_.Set("Asked about title", "1");
    store_.Set("Show HTML", "1");
    store_.Set("Browser Width", "420");
    store_.Set("Window Width", "790");
    auto window = AdvancedWindow(store_);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* splitter2 = window->findChild<QSplitter*>("Splitter2");
    QVERIFY(!splitter2->widget(1)->isVisible());
    OptionPanelWidget* panel = window->OptionPanel();
    panel->SelectNode(48);
    panel->tree()->setFocus();
    QTest::keyClick(panel->tree(), Qt::Key_Space);
    QVERIFY(window->options().Flag(Opt::IndependentBrowserWidth));
    QVERIFY(splitter2->widget(1)->isVisible());
    QTRY_COMPARE(window->PreviewBrowser()->width(), 420);
    QTest::keyClick(panel->tree(), Qt::Key_Space);
    QVERIFY(!splitter2->widget(1)->isVisible());
    QTRY_COMPARE(window->PreviewBrowser()->width(), splitter2->width());
  }
};

}  // namespace norvella

QTEST_MAIN(norvella::OptionPanelTest)
#include "option_panel_test.moc"
