#include "gui/options/option_panel_widget.h"

#include <climits>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include "core/i18n/keyboard_layout.h"
#include "gui/convert/converter_controller.h"
#include "gui/options/option_tree_model.h"
#include "gui/options/option_tree_view.h"
#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"

namespace norvella {
namespace {

// Runs a piece of the panel's work with the busy flag up.
class Busy {
 public:
  explicit Busy(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~Busy() { flag_ = before_; }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  bool& flag_;
  bool before_;
};

// A prompt's doubled ampersand stands for one.
QString PromptText(const std::string& prompt) { return ToQt(prompt).replace("&&", "&"); }

}  // namespace

OptionPanelWidget::OptionPanelWidget(ConverterController& controller, QWidget* parent)
    : QWidget(parent),
      controller_(controller),
      panel_(controller.options(), controller.document(), controller.strings(), *this) {
  setObjectName("RightPanel");
  setMinimumSize(200, 50);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  splitter3_ = new QSplitter(Qt::Vertical, this);
  splitter3_->setObjectName("Splitter3");
  splitter3_->setChildrenCollapsible(false);
  tree_ = new OptionsTreeView(splitter3_);
  model_ = new OptionTreeModel(controller.options(), controller.document(), controller.strings(), this);
  tree_->setModel(model_);
  tree_->expandAll();
  auto* area = new QWidget(splitter3_);
  area->setObjectName("EditorArea");
  BuildEditorArea(area);
  splitter3_->setStretchFactor(0, 1);
  splitter3_->setStretchFactor(1, 0);
  layout->addWidget(splitter3_);

  Connect();
  EditorChanged();
}

OptionPanelWidget::~OptionPanelWidget() {
  // No focus notification may reach a half-destroyed panel.
  disconnect(qApp, nullptr, this, nullptr);
}

void OptionPanelWidget::BuildEditorArea(QWidget* area) {
  auto* column = new QVBoxLayout(area);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(3);

  label1_ = new QLabel(area);
  label1_->setObjectName("Label1");
  label1_->setTextFormat(Qt::PlainText);
  label1_->setWordWrap(true);
  column->addWidget(label1_);

  auto* fontRow = new QHBoxLayout;
  fontComboBox1_ = new QFontComboBox(area);
  fontComboBox1_->setObjectName("FontComboBox1");
  spinEdit1_ = new QSpinBox(area);
  spinEdit1_->setObjectName("SpinEdit1");
  spinEdit1_->setRange(INT_MIN, INT_MAX);  // the field takes any integer
  spinEdit1_->setMinimumWidth(90);
  fontRow->addWidget(fontComboBox1_, 1);
  fontRow->addWidget(spinEdit1_, 0);
  fontRow->addStretch(0);
  column->addLayout(fontRow);

  edit1_ = new QLineEdit(area);
  edit1_->setObjectName("Edit1");
  edit1_->installEventFilter(this);
  edit2_ = new QLineEdit(area);
  edit2_->setObjectName("Edit2");
  comboBox1_ = new QComboBox(area);
  comboBox1_->setObjectName("ComboBox1");
  langOption_ = new QComboBox(area);
  langOption_->setObjectName("LangOption");
  for (const Language& language : LanguageTable()) langOption_->addItem(ToQt(std::string(language.name)));
  presBreak_ = new QCheckBox(ControlText(controller_.strings(), kControlsMain, "preserve br", "Preserve breaks"), area);
  presBreak_->setObjectName("PresBreak");
  for (QWidget* control : std::initializer_list<QWidget*>{edit1_, comboBox1_, langOption_, edit2_, presBreak_})
    column->addWidget(control);

  descr_ = new QTextBrowser(area);
  descr_->setObjectName("Descr");
  descr_->setReadOnly(true);
  descr_->setOpenLinks(false);
  descr_->setFocusPolicy(Qt::ClickFocus);
  column->addWidget(descr_, 1);
}

void OptionPanelWidget::Connect() {
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            Busy busy(busy_);
            panel_.Select(OptionTreeModel::NodeOf(current));
          });
  connect(tree_, &OptionsTreeView::ToggleRequested, this, [this](int node, bool) {
    Busy busy(busy_);
    panel_.Toggle(node);
  });
  connect(edit1_, &QLineEdit::textEdited, this, [this](const QString& text) { panel_.Edit1Changed(FromQt(text)); });
  connect(edit2_, &QLineEdit::textEdited, this, [this](const QString& text) { panel_.Edit2Changed(FromQt(text)); });
  connect(spinEdit1_, &QSpinBox::valueChanged, this, [this](int value) { panel_.NumberChanged(value); });
  connect(fontComboBox1_, &QFontComboBox::currentFontChanged, this,
          [this](const QFont& font) { panel_.FontChanged(FromQt(font.family())); });
  connect(comboBox1_, &QComboBox::activated, this, [this](int index) {
    Busy busy(busy_);
    panel_.HyphFontChosen(index);
  });
  connect(langOption_, &QComboBox::currentIndexChanged, this, [this](int index) { panel_.LanguageChanged(index); });
  connect(presBreak_, &QCheckBox::toggled, this, [this](bool on) { panel_.PresBreakChanged(on); });
  connect(qApp, &QApplication::focusChanged, this, &OptionPanelWidget::FocusMoved);
}

