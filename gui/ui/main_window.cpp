#include "gui/ui/main_window.h"

#include <algorithm>
#include <exception>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "gui/app/artwork.h"
#include "gui/convert/document_dialogs.h"
#include "gui/export/rocket.h"
#include "gui/options/option_panel_widget.h"
#include "gui/source/source_dialogs.h"
#include "gui/ui/control_texts.h"
#include "gui/ui/qt_text.h"
#include "gui/ui/status_panels.h"
#include "gui/ui/web_browser.h"

namespace norvella {
namespace {

constexpr std::string_view kMainSection = "interface\\Controls\\main";
constexpr int kPreviewPage = 0;
constexpr int kHtmlPage = 1;
constexpr int kSourcePage = 2;

// The hourglass while the window works on something.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

QWidget* Column(QWidget* parent, std::initializer_list<QWidget*> widgets, int stretchIndex) {
  auto* column = new QWidget(parent);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  int index = 0;
  for (QWidget* widget : widgets) layout->addWidget(widget, index++ == stretchIndex ? 1 : 0);
  return column;
}

}  // namespace

template <typename Work>
bool TMain::Guarded(Work&& work) {
  try {
    BusyCursor busy;
    work();
    return true;
  } catch (const std::exception& failure) {
    ShowError(QString::fromLocal8Bit(failure.what()));
    return false;
  }
}

TMain::TMain(std::unique_ptr<ConverterController> controller, const QString& commandLineFile,
             QWidget* parent)
    : QMainWindow(parent), controller_(std::move(controller)) {
  setObjectName("TMain");
  setWindowTitle("Norvella - no file");
  setWindowIcon(AppIcon());
  BuildControls();
  BuildMenus();
  BuildAreas();

  // The dialogs of a load and of a conversion, made once for the whole run.
  detectWnd_ = new TDetectWnd(controller_->strings(), this);
  large_ = new TLarge(controller_->strings(), this);
  questions_ = new DialogQuestions(controller_->strings(), this);
  sourceQuestions_ = std::make_unique<DialogSourceQuestions>(*detectWnd_, *large_, controller_->strings(),
                                                             *questions_, this);
  controller_->SetObserver(status_);
  controller_->SetQuestions(questions_);
  controller_->SetSourceQuestions(sourceQuestions_.get());

  setAcceptDrops(true);
  options().SetListener(this);
  readerDocSaved_ = true;
  controller_->Invalidate();
  controller_->document() = DocumentProperties{};
  // The design layout is the advanced one; the program always comes up
  // simple before the stored mode is applied.
  SetInterfaceMode(kSimpleMode);
  webBrowser0_->Navigate("about:blank");
  webBrowser1_->Navigate("about:blank");

  // Interface strings, templates and stored settings, through the store;
  // the stored interface mode takes effect through its option.
  const LocalisationCheck check = controller_->LoadSettings();
  if (check.ShowBuildCheck()) ShowBuildCheck(check);
  optionPanel_->RefreshCaptions();
  Options& o = options();

  if (interfaceMode_ == kReaderMode) {
    const QString lastFile = ToQt(o.Text(Opt::LastReaderFile));
    if (!lastFile.isEmpty() && QFileInfo(lastFile).isFile() && commandLineFile.isEmpty()) {
      OpenForReading(lastFile);
    } else {
      SetInterfaceMode(kSimpleMode);
    }
  }
  CheckHelpFile();
  Enable("RocketBtn", controller_->LibrarianInstalled());
  UpdateAutodetectControls();
  UpdateEditorTabs();
  UpdatePreviewWidth();
  ApplyStoredWindowState();

  const int page = std::clamp(o.Number(Opt::ActivePage), kPreviewPage, kSourcePage);
  if (pageControl1_->isTabVisible(page)) pageControl1_->setCurrentIndex(page);
  connect(pageControl1_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index == kPreviewPage) ShowPreviewPage();
    else if (index == kHtmlPage) ShowHtmlPage();
  });
}

