#pragma once

// TMain, the program's one main window. It hosts the conversion tabs
// (Preview, HTML, Source) beside the option panel, and a full-window panel
// with its own browser; the three interface modes decide which areas show
// and which commands are enabled. The window owns the areas; each part of
// the program (today the converter) keeps its state in a controller that
// knows no window, and the window turns commands into controller calls
// and shows what comes back.

#include <map>
#include <memory>
#include <string_view>

#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QString>
#include <QUrl>

#include "core/export/export.h"
#include "core/settings/options.h"
#include "gui/convert/converter_controller.h"
#include "gui/ui/commands.h"

class QAction;
class QActionGroup;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTimer;
class QToolBar;

namespace norvella {

class BrowserFindBar;
class BrowserPage;
class DialogQuestions;
class DialogReaderQuestions;
class EditorCommands;
class EditorController;
class HtmlEditor;
class SourceEditor;
class UnicodeKeyboardLayouts;
class DialogSourceQuestions;
class ReaderController;
class ScreenSaverInhibitor;
class OptionPanelWidget;
class StatusPanels;
class TColorifer;
class TCommentWnd;
class TDetectWnd;
class TFullScrForm;
class TLarge;
class WebBrowser;

// The page of the user guide to open: the localisation's page (a plain
// name ending in ".html") when one of the folders holds it, else the
// English page; empty when neither is there.
QString HelpFile(const QStringList& folders, const QString& localisedName);

class TMain : public QMainWindow, private OptionsListener {
  Q_OBJECT

 public:
  // The ways LoadSrc obtains its file name.
  static constexpr int kReloadFile = 0;     // the current name again; nothing when empty
  static constexpr int kLoadNamedFile = 1;  // the name already set
  static constexpr int kAskForFile = 2;     // the open dialog

  // Creation loads everything the window keeps, in a fixed order: defaults,
  // stored settings (through the controller's store), the stored interface
  // mode. `commandLineFile` is the joined command line, empty when none; it
  // keeps the stored reader mode from reopening the last document.
  TMain(std::unique_ptr<ConverterController> controller, const QString& commandLineFile,
        QWidget* parent = nullptr);
  ~TMain() override;

  ConverterController& controller() { return *controller_; }
  Options& options() { return controller_->options(); }
  StatusPanels& status() { return *status_; }
  DialogQuestions& questions() { return *questions_; }

  // Interface modes ("Interface mode" values). The options keep the mode
  // and the one left before it; the window follows them.
  int InterfaceMode() const { return interfaceMode_; }
  int PreviousMode() const;
  bool AdvancedConfirmed() const;
  // Chooses a mode through its option; nothing for the mode in use or a
  // value that is no mode.
  void SetInterfaceMode(int mode);
  // The View menu's mode items: the advanced mode asks once ever first.
  void InterfaceModeClick(int mode);
  // Enables the commands of a mode, as the command table says; the editor
  // commands are on in the converter's modes.
  void EnableCommandsFor(int mode);
  // In the advanced mode: the Preview tab, or the full-window panel.
  void ShowPreviewTab(bool show);
  bool PreviewTabShown() const { return previewTabShown_; }
  WebBrowser* ActiveBrowser() const { return activeBrowser_; }
  WebBrowser* PreviewBrowser() const { return webBrowser0_; }
  WebBrowser* PanelBrowser() const { return webBrowser1_; }

  // Loading and converting.
  void SetSourceFileName(const QString& path) { sourceFileName_ = path; }
  const QString& SourceFileName() const { return sourceFileName_; }
  void LoadSrc(int mode);
  void OpenDroppedFiles(const QList<QUrl>& urls);
  // The Preview tab shown, the HTML tab shown, "Convert text again".
  void ShowPreviewPage();
  void ShowHtmlPage();
  void ConvertAgain();
  void ChoosePreset(int style);
  void ToggleAutodetect();
  void ShowPreview();
  // With the save dialog, or under the name chosen last. True when written.
  bool SaveHTML(bool askForName);
  void SetSaveFileName(const QString& path) { saveFileName_ = path; }
  // "Export as EPUB..." and "Export as FB2...": asks for the file name and
  // writes the current result as a book.
  bool ExportBook(BookFormat format);
  void SendToRocket();
  // The reader (main_window_reader.cpp).
  ReaderController& reader() { return *reader_; }
  DialogReaderQuestions& readerQuestions() { return *readerQuestions_; }
  // "Open file in reader mode...": with the open dialog, or the file name
  // already set (SetReaderOpenFileName).
  void Readerinterfacemode1Click(bool askForFile);
  void SetReaderOpenFileName(const QString& path) { readerOpenFileName_ = path; }
  // Loads one document into the reader; true when it is shown there. The
  // start-up reopening asks nothing.
  bool OpenForReading(const QString& path, bool startingUp = false);
  void SaveActiveFile();
  void SaveAndRead();
  void ToggleAutoscroll();
  bool AutoscrollOn() const;
  void ChangeAutoscrollSpeed(bool faster);
  void GoToBookmark(int number);
  // Once, when the splash closes: the position the last run ended at.
  void ReapplyStartupPosition();
  void ShowReadingPercent();

