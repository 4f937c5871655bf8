#include "gui/reader/colorifer.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/i18n/localisation.h"
#include "gui/common/control_texts.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/qt_text.h"

namespace norvella {
namespace {

// The sixteen basic colours by their HTML names.
constexpr const char* kBasicColors[] = {"Black", "Maroon", "Green",  "Olive",   "Navy", "Purple",
                                        "Teal",  "Gray",   "Silver", "Red",     "Lime", "Yellow",
                                        "Blue",  "Fuchsia", "Aqua",  "White"};

// The role that marks the one entry holding a picked colour.
constexpr int kPickedRole = Qt::UserRole + 1;

QIcon Swatch(const QColor& color) {
  QPixmap pixmap(16, 16);
  pixmap.fill(color);
  QPainter painter(&pixmap);
  painter.setPen(Qt::darkGray);
  painter.drawRect(0, 0, 15, 15);
  return QIcon(pixmap);
}

QComboBox* ColorList(const QString& name, const QString& initial, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const char* color : kBasicColors) box->addItem(Swatch(QColor(color)), color, QColor(color));
  box->setCurrentIndex(box->findText(initial));
  return box;
}

}  // namespace

TColorifer::TColorifer(const StringTable& strings, QWidget* parent) : QDialog(parent) {
  const std::string section = std::string(kDialogControls) + std::string(kDialogColorifer);
  auto text = [&](const char* key, const char* builtIn) { return ControlText(strings, section, key, builtIn); };
  setObjectName("TColorifer");
  setWindowTitle(text("title", "Colorifer"));
  setModal(true);
  bodyBox_ = ColorList("BodyBox", "Black", this);
  textBox_ = ColorList("TextBox", "Lime", this);
  fontBox_ = new QFontComboBox(this);
  fontBox_->setObjectName("FontComboBox1");
  fontBox_->setCurrentIndex(-1);  // no font preset
  fontBox_->setEditable(true);
  fontBox_->setEditText(QString());
  sizeBox_ = new QSpinBox(this);
  sizeBox_->setObjectName("SpinEdit1");
  sizeBox_->setRange(1, 200);
  sizeBox_->setValue(12);

  auto* grid = new QGridLayout;
  int row = 0;
  for (const int list : {kBodyList, kTextList}) {
    auto* label = new QLabel(list == kBodyList ? text("bodycolor", "Color for body") : text("textcolor", "Color for text"),
                             this);
    auto* custom = new QPushButton(text("custom", "Custom..."), this);
    custom->setObjectName(list == kBodyList ? "CustomBody" : "CustomText");
    custom->setProperty("tag", list);
    connect(custom, &QPushButton::clicked, this, [this, list] { PickColor(list); });
    label->setBuddy(List(list));
    grid->addWidget(label, row, 0);
    grid->addWidget(List(list), row, 1);
    grid->addWidget(custom, row, 2);
    ++row;
  }
  auto* fontLabel = new QLabel(text("mainfont", "Main font"), this);
  fontLabel->setBuddy(fontBox_);
  grid->addWidget(fontLabel, row, 0);
  grid->addWidget(fontBox_, row, 1);
  grid->addWidget(sizeBox_, row, 2);

  const auto [ok, cancel] = MakeOkCancelButtons(this, text("btn1", "&Ok"), text("btn2", "&Cancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

std::optional<ReaderStyle> TColorifer::Ask() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Chosen();
}

void TColorifer::PickColor(int list) {
  QComboBox* box = List(list);
  QColorDialog dialog(box->currentData().value<QColor>(), this);
  dialog.setObjectName("ColorDialog");
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return;
  SetCustomColor(list, dialog.selectedColor());
}

void TColorifer::SetCustomColor(int list, const QColor& color) {
  QComboBox* box = List(list);
  int picked = -1;
  for (int i = 0; i < box->count(); ++i)
    if (box->itemData(i, kPickedRole).toBool()) picked = i;
  if (picked < 0) {
    box->addItem(QString());
    picked = box->count() - 1;
    box->setItemData(picked, true, kPickedRole);
  }
  // No name: the list shows the colour itself.
  box->setItemIcon(picked, Swatch(color));
  box->setItemData(picked, color);
  box->setItemData(picked, ToQt(ColorToHtml(color.red(), color.green(), color.blue())), Qt::ToolTipRole);
  box->setCurrentIndex(picked);
}

QString TColorifer::ColorText(const QComboBox* box) {
  if (!box->currentData(kPickedRole).toBool()) return box->currentText();
  const QColor color = box->currentData().value<QColor>();
  return ToQt(ColorToHtml(color.red(), color.green(), color.blue()));
}

QString TColorifer::BodyColorText() const { return ColorText(bodyBox_); }
QString TColorifer::TextColorText() const { return ColorText(textBox_); }
QString TColorifer::FontName() const { return fontBox_->currentText(); }
QString TColorifer::FontSizeText() const { return QString::number(sizeBox_->value()) + "pt"; }

ReaderStyle TColorifer::Chosen() const {
  return {FromQt(FontName()), FromQt(FontSizeText()), FromQt(TextColorText()), FromQt(BodyColorText())};
}

}  // namespace norvella
