// The window's life: creation from the stored settings, the parts wired to
// it, commands turned into calls, the window state kept at exit, messages.
// The areas and controls are built in main_window_areas.cpp, the modes and
// the enabling in main_window_modes.cpp, the converter's commands in
// main_window_convert.cpp.

#include "gui/ui/main_window.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

#include "gui/common/artwork.h"
#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"
#include "core/base/text.h"
#include "core/i18n/keyboard_layout.h"
#include "gui/convert/document_dialogs.h"
#include "gui/i18n/about_box.h"
#include "gui/reader/comment_window.h"
#include "gui/reader/reader_controller.h"
#include "gui/reader/screen_saver.h"
#include "gui/editor/browser_find_bar.h"
#include "gui/editor/editor_commands.h"
#include "gui/editor/editor_controller.h"
#include "gui/editor/editor_widgets.h"
#include "gui/options/option_panel_widget.h"
#include "gui/source/source_dialogs.h"
#include "gui/ui/browser_page.h"
#include "gui/ui/full_screen_window.h"
#include "gui/ui/reader_questions.h"
#include "gui/ui/status_panels.h"
#include "gui/ui/web_browser.h"

namespace norvella {
namespace {

WindowRect RectOf(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

TMain::TMain(std::unique_ptr<ConverterController> controller, const QString& commandLineFile,
             QWidget* parent)
    : QMainWindow(parent), controller_(std::move(controller)) {
  setObjectName("TMain");
  setWindowTitle("Norvella - no file");
  setWindowIcon(AppIcon());
  // The interface texts first: every control and dialog takes its text
  // when it is made.
  controller_->LoadLocalisation();
  BuildControls();
  BuildMenus();
  BuildAreas();

  WireConverter();
  WireReader();
  WireFullScreen();
  WireEditors();

  setAcceptDrops(true);
  options().SetListener(this);
  reader_->SetDocSaved(true);
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

  UpdateReaderChecks();
  UpdateTextSizeChecks();
  reader_->Recent().Load(o);
  reader_->SetScrollY(o.Number(Opt::LastReadDocPos));
  if (interfaceMode_ == kReaderMode) {
    const QString lastFile = ToQt(o.Text(Opt::LastReaderFile));
    if (!lastFile.isEmpty() && QFileInfo(lastFile).isFile() && commandLineFile.isEmpty()) {
      // Reopened without the position question; the splash's closing
      // scrolls to where the last run ended.
      reader_->SetPositionRestoreEnabled(false);
      readerOpenFileName_ = lastFile;
      OpenForReading(lastFile, true);
    } else {
      SetInterfaceMode(kSimpleMode);
    }
  }
  RebuildRecentMenu();
  reader_->SetPositionRestoreEnabled(true);
  CheckHelpFile();
  Enable(Control("RocketBtn"), controller_->LibrarianInstalled());
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
  // The full-screen view goes first; the page it showed stays the one that
  // is saved below.
  if (fullScreen_) {
    disconnect(fullScreen_.get(), nullptr, this, nullptr);
    fullScreen_->hide();
    SetDialogOwner(this);  // the dialogs are the window's to delete
  }
  if (interfaceMode_ == kReaderMode && !readerFileName_.isEmpty()) {
    if (const auto top = activeBrowser_->ScrollTop()) options().SetNumber(Opt::LastReadDocPos, *top);
    if (options().Flag(Opt::SaveReaderDocOnExit)) reader_->SaveReaderDocument();
  }
  StopAutoscroll();
  reader_->SetDocSaved(true);
  reader_->Recent().Store(options());
  // A value still in an open option editor is kept like any other.
  optionPanel_->CommitEditor();
  StoreWindowState();
  SaveSettingsState state;
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

// ---------------------------------------------------------------- parts

// Each part of the program is a controller that knows no window, with the
// dialogs that answer its questions. Here it is made and connected to the
// areas the window owns; a new part gets its own Wire function, called
// from the constructor after the areas exist.

void TMain::WireConverter() {
  // The dialogs of a load and of a conversion, made once for the whole run.
  detectWnd_ = new TDetectWnd(controller_->strings(), this);
  large_ = new TLarge(controller_->strings(), this);
  questions_ = new DialogQuestions(controller_->strings(), this);
  sourceQuestions_ = std::make_unique<DialogSourceQuestions>(*detectWnd_, *large_, controller_->strings(),
                                                             *questions_, this);
  controller_->SetObserver(status_);
  controller_->SetQuestions(questions_);
  controller_->SetSourceQuestions(sourceQuestions_.get());
}

void TMain::WireReader() {
  readerPage_ = std::make_unique<BrowserPage>(activeBrowser_);
  readerQuestions_ =
      std::make_unique<DialogReaderQuestions>(controller_->strings(), *detectWnd_, *large_, *status_, this);
  reader_ = std::make_unique<ReaderController>(options(), controller_->strings(), controller_->templates(),
                                               *readerQuestions_);
  reader_->SetPage(readerPage_.get());
  reader_->SetTemporaryFiles(&controller_->temporaryFiles());
  reader_->SetBookmarksChanged([this] { RebuildBookmarksMenu(); });
  screenSaver_ = std::make_unique<ScreenSaverInhibitor>();
  autoscroll_ = new QTimer(this);
  autoscroll_->setObjectName("Timer1");
  connect(autoscroll_, &QTimer::timeout, this, [this] { reader_->AutoscrollTick(); });
  for (WebBrowser* browser : {webBrowser0_, webBrowser1_}) {
    FollowBrowserStatus(browser);
    connect(browser, &WebBrowser::NoteLinkClicked, this,
            [this](const QString& note) { CommentWindow()->ShowNote(note); });
    browser->SetGuardsLeaving(true);
    connect(browser, &WebBrowser::LeaveRequested, this,
            [this, browser](const QUrl& url) { FollowLinkOut(browser, url); });
  }
}

void TMain::WireFullScreen() {
  // Made once and reused. Its buttons are the commands of the same role,
  // with their hints; they act on the active browser, which is the view's
  // own while it is shown.
  fullScreen_ = std::make_unique<TFullScrForm>(controller_->strings());
  TFullScrForm* view = fullScreen_.get();
  WebBrowser* browser = view->Browser();
  const std::pair<const char*, const char*> roles[] = {
      {"ToolButton49", "ToolButton49"}, {"ToolButton50", "ToolButton50"}, {"ToolButton62", "ToolButton62"},
      {"NoteBtn", "NoteBtn"},           {"BookmrkBtn", "BookmrkBtn"},     {"AutoscrollBtn", "AutoscrollBtn"},
      {"Faster", "Faster"},             {"Slower", "Slower"},             {"Autoscroll1", "Autoscroll1"},
      {"Addnote1", "Addnotetoselected1"}, {"Addbookmark1", "Addbookmark1"}};
  for (const auto& [own, main] : roles) {
    QAction* action = view->Action(own);
    QAction* role = Control(main);
    if (action->text() == own) {
      action->setText(role->text());
      action->setToolTip(role->toolTip());
    }
    if (action->icon().isNull()) action->setIcon(role->icon());
    const QString name = main;
    Command command = Command::About;
    for (const ControlInfo& info : Controls())
      if (ToQtName(info.name) == name) command = info.command;
    connect(action, &QAction::triggered, this, [this, command, name] {
      Execute(command, name);
      UpdateReaderChecks();  // the check marks of both windows follow
    });
  }
  connect(view->BookmarksMenu(), &QMenu::aboutToShow, this, [this] { FillFullScreenBookmarks(); });
  connect(view, &TFullScrForm::Closed, this, [this] { LeaveFullScreen(); });
  // The view's browser is a reader page like the panel's.
  FollowBrowserStatus(browser);
  connect(browser, &WebBrowser::NoteLinkClicked, this, [this](const QString& note) { CommentWindow()->ShowNote(note); });
  browser->SetGuardsLeaving(true);
  connect(browser, &WebBrowser::LeaveRequested, this, [this, browser](const QUrl& url) { FollowLinkOut(browser, url); });
  connect(browser, &WebBrowser::CommandStateChanged, this, [view](bool back, bool forward) {
    view->Action("ToolButton49")->setEnabled(back);
    view->Action("ToolButton50")->setEnabled(forward);
  });
  view->Action("ToolButton49")->setEnabled(false);
  view->Action("ToolButton50")->setEnabled(false);
  // A file dropped on the view is loaded as one dropped on the window, which
  // it shows again first.
  connect(browser, &WebBrowser::FilesDropped, this, [this](const QList<QUrl>& urls) {
    QMetaObject::invokeMethod(
        this,
        [this, urls] {
          if (FullScreenShown()) fullScreen_->close();
          OpenDroppedFiles(urls);
        },
        Qt::QueuedConnection);
  });
}

TCommentWnd* TMain::CommentWindow() {
  if (commentWnd_ == nullptr) {
    commentWnd_ = new TCommentWnd(FullScreenShown() ? static_cast<QWidget*>(fullScreen_.get()) : this);
    commentWnd_->setWindowTitle(ToQt(controller_->strings().Get(kControlsMain, "comment window")));
  }
  return commentWnd_;
}

void TMain::WireEditors() {
  keyboardLayouts_ = std::make_unique<UnicodeKeyboardLayouts>();
  editors_ = new EditorController(*srcText_, *htmText_, options(), controller_->strings(), *keyboardLayouts_, this);
  controller_->SetEditors(editors_);
  // Every change of the source makes the result out of date.
  connect(editors_, &EditorController::SourceEdited, this, [this] { controller_->Invalidate(); });
  editorCommands_ = new EditorCommands(
      *editors_, options(), controller_->strings(), [this](const QString& name) { return Control(name); },
      [this] { return JoinLines(controller_->GetSourceLines()); }, this);
}

bool TMain::FindSelectedInSource() {
  const QString selected = webBrowser0_->SelectionText();
  if (!options().Flag(Opt::UseSourceEditor) || !editors_->FindInSource(selected)) {
    QApplication::beep();
    return false;
  }
  pageControl1_->setCurrentIndex(kSourcePage);
  srcText_->setFocus();
  return true;
}

BrowserFindBar* TMain::FindBar() const {
  if (fullScreen_ && activeBrowser_ == fullScreen_->Browser()) return fullScreen_->FindBar();
  return activeBrowser_ == webBrowser0_ ? previewFindBar_ : panelFindBar_;
}

// ---------------------------------------------------------------- commands

void TMain::Execute(Command command, const QString& control) {
  if (EditorCommands::IsEditorControl(control.toStdString())) {
    editorCommands_->Run(control.toStdString());
    return;
  }
  switch (command) {
    case Command::Open: LoadSrc(kAskForFile); break;
    case Command::Save: SaveHTML(true); break;
    case Command::ExportEpub: ExportBook(BookFormat::kEpub); break;
    case Command::ExportFb2: ExportBook(BookFormat::kFb2); break;
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
    case Command::OpenForReading: Readerinterfacemode1Click(true); break;
    case Command::SaveAndRead: SaveAndRead(); break;
    case Command::SaveReaderDocument: SaveActiveFile(); break;
    case Command::AddNote: reader_->AddNote(); break;
    case Command::AddBookmark: reader_->AddBookmark(); break;
    case Command::ManageBookmarks: reader_->ManageBookmarks(); break;
    case Command::Autoscroll: ToggleAutoscroll(); break;
    case Command::Faster: ChangeAutoscrollSpeed(true); break;
    case Command::Slower: ChangeAutoscrollSpeed(false); break;
    case Command::TurboScroll:
      options().SetFlag(Opt::TurboScroll, !options().Flag(Opt::TurboScroll));
      UpdateReaderChecks();
      break;
    case Command::AutosaveOnExit:
      options().SetFlag(Opt::SaveReaderDocOnExit, !options().Flag(Opt::SaveReaderDocOnExit));
      UpdateReaderChecks();
      break;
    case Command::Find: FindBar()->Open(); break;
    case Command::About: ShowAbout(); break;
    case Command::ViewerFontSize: {
      static const std::map<QString, int> kTags = {{"Smallest1", 0}, {"Small1", 1},      {"Normal1", 2},
                                                   {"Large1", 3},    {"Largest1", 4},    {"Increase1", 101},
                                                   {"Decrease1", 99}};
      const auto tag = kTags.find(control);
      if (tag != kTags.end()) ViewerFontSizeClick(tag->second);
      break;
    }
    case Command::FullScreen: ZoomBtnClick(); break;
    case Command::ColorScheme: Colorify(control == "BlackYellow1" ? 1 : 2); break;
    case Command::CustomStyle: CustomStyle(); break;
    case Command::NoStyle: RemoveStyle(); break;
    case Command::ApplyLastToAll:
      options().SetFlag(Opt::ApplyReaderStyleForNewDocs, !options().Flag(Opt::ApplyReaderStyleForNewDocs));
      UpdateReaderChecks();
      break;
    case Command::Bookshelf: BookshelfClick(control); break;
    case Command::FindSelected: FindSelectedInSource(); break;
    default: break;  // its handler comes later; the control is disabled
  }
}

void TMain::OptionChanged(Opt id) {
  optionPanel_->OptionChanged(id);
  switch (id) {
    case Opt::InterfaceMode:
      FollowInterfaceMode(options().Number(Opt::InterfaceMode));
      break;
    case Opt::AutoDetectTextFormat:
      UpdateAutodetectControls();
      break;
    case Opt::UseSourceEditor:
      // Only a change counts: loading the stored value again must not take
      // the Preview tab away from a window that came up with it.
      if (options().Flag(Opt::UseSourceEditor) == sourceEditorOn_) break;
      sourceEditorOn_ = options().Flag(Opt::UseSourceEditor);
      controller_->SourceEditorSwitched();
      [[fallthrough]];
    case Opt::ShowHtml:
      UpdateEditorTabs();
      ShowPreviewTab(options().Flag(Opt::ShowHtml) || options().Flag(Opt::UseSourceEditor));
      break;
    case Opt::IndependentBrowserWidth:
    case Opt::BrowserWidth:
      UpdatePreviewWidth();
      break;
    case Opt::BrowserFontSize:
      // Checked at once; the page follows once the window is shown.
      UpdateTextSizeChecks();
      if (windowShown_) activeBrowser_->SetZoomLevel(options().Number(Opt::BrowserFontSize));
      break;
    default:
      if (editors_ != nullptr) editors_->ApplyOption(id);
      break;
  }
}

// ---------------------------------------------------------------- window state

void TMain::ApplyStoredWindowState() {
  const Options& o = options();
  std::vector<WindowRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens.push_back(RectOf(screen->availableGeometry()));
  const QScreen* primary = QGuiApplication::primaryScreen();
  const WindowRect primaryArea = primary != nullptr ? RectOf(primary->availableGeometry()) : WindowRect{0, 0, 1024, 768};
  const WindowPlacement placement =
      ChooseWindowPlacement(controller_->StoredWindowPlacement(), screens, primaryArea);
  setGeometry(placement.normal.x, placement.normal.y, placement.normal.width, placement.normal.height);
  if (placement.maximized) setWindowState(windowState() | Qt::WindowMaximized);
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
  controller_->SetWindowPlacement({RectOf(normal), isMaximized()});
  if (splitter1_->sizes().size() == 2 && splitter1_->sizes().at(1) > 0)
    o.SetNumber(Opt::PanelWidth, splitter1_->sizes().at(1));
  if (o.Flag(Opt::IndependentBrowserWidth)) o.SetNumber(Opt::BrowserWidth, webBrowser0_->width());
  o.SetNumber(Opt::ActivePage, pageControl1_->currentIndex());
  o.SetText(Opt::LastReaderFile, FromQt(readerFileName_));
}

QString HelpFile(const QStringList& folders, const QString& localisedName) {
  // Only a plain page name is taken from a localisation, so that it cannot
  // point the desktop at a file outside the guide's folder.
  QStringList names;
  if (!localisedName.isEmpty() && !localisedName.contains('/') && !localisedName.contains('\\') &&
      !localisedName.startsWith('.') && localisedName.endsWith(".html"))
    names << localisedName;
  names << QString::fromUtf8(kHelpPage.data(), static_cast<qsizetype>(kHelpPage.size()));
  for (const QString& name : names)
    for (const QString& folder : folders)
      if (const QFileInfo page(folder + "/" + name); page.isFile()) return page.absoluteFilePath();
  return {};
}

void TMain::CheckHelpFile() {
  // The guide beside the program (the build folder) or in the installed
  // data folder, in the page the localisation names; the desktop's
  // handler opens it.
  const QString dir = QCoreApplication::applicationDirPath();
  QAction* item = Control("Help1");
  helpFile_ = HelpFile({dir + "/help", dir + "/../share/norvella/help"},
                       ToQt(controller_->strings().Get(kControlsMain, "help page")));
  if (!helpFile_.isEmpty()) return;
  // A help file of its own beside the program, as older installations had.
  for (const QString& help : {dir + "/norvella.chm", dir + "/norvella.html", dir + "/../share/doc/norvella/norvella.html"}) {
    if (QFileInfo(help).isFile()) {
      helpFile_ = QFileInfo(help).absoluteFilePath();
      return;
    }
  }
  item->setText(ToQt(controller_->strings().Get(kControlsMain, "no help")));
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
  if (interfaceMode_ == kReaderMode && !reader_->ConfirmLeaving()) {
    event->ignore();
    return;
  }
  showNormal();
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

void TMain::ShowAbout() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TAboutForm box(controller_->store(), controller_->strings(), this);
  QApplication::restoreOverrideCursor();
  box.exec();
}

void TMain::ShowError(const QString& text) {
  QMessageBox::critical(this, MessageText(controller_->strings(), "Error"), DisplayText(text));
}

void TMain::ShowInfo(const QString& text) {
  QMessageBox::information(this, MessageText(controller_->strings(), "Info"), DisplayText(text));
}

}  // namespace norvella