  // Page styles and text sizes (main_window_reader.cpp). The schemes by
  // their tag (1 yellow, 2 green), the custom dialog, "None".
  void Colorify(int tag);
  void CustomStyle();
  void RemoveStyle();
  TColorifer* Colorifer();
  // The View menu's size items by their tag (0..4, 101 increase, 99
  // decrease); the level is kept in "Browser forn size".
  void ViewerFontSizeClick(int tag);
  void SetViewerFontSize(int level);

  // The full-screen view: entered by "Full screen" and the zoom button,
  // left by closing it.
  void ZoomBtnClick();
  bool FullScreenShown() const;
  TFullScrForm* FullScreenWindow() const { return fullScreen_.get(); }

  // Recent documents: the "Recent files" submenu, its items (by their place
  // in the list) and the Bookshelf buttons' drop-down.
  void RebuildRecentMenu();
  void empty1Click(int index);
  QMenu* RecentMenu() const { return recentMenu_; }
  QMenu* HistoryMenu() const { return historyPoupUp_; }
  void HistoryPoupUpPopup();

  // The window that shows the note of a clicked note link, made on first use.
  TCommentWnd* CommentWindow();

  // The option panel at the right edge.
  OptionPanelWidget* OptionPanel() const { return optionPanel_; }

  // A control by its name (menu item or toolbar button).
  QAction* Control(const QString& name) const;

  // The editors of the advanced mode and their commands.
  EditorController& editors() { return *editors_; }
  EditorCommands& editorCommands() { return *editorCommands_; }
  // "Find selected text in source": the preview's selection, searched in
  // the source editor from its start; the Source tab shows the match.
  bool FindSelectedInSource();
  BrowserFindBar* FindBar() const;
  bool DocumentShown() const { return documentShown_; }

 signals:
  // The window was shown for the first time.
  void FirstShown();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  static constexpr int kPreviewPage = 0;
  static constexpr int kHtmlPage = 1;
  static constexpr int kSourcePage = 2;

  void OptionChanged(Opt id) override;

  // Controls, menus and areas (main_window_areas.cpp). Each area has its
  // own builder: the place where the part living in it adds its widgets.
  void BuildControls();
  void BuildMenus();
  void BuildAreas();
  QWidget* BuildPreviewTab();
  QWidget* BuildHtmlTab();    // the HTML editor's tab
  QWidget* BuildSourceTab();  // the source editor's tab
  QWidget* BuildPanel();      // the full-window panel, the reader's area
  QWidget* BuildOptionPanel();
  QToolBar* MakeToolBar(ToolBarId toolBar);
  // A menu with its caption from "interface\menu" (key empty: none).
  QMenu* MakeMenu(QMenu* into, std::string_view key, const QString& title,
                  std::initializer_list<const char*> items);
  QAction* Control(const ControlInfo& info) const;

  // The parts, each wired to the areas after they exist (main_window.cpp).
  void WireConverter();
  void WireReader();
  void WireEditors();
  void Execute(Command command, const QString& control = {});

  // Modes and enabling (main_window_modes.cpp).
  // Enables a control for the mode; a control without its handler yet
  // stays disabled whatever the mode says.
  void Enable(QAction* control, bool enabled);
  // The layout and the enabling of a mode the option has just chosen.
  void FollowInterfaceMode(int mode);
  void ApplyLayout(int mode, int previousLayout);
  void SetActiveBrowser(WebBrowser* browser);
  void UpdateModeChecks();
  void UpdateAutodetectControls();
  void CheckPreset(int style);
  void UpdateEditorTabs();
  void UpdatePreviewWidth();

