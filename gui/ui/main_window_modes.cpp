// The interface modes: the layout of each, and the enabling of every
// control as the command table gives it.

#include "gui/ui/main_window.h"

#include "gui/reader/reader_controller.h"
#include "gui/ui/browser_page.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QMessageBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>

#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"
#include "gui/ui/web_browser.h"

namespace norvella {

int TMain::PreviousMode() const { return controller_->options().Number(Opt::PreviousMode); }

bool TMain::AdvancedConfirmed() const { return controller_->options().Flag(Opt::AskedAboutTitle); }

void TMain::SetInterfaceMode(int mode) {
  if (mode == interfaceMode_ || mode < kSimpleMode || mode > kReaderMode) return;
  // The option remembers the mode left; OptionChanged brings the window
  // along, also when the option held this mode already.
  options().SetNumber(Opt::InterfaceMode, mode);
}

void TMain::FollowInterfaceMode(int mode) {
  if (mode == interfaceMode_ || mode < kSimpleMode || mode > kReaderMode) return;
  ApplyLayout(mode, interfaceMode_);
  interfaceMode_ = mode;
  UpdateModeChecks();
}

void TMain::SetActiveBrowser(WebBrowser* browser) {
  activeBrowser_ = browser;
  readerPage_->SetBrowser(browser);
  activeBrowser_->SetZoomLevel(options().Number(Opt::BrowserFontSize));
}

void TMain::ApplyLayout(int mode, int previousLayout) {
  switch (mode) {
    case kSimpleMode:
      StopAutoscroll();
      rightPanel_->hide();
      clientArea_->setCurrentWidget(panel1_);
      SetActiveBrowser(webBrowser1_);
      EnableCommandsFor(mode);
      readerFileName_.clear();
      reader_->ClearFileName();
      if (controller_->HasResult()) ShowPreview();
      else activeBrowser_->Navigate("about:blank");
      break;
    case kAdvancedMode:
      StopAutoscroll();
      clientArea_->setCurrentWidget(previewTabShown_ ? static_cast<QWidget*>(pageControl1_) : panel1_);
      SetActiveBrowser(previewTabShown_ ? webBrowser0_ : webBrowser1_);
      rightPanel_->show();
      EnableCommandsFor(mode);
      readerFileName_.clear();
      reader_->ClearFileName();
      if (previousLayout != kReaderMode) LoadSrc(kReloadFile);
      break;
    case kReaderMode:
      rightPanel_->hide();
      clientArea_->setCurrentWidget(panel1_);
      SetActiveBrowser(webBrowser1_);
      EnableCommandsFor(mode);
      break;
  }
}

void TMain::UpdateModeChecks() {
  for (const ControlInfo& info : Controls())
    if (info.kind == ControlKind::MenuItem && ModeOfCommand(info.command) == interfaceMode_)
      Control(info)->setChecked(true);
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
  // The reader's document is left like on every other way out of it: its
  // changes are asked about (or saved) first, and Cancel stays.
  if (interfaceMode_ == kReaderMode && mode != kReaderMode && !LeaveReaderDocument()) {
    UpdateModeChecks();
    return;
  }
  SetInterfaceMode(mode);
  UpdateModeChecks();
}

void TMain::EnableCommandsFor(int mode) {
  commandsMode_ = mode;
  for (const MenuInfo& menu : SwitchedMenus())
    Enable(Control(ToQtName(menu.name)), (menu.enabledIn & ModeBit(mode)) != 0);
  UpdateAutodetectControls();
  if (mode != kReaderMode && PreviousMode() == kReaderMode) activeBrowser_->Navigate("about:blank");
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
  // Every control whose rule names a mode or automatic detection is set
  // from its row; the others keep what their own rule gave them.
  const bool autodetect = options().Flag(Opt::AutoDetectTextFormat);
  for (const ControlInfo& info : Controls()) {
    if (info.command == Command::Autodetect) Control(info)->setChecked(autodetect);
    if (!FollowsMode(info)) continue;
    Enable(Control(info), ModeEnables(info, commandsMode_, autodetect));
    if (info.shownIn != kEveryMode) Control(info)->setVisible(ModeShows(info, commandsMode_));
  }
}

void TMain::CheckPreset(int style) {
  for (const ControlInfo& info : Controls()) {
    const int preset = PresetOfCommand(info.command);
    if (preset >= 0) Control(info)->setChecked(preset == style);
  }
}

void TMain::UpdateEditorTabs() {
  pageControl1_->setTabVisible(kHtmlPage, options().Flag(Opt::ShowHtml));
  pageControl1_->setTabVisible(kSourcePage, options().Flag(Opt::UseSourceEditor));
  Enable(Control("FindSelectedBtn"), options().Flag(Opt::UseSourceEditor));
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

void TMain::Enable(QAction* action, bool enabled) {
  action->setProperty("modeEnabled", enabled);
  action->setEnabled(enabled && action->property("implemented").toBool());
}

}  // namespace norvella