TMain::~TMain() {
  readerDocSaved_ = true;
  // A value still in an open option editor is kept like any other.
  optionPanel_->CommitEditor();
  StoreWindowState();
  SaveSettingsState state;
  state.documentInBrowser = interfaceMode_ == kReaderMode && !readerFileName_.isEmpty();
  state.sourceOpenDialogHasFile = !sourceFileName_.isEmpty();
  state.readerOpenDialogHasFile = !readerFileName_.isEmpty();
  state.htmlSaveDialogHasFile = !saveFileName_.isEmpty();
  state.executablePath = PathBytes(QCoreApplication::applicationFilePath());
  controller_->SaveSettings(state);
  sourceFileName_.clear();
  ShowPreviewTab(true);
  controller_->temporaryFiles().DeleteAll();
  options().SetListener(nullptr);
  controller_->SetObserver(nullptr);
  controller_->SetQuestions(nullptr);
  controller_->SetSourceQuestions(nullptr);
}

// ---------------------------------------------------------------- building

void TMain::BuildControls() {
  for (const ControlInfo& info : Controls()) {
    auto* action = new QAction(this);
    const QString name = QString::fromUtf8(info.name.data(), static_cast<int>(info.name.size()));
    action->setObjectName(name);
    const QString text = QString::fromUtf8(info.text.data(), static_cast<int>(info.text.size()));
    if (info.kind == ControlKind::MenuItem) {
      action->setText(text);
      if (!info.shortcut.empty())
        action->setShortcut(QKeySequence(QString::fromUtf8(info.shortcut.data(),
                                                           static_cast<int>(info.shortcut.size()))));
    } else {
      action->setText(text.isEmpty() ? QString("&Send to rocket now") : DisplayText(text));
      if (!text.isEmpty()) action->setToolTip(DisplayText(text));
      action->setIcon(ToolbarIcon(QString::fromUtf8(info.themeIcon.data(),
                                                    static_cast<int>(info.themeIcon.size())),
                                  info.glyph));
    }
    action->setCheckable(info.checkable);
    const bool implemented = CommandImplemented(info.command);
    action->setProperty("implemented", implemented);
    action->setProperty("modeEnabled", true);
    action->setEnabled(implemented);
    const Command command = info.command;
    connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
    controls_[name] = action;
  }
  // The go buttons follow their browser's history; both pairs start off.
  for (const char* name : {"ToolButton34", "ToolButton38", "ToolButton49", "ToolButton50"})
    Control(name)->setEnabled(false);
  modeGroup_ = new QActionGroup(this);
  for (const char* name : {"Simpleinterfacemode1", "Advancedinterfacemode1", "Readerinterfacemode2"})
    modeGroup_->addAction(Control(name));
}

QMenu* TMain::MakeMenu(QMenu* into, const QString& title, std::initializer_list<const char*> items) {
  QMenu* menu = into != nullptr ? into->addMenu(title) : menuBar()->addMenu(title);
  for (const char* item : items) {
    if (QString(item) == "-") menu->addSeparator();
    else menu->addAction(Control(item));
  }
  return menu;
}

void TMain::BuildMenus() {
  MakeMenu(nullptr, "&File", {"Open1", "Openfileinreadermode1", "Save1", "Sendtorocket1", "-", "Exit1"});

  QMenu* view = MakeMenu(nullptr, "&View",
                         {"Simpleinterfacemode1", "Advancedinterfacemode1", "Readerinterfacemode2", "-"});
  QMenu* fontSize = MakeMenu(view, "Viewer font size",
                             {"Increase1", "Decrease1", "-", "Smallest1", "Small1", "Normal1", "Large1",
                              "Largest1"});
  fontSize->menuAction()->setObjectName("Viewerfontsize1");

  QMenu* reader = MakeMenu(nullptr, "&Reader", {"Saveactivefile1", "-"});
  reader->menuAction()->setObjectName("ReaderRoot");
  QMenu* bookmarks = MakeMenu(reader, "Bookmarks", {"Addbookmark1", "Managebookmarks1"});
  bookmarks->menuAction()->setObjectName("Bookmarks1");
  reader->addAction(Control("Addnotetoselected1"));
  reader->addSeparator();
  for (const char* item : {"Autoscroll1", "Toorboscroll1", "FullScreen1"}) reader->addAction(Control(item));
  reader->addSeparator();
  QMenu* stylize = MakeMenu(reader, "Stylize",
                            {"BlackYellow1", "BlackGreen1", "Custom1", "-", "Applylasttoallopened1", "-",
                             "None1"});
  stylize->menuAction()->setObjectName("Stylize1");
  reader->addAction(Control("Autosavebookmarks1"));
  reader->addSeparator();
  QMenu* recent = MakeMenu(reader, "Recent files", {"empty1"});
  recent->menuAction()->setObjectName("Recentfiles1");

  QMenu* parsing = MakeMenu(nullptr, "&Parsing",
                            {"Autodetectformat1", "-", "Threatasfixedwidth1", "Threataslineparagraph1",
                             "Threatashtml1"});
  parsing->menuAction()->setObjectName("Options1");

  MakeMenu(nullptr, "&?", {"Help1", "About1"});

  // The menus themselves are switched like controls.
  for (QMenu* menu : {reader, parsing}) {
    QAction* action = menu->menuAction();
    action->setProperty("implemented", true);
    action->setProperty("modeEnabled", true);
    controls_[action->objectName()] = action;
  }
}

