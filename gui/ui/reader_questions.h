#pragma once

// The answerer of the reader's questions: the reader's dialogs, the
// position and not-converted questions of the load dialogs, message boxes
// and the status bar.

#include "gui/reader/reader_controller.h"

class QWidget;

namespace norvella {

class StatusPanels;
class TBookManage;
class TBookmName;
class TDetectWnd;
class TEnterComment;
class TLarge;

class DialogReaderQuestions final : public ReaderQuestions {
 public:
  DialogReaderQuestions(const StringTable& strings, TDetectWnd& detect, TLarge& large,
                        StatusPanels& status, QWidget* parent);

  SaveAnswer AskSaveChanges() override;
  bool AskGoToPosition(bool& neverAsk) override;
  NotConvertedAnswer AskNotConverted(bool& neverAsk) override;
  std::optional<std::vector<std::string>> AskNote() override;
  std::optional<std::string> AskBookmarkName(const std::string& proposed) override;
  bool ManageBookmarks(std::vector<Bookmark>& list) override;
  void ShowError(const Error& error) override;
  void ShowSelectText() override;
  void Beep() override;
  void ShowTask(const std::string& text) override;
  void SetBusy(bool busy) override;

  // The window the dialogs and messages come up over: the main window, or
  // the full-screen view while it is shown (a dialog of a covered window
  // would bring that window up over the view).
  void SetDialogOwner(QWidget* owner);

  TEnterComment& CommentDialog() { return *comment_; }
  TBookmName& NameDialog() { return *name_; }
  TBookManage& Manager() { return *manager_; }

 private:
  const StringTable& strings_;
  TDetectWnd& detect_;
  TLarge& large_;
  StatusPanels& status_;
  QWidget* parent_;
  TEnterComment* comment_;
  TBookmName* name_;
  TBookManage* manager_;
};

}  // namespace norvella
