#pragma once

// The questions of a source load: a document the program formatted before
// (TDetectWnd), a large file (TLarge) and a text in another encoding
// (TWrongEncoding). The first two are created once and reused; each takes
// its texts from its own localisation section when it is created.

#include <string_view>

#include <QDialog>

#include "core/source/source_loader.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace norvella {

class StringTable;

class TDetectWnd : public QDialog {
  Q_OBJECT

 public:
  struct Answer {
    bool confirmed = false;       // "&Ok" rather than "&Cancel" or closing
    bool openForReading = false;  // the choice made
    bool neverAsk = false;        // "Never ask me again"
  };

  TDetectWnd(const StringTable& strings, QWidget* parent);
  // Shows the message with one choice preselected; the box starts unticked.
  Answer Ask(const QString& message, bool readingPreselected);

 private:
  QLabel* message_;
  QRadioButton* reading_;
  QRadioButton* editing_;
  QCheckBox* neverAsk_;
};

class TLarge : public QDialog {
  Q_OBJECT

 public:
  struct Answer {
    bool proceed = false;  // "Proceed" rather than the cancel button
    bool neverAsk = false;
  };

  TLarge(const StringTable& strings, QWidget* parent);
  // The message and the cancel button's text differ between the large-file
  // question and the reading-position question.
  Answer Ask(const QString& message, const QString& cancelText);

 private:
  QLabel* message_;
  QPushButton* cancel_;
  QCheckBox* neverAsk_;
};

// TWrongEncoding: a stay-on-top question with a word-wrapped message and
// Yes and No, made for one question and freed after it. True on Yes.
bool AskWrongEncoding(QWidget* parent, const StringTable& strings, std::string_view messageKey);

// The questions of a load asked through the dialogs above; the title and
// contents questions go to the conversion's own answerer.
class DialogSourceQuestions final : public SourceQuestions {
 public:
  DialogSourceQuestions(TDetectWnd& detect, TLarge& large, const StringTable& strings,
                        ConversionQuestions& conversion, QWidget* parent)
      : detect_(detect), large_(large), strings_(strings), conversion_(conversion), parent_(parent) {}

  void ConfirmContents(std::vector<ContentsEntry>& entries) override;
  bool AskTitle(DocumentProperties& doc, bool& addAuthorToTitle) override;
  bool ProceedWithLargeFile(LargeFileQuestion& question) override;
  bool ResolveConvertedDocument(ConvertedDocumentQuestion& question) override;
  bool ConvertEncoding(const EncodingQuestion& question) override;
  bool OpenNotText(const NotTextQuestion& question) override;

 private:
  TDetectWnd& detect_;
  TLarge& large_;
  const StringTable& strings_;
  ConversionQuestions& conversion_;
  QWidget* parent_;
};

}  // namespace norvella