QToolBar* TMain::MakeToolBar(const char* name, std::initializer_list<const char*> controls) {
  auto* bar = new QToolBar(this);
  bar->setObjectName(name);
  bar->setIconSize(QSize(22, 22));
  bar->setMovable(false);
  for (const char* control : controls) {
    if (QString(control) == "|") bar->addSeparator();
    else bar->addAction(Control(control));
  }
  return bar;
}

void TMain::BuildAreas() {
  splitter1_ = new QSplitter(Qt::Horizontal, this);
  splitter1_->setObjectName("Splitter1");
  splitter1_->setChildrenCollapsible(false);
  clientArea_ = new QStackedWidget(splitter1_);

  // The conversion tabs.
  pageControl1_ = new QTabWidget(clientArea_);
  pageControl1_->setObjectName("PageControl1");
  pageControl1_->setMinimumWidth(150);
  pageControl1_->setDocumentMode(true);
  QToolBar* toolBar3 = MakeToolBar("ToolBar3", {"ToolButton37", "ToolButton75", "Bookshelf2", "ToolButton6",
                                                "ToolButton70", "RocketBtn", "|", "reParceBtn", "|",
                                                "ToolButton44", "ToolButton41", "ToolButton42",
                                                "ToolButton43", "|", "ToolButton34", "ToolButton38"});
  splitter2_ = new QSplitter(Qt::Horizontal);
  splitter2_->setObjectName("Splitter2");
  webBrowser0_ = new WebBrowser(splitter2_);
  webBrowser0_->setObjectName("WebBrowser0");
  auto* beside = new QWidget(splitter2_);
  beside->setObjectName("WebPanelFiller");
  splitter2_->setCollapsible(0, false);
  previewTab_ = Column(pageControl1_, {toolBar3, splitter2_}, 1);
  previewTab_->setObjectName("TabSheet1");

  QToolBar* toolBar2 = MakeToolBar("ToolBar2", {"ToolButton7", "ToolButton62", "FindSelectedBtn"});
  auto* htmText = new QPlainTextEdit;
  htmText->setObjectName("HTMText");
  htmText->setEnabled(false);
  htmlTab_ = Column(pageControl1_, {toolBar2, htmText}, 1);
  htmlTab_->setObjectName("TabSheet2");

  QToolBar* toolBar1 = MakeToolBar("ToolBar1", {"ToolButton1", "ToolButton63"});
  auto* srcText = new QPlainTextEdit;
  srcText->setObjectName("SrcText");
  srcText->setEnabled(false);
  sourceTab_ = Column(pageControl1_, {toolBar1, srcText}, 1);
  sourceTab_->setObjectName("TabSheet3");

  const StringTable& strings = controller_->strings();
  pageControl1_->addTab(previewTab_, ControlText(strings, kMainSection, "preview", "Preview"));
  pageControl1_->addTab(htmlTab_, "HTML");
  pageControl1_->addTab(sourceTab_, ControlText(strings, kMainSection, "SRC", "Source"));
  clientArea_->addWidget(pageControl1_);

  // The full-window panel.
  QToolBar* toolBar4 = MakeToolBar(
      "ToolBar4", {"ToolButton46", "ToolButton73", "Bookshelf1", "ToolButton47", "ToolButton68",
                   "ToolButton60", "|", "ReParceBtn1", "|", "ToolButton54", "ToolButton56", "ToolButton57",
                   "ToolButton58", "|", "ToolButton49", "ToolButton50", "|", "NoteBtn", "BookmrkBtn",
                   "AutoscrollBtn", "Slower", "Faster", "ZoomBtn"});
  webBrowser1_ = new WebBrowser;
  webBrowser1_->setObjectName("WebBrowser1");
  panel1_ = Column(clientArea_, {toolBar4, webBrowser1_}, 1);
  panel1_->setObjectName("Panel1");
  clientArea_->addWidget(panel1_);

  // The option panel: the option tree above its editors.
  optionPanel_ = new OptionPanelWidget(*controller_, splitter1_);
  rightPanel_ = optionPanel_;
  splitter1_->setStretchFactor(0, 1);
  splitter1_->setStretchFactor(1, 0);
  setCentralWidget(splitter1_);

  status_ = new StatusPanels(statusBar());
  clock_ = new QTimer(this);
  clock_->setObjectName("Timer2");
  connect(clock_, &QTimer::timeout, this, [this] { status_->ShowClock(ClockText(QTime::currentTime())); });
  clock_->start(1000);
  status_->ShowClock(ClockText(QTime::currentTime()));

  connect(webBrowser0_, &WebBrowser::CommandStateChanged, this, [this](bool back, bool forward) {
    Control("ToolButton34")->setEnabled(back);
    Control("ToolButton38")->setEnabled(forward);
  });
  connect(webBrowser1_, &WebBrowser::CommandStateChanged, this, [this](bool back, bool forward) {
    Control("ToolButton49")->setEnabled(back);
    Control("ToolButton50")->setEnabled(forward);
  });
  for (WebBrowser* browser : {webBrowser0_, webBrowser1_})
    connect(browser, &WebBrowser::FilesDropped, this, [this](const QList<QUrl>& urls) {
      QMetaObject::invokeMethod(this, [this, urls] { OpenDroppedFiles(urls); }, Qt::QueuedConnection);
    });
  activeBrowser_ = webBrowser0_;
}

