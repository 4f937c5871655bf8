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
#include <QMessageBox>
#include <QSplitter>
#include <QTabWidget>
#include <QUrl>

#include "gui/common/artwork.h"
#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"
#include "gui/convert/document_dialogs.h"
#include "gui/options/option_panel_widget.h"
#include "gui/source/source_dialogs.h"
#include "gui/ui/status_panels.h"
#include "gui/ui/web_browser.h"

namespace norvella {

TMain::TMain(std::unique_ptr<ConverterController> controller, const QString& commandLineFile,
             QWidget* parent)
    : QMainWindow(parent), controller_(std::move(controller)) {
  setObjectName("TMain");
  setWindowTitle("Norvella - no file");
  setWindowIcon(AppIcon());
  BuildControls();
  BuildMenus();
  BuildAreas();

  WireConverter();

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
  readerDocSaved_ = true;
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

// ---------------------------------------------------------------- commands

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
      [[fallthrough]];
    case Opt::ShowHtml:
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

}  // namespace norvella
