#pragma once

// "Colorifer", the custom style dialog: a colour for the body and one for
// the text, each from the basic named colours (which are HTML colour names
// as well) or picked with the colour dialog, the main font and its size in
// points. It is made once and keeps its choices for the whole run.

#include <QColor>
#include <QDialog>
#include <QString>

#include "core/reader/reader_style.h"

class QComboBox;
class QFontComboBox;
class QSpinBox;

namespace norvella {

class StringTable;

class TColorifer : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kBodyList = 0;  // the "Custom..." buttons' tags
  static constexpr int kTextList = 1;

  TColorifer(const StringTable& strings, QWidget* parent);

  // Shown modally; the chosen style, or nothing when cancelled.
  std::optional<ReaderStyle> Ask();

  // A listed colour shows its name; a picked one shows as a swatch only and
  // is written #RRGGBB.
  QString BodyColorText() const;
  QString TextColorText() const;
  QString FontName() const;
  // The size's number followed by "pt".
  QString FontSizeText() const;
  ReaderStyle Chosen() const;

  // What the "Custom..." button of a list does once the colour dialog was
  // confirmed.
  void SetCustomColor(int list, const QColor& color);
  QComboBox* List(int list) const { return list == kBodyList ? bodyBox_ : textBox_; }

 private:
  void PickColor(int list);
  static QString ColorText(const QComboBox* box);

  QComboBox* bodyBox_;
  QComboBox* textBox_;
  QFontComboBox* fontBox_;
  QSpinBox* sizeBox_;
};

}  // namespace norvella
