#pragma once

// RightPanel, the option panel: the option tree above a splitter and the
// editor area below it (prompt, text fields, number field, font lists,
// language list, check box and the description). The behaviour is the
// core's OptionPanel; this widget shows its view, passes the user's edits
// and clicks to it and answers its questions from the converter.

#include <QPointer>
#include <QWidget>

#include "core/settings/options.h"
#include "core/ui/option_panel.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QSplitter;
class QTextBrowser;

namespace norvella {

class ConverterController;
class OptionTreeModel;
class OptionsTreeView;

class OptionPanelWidget final : public QWidget, public OptionsListener, private OptionPanelHost {
  Q_OBJECT

 public:
  explicit OptionPanelWidget(ConverterController& controller, QWidget* parent = nullptr);
  ~OptionPanelWidget() override;

  OptionPanel& panel() { return panel_; }
  OptionTreeModel& model() { return *model_; }
  OptionsTreeView* tree() const { return tree_; }
  QSplitter* splitter3() const { return splitter3_; }

  // Told about every option change (the window passes its notifications
  // on): captions and icons follow at once, and an open editor showing the
  // option is filled again.
  void OptionChanged(Opt id) override;
  // The document properties were replaced by a load.
  void DocumentReplaced();
  // The interface strings were replaced: every caption again.
  void RefreshCaptions();
  // Writes the open editor's values back and opens it again, as leaving
  // the panel does; used before converting and before saving.
  void CommitEditor();
  // Selects a node in the tree, as a click on its caption does.
  void SelectNode(int node);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Invalidate() override;
  std::vector<std::string> HyphFontNames() override;
  void ReloadFontWidths() override;
  void NoFontsFound() override;
  void DocumentChanged(DocField field) override;
  void EditorChanged() override;

  void BuildEditorArea(QWidget* area);
  void Connect();
  void FocusMoved(QWidget* old, QWidget* now);
  bool Inside(const QWidget* widget) const;

  ConverterController& controller_;
  OptionPanel panel_;
  OptionTreeModel* model_ = nullptr;
  OptionsTreeView* tree_ = nullptr;
  QSplitter* splitter3_ = nullptr;
  QLabel* label1_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QSpinBox* spinEdit1_ = nullptr;
  QFontComboBox* fontComboBox1_ = nullptr;
  QComboBox* comboBox1_ = nullptr;
  QComboBox* langOption_ = nullptr;
  QCheckBox* presBreak_ = nullptr;
  QTextBrowser* descr_ = nullptr;
  // Set while the panel works, so that the focus moving to a message box
  // it shows does not commit the editor in the middle.
  bool busy_ = false;
};

}  // namespace norvella
