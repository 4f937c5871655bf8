#pragma once

// The full-screen view: a frameless window over the whole screen with its
// own browser under a small toolbar (unzoom, back and forward, find, note,
// bookmark, the bookmarks list, autoscroll and its speed), the reading
// progress and the clock at its right, and a context menu. Its buttons
// carry no behaviour of their own: the main window connects each to the
// command of the same role, which acts on the active browser, and that is
// this window's browser while it is shown.

#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;

namespace norvella {

class BrowserFindBar;
class StringTable;
class WebBrowser;

class TFullScrForm : public QWidget {
  Q_OBJECT

 public:
  explicit TFullScrForm(const StringTable& strings, QWidget* parent = nullptr);

  WebBrowser* Browser() const { return browser_; }
  BrowserFindBar* FindBar() const { return findBar_; }
  // A toolbar button or context menu item by its name: "ZoomBtn",
  // "ToolButton49", "ToolButton50", "ToolButton62", "NoteBtn", "BookmrkBtn",
  // "ToolButton1", "AutoscrollBtn", "Faster", "Slower"; "Unzoom1",
  // "Autoscroll1", "Addnote1", "Addbookmark1".
  QAction* Action(const QString& name) const;
  // The bookmarks drop-down of "ToolButton1", filled just before it opens.
  QMenu* BookmarksMenu() const { return bookmarksDropDn_; }
  QMenu* ContextMenu() const { return poupUpMenu1_; }

  void ShowProgress(int percent);
  void ShowClock(const QString& time);
  int Progress() const;
  QString Clock() const;

 signals:
  // The window was closed (Unzoom, Esc, or by the desktop).
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* MakeAction(const QString& name, const QString& text, bool checkable = false);

  QToolBar* toolBar_;
  WebBrowser* browser_;
  BrowserFindBar* findBar_;
  QProgressBar* gauge1_;
  QLabel* label1_;
  QMenu* bookmarksDropDn_;
  QMenu* poupUpMenu1_;
};

}  // namespace norvella