QAction* TMain::Control(const QString& name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

void TMain::Enable(const char* name, bool enabled) {
  QAction* action = Control(name);
  action->setProperty("modeEnabled", enabled);
  action->setEnabled(enabled && action->property("implemented").toBool());
}

void TMain::Execute(Command command) {
  switch (command) {
    case Command::Open: LoadSrc(kAskForFile); break;
    case Command::Save: SaveHTML(true); break;
    case Command::SendToRocket: SendToRocket(); break;
    case Command::Exit: close(); break;
    case Command::SimpleMode: InterfaceModeClick(kSimpleMode); break;
    case Command::AdvancedMode: InterfaceModeClick(kAdvancedMode); break;
    case Command::ReaderMode: UpdateModeChecks(); break;
    case Command::GoBack: activeBrowser_->GoBack(); break;
    case Command::GoForward: activeBrowser_->GoForward(); break;
    case Command::ConvertAgain: ConvertAgain(); break;
    case Command::Autodetect: ToggleAutodetect(); break;
    case Command::PresetFixedWidth: ChoosePreset(0); break;
    case Command::PresetLinePerParagraph: ChoosePreset(1); break;
    case Command::PresetHtml: ChoosePreset(2); break;
    case Command::Help:
      if (!helpFile_.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile_));
      break;
    default: break;  // its handler comes later; the control is disabled
  }
}

// ---------------------------------------------------------------- modes

int TMain::PreviousMode() const { return controller_->options().Number(Opt::PreviousMode); }

bool TMain::AdvancedConfirmed() const { return controller_->options().Flag(Opt::AskedAboutTitle); }

void TMain::SetInterfaceMode(int mode) {
  if (mode == interfaceMode_ || mode < kSimpleMode || mode > kReaderMode) return;
  if (interfaceMode_ != kReaderMode) options().SetNumber(Opt::PreviousMode, interfaceMode_);
  ApplyLayout(mode, interfaceMode_);
  interfaceMode_ = mode;
  options().SetNumber(Opt::InterfaceMode, mode);
  UpdateModeChecks();
}