  // Window state and messages (main_window.cpp).
  void ApplyStoredWindowState();
  void StoreWindowState();
  void CheckHelpFile();
  void ShowBuildCheck(const LocalisationCheck& check);
  // "About...": the About box, made anew each time.
  void ShowAbout();
  void ShowError(const QString& text);
  void ShowInfo(const QString& text);

  // The reader's wiring (main_window_reader.cpp).
  void FollowBrowserStatus(WebBrowser* browser);
  void FollowLinkOut(WebBrowser* browser, const QUrl& url);
  // Leaving the document open for reading: asks about its changes (false
  // when the answer is Cancel), then ForgetReaderChanges.
  bool LeaveReaderDocument();
  // Saves the document when "Autosave on exit" is on and marks it saved, so
  // that nothing asks about it again.
  void ForgetReaderChanges();
  void RebuildBookmarksMenu();
  void StopAutoscroll();
  void UpdateReaderChecks();
  void UpdateTextSizeChecks();
  void WireFullScreen();
  void LeaveFullScreen();
  void SetDialogOwner(QWidget* owner);
  void FillFullScreenBookmarks();
  void BookshelfClick(const QString& button);

  // The converter's commands (main_window_convert.cpp).
  bool AskSourceFileName();
  // Runs a piece of work that may fail with an exception (a conversion
  // stage): the failure is shown, the window goes on. True when it worked.
  template <typename Work>
  bool Guarded(Work&& work);

  std::unique_ptr<ConverterController> controller_;
  std::map<QString, QAction*> controls_;
  QActionGroup* modeGroup_ = nullptr;

  QSplitter* splitter1_ = nullptr;       // tab area or full-window panel | option panel
  QStackedWidget* clientArea_ = nullptr;
  QTabWidget* pageControl1_ = nullptr;   // Preview, HTML, Source
  QWidget* previewTab_ = nullptr;
  QWidget* htmlTab_ = nullptr;
  QWidget* sourceTab_ = nullptr;
  QSplitter* splitter2_ = nullptr;       // the preview's own width
  QWidget* panel1_ = nullptr;            // the full-window panel
  QWidget* rightPanel_ = nullptr;        // the option panel
  OptionPanelWidget* optionPanel_ = nullptr;
  WebBrowser* webBrowser0_ = nullptr;    // preview browser
  WebBrowser* webBrowser1_ = nullptr;    // full-window browser
  WebBrowser* activeBrowser_ = nullptr;
  TCommentWnd* commentWnd_ = nullptr;
  SourceEditor* srcText_ = nullptr;
  HtmlEditor* htmText_ = nullptr;
  BrowserFindBar* previewFindBar_ = nullptr;
  BrowserFindBar* panelFindBar_ = nullptr;
  std::unique_ptr<UnicodeKeyboardLayouts> keyboardLayouts_;
  EditorController* editors_ = nullptr;
  EditorCommands* editorCommands_ = nullptr;
  StatusPanels* status_ = nullptr;
  QTimer* clock_ = nullptr;

  DialogQuestions* questions_ = nullptr;
  std::unique_ptr<DialogSourceQuestions> sourceQuestions_;
  TDetectWnd* detectWnd_ = nullptr;
  TLarge* large_ = nullptr;

  int interfaceMode_ = kAdvancedMode;  // the design layout
  bool previewTabShown_ = true;
  bool sourceEditorOn_ = Info(Opt::UseSourceEditor).intDefault != 0;  // as the window last followed it
  int commandsMode_ = kAdvancedMode;  // the mode whose commands are enabled
  bool documentShown_ = false;
  bool windowShown_ = false;
  QString sourceFileName_;
  // The file the shown source came from.
  QString loadedSourceFileName_;
  int sourceFilterIndex_ = 1;
  QString saveFileName_;
  QString readerFileName_;
  QString readerOpenFileName_;
  QString helpFile_;

  std::unique_ptr<BrowserPage> readerPage_;
  std::unique_ptr<DialogReaderQuestions> readerQuestions_;
  std::unique_ptr<ReaderController> reader_;
  std::unique_ptr<ScreenSaverInhibitor> screenSaver_;
  QTimer* autoscroll_ = nullptr;
  QMenu* bookmarksMenu_ = nullptr;
  QAction* bookmarksSeparator_ = nullptr;
  QActionGroup* sizeGroup_ = nullptr;
  TColorifer* colorifer_ = nullptr;
  std::unique_ptr<TFullScrForm> fullScreen_;
  WebBrowser* browserBeforeFullScreen_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QMenu* historyPoupUp_ = nullptr;
};

}  // namespace norvella