bool OptionPanelWidget::Inside(const QWidget* widget) const {
  return widget != nullptr && (widget == this || isAncestorOf(widget));
}

void OptionPanelWidget::FocusMoved(QWidget* old, QWidget* now) {
  if (busy_ || !Inside(old) || Inside(now)) return;
  CommitEditor();
}

void OptionPanelWidget::CommitEditor() {
  if (panel_.OpenKind() == EditorKind::None) return;
  Busy busy(busy_);
  panel_.Reselect();
}

void OptionPanelWidget::SelectNode(int node) {
  tree_->setCurrentIndex(model_->IndexOfNode(node));
}

void OptionPanelWidget::OptionChanged(Opt id) {
  model_->OptionChanged(id);
  Busy busy(busy_);
  panel_.OptionChanged(id);
}

void OptionPanelWidget::DocumentReplaced() {
  model_->DocumentChanged();
  Busy busy(busy_);
  panel_.DocumentReplaced();
}

void OptionPanelWidget::RefreshCaptions() { model_->RefreshAll(); }

bool OptionPanelWidget::eventFilter(QObject* watched, QEvent* event) {
  // Entering the first text field selects its whole text; after the
  // mouse press that gave the focus, so that the press does not undo it.
  if (watched == edit1_ && event->type() == QEvent::FocusIn)
    QTimer::singleShot(0, edit1_, [edit = edit1_] { edit->selectAll(); });
  return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- host

void OptionPanelWidget::Invalidate() { controller_.Invalidate(); }

std::vector<std::string> OptionPanelWidget::HyphFontNames() { return controller_.HyphFontNames(); }

void OptionPanelWidget::ReloadFontWidths() { controller_.ReloadFontWidths(); }

void OptionPanelWidget::NoFontsFound() {
  QMessageBox box(QMessageBox::Critical, MessageText(controller_.strings(), "Error"),
                  MessageText(controller_.strings(), "NoRegFont"), QMessageBox::Ok, this);
  box.setObjectName("NoRegFont");
  box.exec();
}

void OptionPanelWidget::DocumentChanged(DocField field) { model_->NodeChanged(NodeOfField(field)); }

void OptionPanelWidget::EditorChanged() {
  const EditorView& v = panel_.View();
  const QSignalBlocker b1(edit1_), b2(edit2_), b3(spinEdit1_), b4(fontComboBox1_), b5(comboBox1_),
      b6(langOption_), b7(presBreak_);
  const int kind = static_cast<int>(v.kind);
  auto show = [kind](QWidget* control, bool visible) {
    control->setVisible(visible);
    control->setProperty("kind", visible ? kind : 0);  // which editor the control serves
  };
  show(label1_, v.kind != EditorKind::None);
  label1_->setText(PromptText(v.prompt));

  show(edit1_, v.showEdit1);
  if (edit1_->text() != ToQt(v.edit1)) edit1_->setText(ToQt(v.edit1));
  show(edit2_, v.showEdit2);
  if (edit2_->text() != ToQt(v.edit2)) edit2_->setText(ToQt(v.edit2));
  show(spinEdit1_, v.showNumber);
  spinEdit1_->setValue(v.number);
  show(fontComboBox1_, v.showFont);
  if (v.showFont) fontComboBox1_->setCurrentFont(QFont(ToQt(v.fontName)));

  show(comboBox1_, v.showHyphFont);
  comboBox1_->clear();
  for (const std::string& item : v.hyphItems) comboBox1_->addItem(ToQt(item));
  comboBox1_->setCurrentIndex(v.hyphIndex);
  comboBox1_->setPlaceholderText(ToQt(v.hyphText));

  show(langOption_, v.showLanguage);
  langOption_->setCurrentIndex(v.showLanguage ? v.language : -1);
  show(presBreak_, v.showPresBreak);
  presBreak_->setChecked(v.presBreak);
  descr_->setPlainText(ToQt(v.description));
}

}  // namespace norvella