void TMain::SetActiveBrowser(WebBrowser* browser) {
  activeBrowser_ = browser;
  activeBrowser_->SetZoomLevel(options().Number(Opt::BrowserFontSize));
}

void TMain::ApplyLayout(int mode, int previousLayout) {
  switch (mode) {
    case kSimpleMode:
      rightPanel_->hide();
      clientArea_->setCurrentWidget(panel1_);
      SetActiveBrowser(webBrowser1_);
      SetEditorCommandsEnabled(true);
      readerFileName_.clear();
      if (controller_->HasResult()) ShowPreview();
      else activeBrowser_->Navigate("about:blank");
      break;
    case kAdvancedMode:
      clientArea_->setCurrentWidget(previewTabShown_ ? static_cast<QWidget*>(pageControl1_) : panel1_);
      SetActiveBrowser(previewTabShown_ ? webBrowser0_ : webBrowser1_);
      rightPanel_->show();
      SetEditorCommandsEnabled(true);
      readerFileName_.clear();
      if (previousLayout != kReaderMode) LoadSrc(kReloadFile);
      break;
    case kReaderMode:
      rightPanel_->hide();
      clientArea_->setCurrentWidget(panel1_);
      SetActiveBrowser(webBrowser1_);
      SetEditorCommandsEnabled(false);
      break;
  }
}

void TMain::UpdateModeChecks() {
  const char* names[] = {"Simpleinterfacemode1", "Advancedinterfacemode1", "Readerinterfacemode2"};
  Control(names[interfaceMode_])->setChecked(true);
}

void TMain::InterfaceModeClick(int mode) {
  if (mode == kAdvancedMode && !AdvancedConfirmed()) {
    QMessageBox ask(QMessageBox::Warning, MessageText(controller_->strings(), "Confirm"),
                    DisplayText(MessageText(controller_->strings(), "AdvancedMode")),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setObjectName("AdvancedModeQuestion");
    if (ask.exec() != QMessageBox::Yes) {
      UpdateModeChecks();  // the mark stays on the mode in use
      return;
    }
    options().SetFlag(Opt::AskedAboutTitle, true);
  }
  SetInterfaceMode(mode);
  UpdateModeChecks();
}

void TMain::SetEditorCommandsEnabled(bool enabled) {
  editorCommandsEnabled_ = enabled;
  for (const char* name : {"Save1", "Sendtorocket1", "Options1", "ToolButton60", "ToolButton47", "ToolButton54",
                           "ToolButton68", "ToolButton70"})
    Enable(name, enabled);
  for (const char* name :
       {"ReaderRoot", "NoteBtn", "BookmrkBtn", "AutoscrollBtn", "Faster", "Slower", "ZoomBtn", "Managebookmarks1"})
    Enable(name, !enabled);
  UpdateAutodetectControls();
  Control("Readerinterfacemode2")->setVisible(!enabled);
  if (enabled && PreviousMode() == kReaderMode) activeBrowser_->Navigate("about:blank");
}

void TMain::ShowPreviewTab(bool show) {
  if (interfaceMode_ != kAdvancedMode || show == previewTabShown_) return;
  previewTabShown_ = show;
  WebBrowser* before = activeBrowser_;
  pageControl1_->setTabVisible(kPreviewPage, show);
  clientArea_->setCurrentWidget(show ? static_cast<QWidget*>(pageControl1_) : panel1_);
  SetActiveBrowser(show ? webBrowser0_ : webBrowser1_);
  if (before != activeBrowser_) {
    const QString address = before->LocationUrl();
    if (!address.isEmpty()) activeBrowser_->Navigate(address);
  }
}

void TMain::UpdateAutodetectControls() {
  const bool autodetect = options().Flag(Opt::AutoDetectTextFormat);
  for (const char* name : {"ToolButton44", "ToolButton54", "Autodetectformat1"})
    Control(name)->setChecked(autodetect);
  Enable("Autodetectformat1", editorCommandsEnabled_);
  for (const char* name : {"ToolButton41", "ToolButton42", "ToolButton43"}) Enable(name, !autodetect);
  for (const char* name : {"ToolButton56", "ToolButton57", "ToolButton58", "Threatasfixedwidth1",
                           "Threataslineparagraph1", "Threatashtml1"})
    Enable(name, editorCommandsEnabled_ && !autodetect);
}

void TMain::CheckPreset(int style) {
  const char* groups[3][3] = {{"ToolButton41", "ToolButton56", "Threatasfixedwidth1"},
                              {"ToolButton42", "ToolButton57", "Threataslineparagraph1"},
                              {"ToolButton43", "ToolButton58", "Threatashtml1"}};
  for (int s = 0; s < 3; ++s)
    for (const char* name : groups[s]) Control(name)->setChecked(s == style);
}

void TMain::UpdateEditorTabs() {
  pageControl1_->setTabVisible(kHtmlPage, options().Flag(Opt::ShowHtml));
  pageControl1_->setTabVisible(kSourcePage, options().Flag(Opt::UseSourceEditor));
}

void TMain::UpdatePreviewWidth() {
  QWidget* beside = splitter2_->widget(1);
  if (options().Flag(Opt::IndependentBrowserWidth)) {
    beside->show();
    const int width = std::max(50, options().Number(Opt::BrowserWidth));
    splitter2_->setSizes({width, std::max(0, splitter2_->width() - width)});
  } else {
    beside->hide();
  }
}

void TMain::OptionChanged(Opt id) {
  optionPanel_->OptionChanged(id);
  switch (id) {
    case Opt::InterfaceMode:
      SetInterfaceMode(options().Number(Opt::InterfaceMode));
      break;
    case Opt::AutoDetectTextFormat:
      UpdateAutodetectControls();
      break;
    case Opt::ShowHtml:
    case Opt::UseSourceEditor:
      UpdateEditorTabs();
      ShowPreviewTab(options().Flag(Opt::ShowHtml) || options().Flag(Opt::UseSourceEditor));
      break;
    case Opt::IndependentBrowserWidth:
    case Opt::BrowserWidth:
      UpdatePreviewWidth();
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------- window state

void TMain::ApplyStoredWindowState() {
  const Options& o = options();
  resize(std::max(300, o.Number(Opt::WindowWidth)), std::max(200, o.Number(Opt::WindowHeight)));
  const int panel = std::max(200, o.Number(Opt::PanelWidth));
  splitter1_->setSizes({std::max(150, width() - panel), panel});
  if (auto* splitter3 = rightPanel_->findChild<QSplitter*>("Splitter3"))
    splitter3->setSizes({std::max(50, o.Number(Opt::PanelHeight)), 123});
}

void TMain::StoreWindowState() {
  Options& o = options();
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  o.SetNumber(Opt::WindowWidth, normal.width());
  o.SetNumber(Opt::WindowHeight, normal.height());
  if (splitter1_->sizes().size() == 2 && splitter1_->sizes().at(1) > 0)
    o.SetNumber(Opt::PanelWidth, splitter1_->sizes().at(1));
  if (o.Flag(Opt::IndependentBrowserWidth)) o.SetNumber(Opt::BrowserWidth, webBrowser0_->width());
  o.SetNumber(Opt::ActivePage, pageControl1_->currentIndex());
  o.SetText(Opt::LastReaderFile, FromQt(readerFileName_));
}

void TMain::CheckHelpFile() {
  const QString help = QCoreApplication::applicationDirPath() + "/norvella.chm";
  QAction* item = Control("Help1");
  if (QFileInfo(help).isFile()) {
    helpFile_ = help;
    return;
  }
  item->setText("Help not downloaded.");
  item->setProperty("implemented", false);
  item->setEnabled(false);
}

void TMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (windowShown_) return;
  windowShown_ = true;
  activeBrowser_->SetZoomLevel(options().Number(Opt::BrowserFontSize));
  emit FirstShown();
}

void TMain::closeEvent(QCloseEvent* event) {
  if (interfaceMode_ == kReaderMode && !readerDocSaved_ && !options().Flag(Opt::SaveReaderDocOnExit)) {
    QMessageBox ask(QMessageBox::Question, MessageText(controller_->strings(), "Confirm"),
                    MessageText(controller_->strings(), "Save Read File"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    if (ask.exec() == QMessageBox::Cancel) {
      event->ignore();
      return;
    }
    // Saving the reader's document comes with the reader.
  }
  event->accept();
}

// ---------------------------------------------------------------- messages

void TMain::ShowBuildCheck(const LocalisationCheck& check) {
  // Shown without waiting for it: the window comes up behind it.
  auto* box = new QMessageBox(QMessageBox::Critical, ToQt(std::string(kBuildCheckCaption)),
                              ToQt(check.BuildCheckMessage()), QMessageBox::NoButton, this);
  box->setObjectName("BuildCheck");
  box->addButton(ToQt(std::string(kBuildCheckButton)), QMessageBox::AcceptRole);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->show();
}

void TMain::ShowError(const QString& text) {
  QMessageBox::critical(this, MessageText(controller_->strings(), "Error"), DisplayText(text));
}

void TMain::ShowInfo(const QString& text) {
  QMessageBox::information(this, MessageText(controller_->strings(), "Info"), DisplayText(text));
}

// ---------------------------------------------------------------- loading

bool TMain::AskSourceFileName() {
  QFileDialog dialog(this, "Load source");
  dialog.setObjectName("OpenDialog1");
  dialog.setFileMode(QFileDialog::ExistingFile);
  // The chosen entry forces the encoding of the load (see
  // EncodingOfFilterIndex).
  QStringList filters;
  for (const OpenFilterEntry& entry : SourceOpenFilter(controller_->strings()))
    filters << ToQt(entry.text) + " (" + ToQt(entry.mask) + ")";
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.value(sourceFilterIndex_ - 1, filters.first()));
  dialog.setDefaultSuffix("txt");
  const QString lastDir = ToQt(options().Text(Opt::LastEditOpenDir));
  if (!sourceFileName_.isEmpty()) dialog.selectFile(sourceFileName_);
  else if (!lastDir.isEmpty()) dialog.setDirectory(lastDir);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString chosen = dialog.selectedFiles().first();
  if (chosen.isEmpty()) return false;
  sourceFileName_ = chosen;
  sourceFilterIndex_ = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  options().SetText(Opt::LastEditOpenDir, FromQt(QFileInfo(chosen).path()));
  return true;
}

void TMain::LoadSrc(int mode) {
  // The reader's document would be saved here when so set (with the reader).
  readerDocSaved_ = true;
  if (mode == kAskForFile && !AskSourceFileName()) return;
  if (sourceFileName_.isEmpty()) return;

  SourceRead read;
  const bool readDone =
      Guarded([&] { read = controller_->ReadSourceFile(PathBytes(sourceFileName_), sourceFilterIndex_); });
  // The load may have found a title and an author.
  optionPanel_->DocumentReplaced();
  if (!readDone) return;
  switch (read.kind) {
    case SourceRead::Kind::Failed:
      ShowError(QString::fromLocal8Bit(read.error.c_str()));
      return;
    case SourceRead::Kind::ReadOnlyFolder:
      ShowError(ToQt(read.error));
      return;
    case SourceRead::Kind::Cancelled:
    case SourceRead::Kind::Empty:
      return;
    case SourceRead::Kind::OpenInReader:
      SetInterfaceMode(kReaderMode);
      OpenForReading(sourceFileName_);
      return;
    case SourceRead::Kind::Text:
      break;
  }
  if (read.appliedStyle >= 0) CheckPreset(read.appliedStyle);
  setWindowTitle(controller_->Caption());
  if (interfaceMode_ == kReaderMode) SetInterfaceMode(PreviousMode());
  controller_->SetSourceText(read.text);
  read.text.clear();
  if (interfaceMode_ == kAdvancedMode && options().Flag(Opt::UseSourceEditor)) {
    if (pageControl1_->currentIndex() < kSourcePage) ShowPreviewPage();
    return;
  }
  if (Guarded([&] { controller_->ConvertText(controller_->GetSourceLines()); })) ShowPreview();
}

void TMain::OpenDroppedFiles(const QList<QUrl>& urls) {
  QStringList files;
  for (const QUrl& url : urls)
    if (url.isLocalFile()) files << url.toLocalFile();
  if (files.isEmpty()) return;
  if (files.size() > 1) ShowInfo(MessageText(controller_->strings(), "DropMany"));
  sourceFileName_ = files.first();
  sourceFilterIndex_ = 1;
  LoadSrc(kLoadNamedFile);
}

void TMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void TMain::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  event->acceptProposedAction();
  // The drop is released first; the load may ask questions.
  QMetaObject::invokeMethod(this, [this, urls] { OpenDroppedFiles(urls); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- converting

void TMain::ShowPreviewPage() {
  // What an open option editor holds counts, so the preview shows it.
  optionPanel_->CommitEditor();
  bool fresh = false;
  if (Guarded([&] { fresh = controller_->ConvertForPreview(); }) && fresh) ShowPreview();
}

void TMain::ShowHtmlPage() {
  if (!controller_->Converted()) ShowPreviewPage();
}

void TMain::ConvertAgain() {
  controller_->Invalidate();
  ShowPreviewPage();
}

void TMain::ChoosePreset(int style) {
  controller_->ApplyPreset(style);
  CheckPreset(style);
  controller_->Invalidate();
  if (Guarded([&] { controller_->ConvertText(controller_->GetSourceLines()); })) ShowPreview();
}

void TMain::ToggleAutodetect() {
  options().SetFlag(Opt::AutoDetectTextFormat, !options().Flag(Opt::AutoDetectTextFormat));
}

void TMain::ShowPreview() {
  PreviewWrite written;
  {
    BusyCursor busy;
    written = controller_->WritePreview();
  }
  switch (written.kind) {
    case PreviewWrite::Kind::NoPreviewPath:
      activeBrowser_->Navigate("about:blank");
      return;
    case PreviewWrite::Kind::Failed:
      controller_->ReportReady();
      ShowError(QString::fromLocal8Bit(written.error.c_str()));
      return;
    case PreviewWrite::Kind::Written:
      break;
  }
  const QString path = PathText(written.path);
  // Refreshing helps only the browser that shows the preview already; the
  // other browser of a mode switch has to be sent there.
  if (written.shownBefore && activeBrowser_->LocationUrl() == QUrl::fromLocalFile(path).toString())
    activeBrowser_->Refresh();
  else
    activeBrowser_->Navigate(path);
  controller_->MarkPreviewShown();
  controller_->ReportReady();
  documentShown_ = true;
}

bool TMain::SaveHTML(bool askForName) {
  if (!controller_->HasResult()) {
    QApplication::beep();
    return false;
  }
  if (askForName) {
    QFileDialog dialog(this, "Save the result");
    dialog.setObjectName("SaveDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({"HTML files (*.html *.htm)"});
    dialog.setDefaultSuffix("htm");
    const QString lastDir = ToQt(options().Text(Opt::LastEditSaveDir));
    const QFileInfo source(sourceFileName_);
    const QString folder = !lastDir.isEmpty() ? lastDir : source.path();
    dialog.setDirectory(folder);
    if (!saveFileName_.isEmpty()) dialog.selectFile(saveFileName_);
    else if (!sourceFileName_.isEmpty()) dialog.selectFile(source.completeBaseName() + ".htm");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    saveFileName_ = dialog.selectedFiles().first();
    options().SetText(Opt::LastEditSaveDir, FromQt(QFileInfo(saveFileName_).path()));
  }
  if (saveFileName_.isEmpty()) return false;
  const FileResult saved = controller_->SaveHtml(PathBytes(saveFileName_));
  if (!saved.ok) {
    ShowError(QString::fromLocal8Bit(saved.error.c_str()));
    return false;
  }
  return true;
}

void TMain::SendToRocket() { norvella::SendToRocket(PathText(controller_->PreviewPath())); }

void TMain::OpenForReading(const QString& path) {
  // The reader's own handling of the document (markers, position, styles)
  // comes with the reader; here the document is shown as it is.
  activeBrowser_->Navigate(path);
  readerFileName_ = path;
  setWindowTitle("Norvella (reader) - " + QFileInfo(path).fileName());
  documentShown_ = true;
}

}  // namespace norvella
