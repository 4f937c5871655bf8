#include "gui/editor/search_dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/editor/editor_texts.h"
#include "core/i18n/strings.h"
#include "gui/editor/editor_text.h"
#include "gui/common/control_texts.h"
#include "gui/common/qt_text.h"

namespace norvella {
namespace {

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

EditorSearch::EditorSearch(QTextEdit* editor, const StringTable& strings, QWidget* parent)
    : QObject(parent), rich_(editor), strings_(strings), parent_(parent) {}

EditorSearch::EditorSearch(QPlainTextEdit* editor, const StringTable& strings, QWidget* parent)
    : QObject(parent), plain_(editor), strings_(strings), parent_(parent) {}

QTextCursor EditorSearch::Cursor() const { return rich_ != nullptr ? rich_->textCursor() : plain_->textCursor(); }

void EditorSearch::SetCursor(const QTextCursor& cursor) {
  if (rich_ != nullptr) {
    rich_->setTextCursor(cursor);
    rich_->ensureCursorVisible();
  } else {
    plain_->setTextCursor(cursor);
    plain_->ensureCursorVisible();
  }
}

QTextDocument* EditorSearch::Document() const { return rich_ != nullptr ? rich_->document() : plain_->document(); }

void EditorSearch::Build() {
  const std::string section = DialogSection(kDialogFind);
  auto label = [&](const char* key) { return ToQt(strings_.Get(section, key)); };
  const QString editorName = rich_ != nullptr ? rich_->objectName() : plain_->objectName();
  find_ = new QDialog(parent_);
  find_->setObjectName(editorName + "FindDialog");
  find_->setWindowTitle(label("find title"));
  find_->setModal(false);
  findWhat_ = new QLineEdit(find_);
  findWhat_->setObjectName("what");
  findCase_ = new QCheckBox(label("match case"), find_);
  findCase_->setObjectName("matchCase");
  findWord_ = new QCheckBox(label("whole word"), find_);
  findWord_->setObjectName("wholeWord");
  findUp_ = new QRadioButton(label("up"), find_);
  findUp_->setObjectName("up");
  auto* down = new QRadioButton(label("down"), find_);
  down->setChecked(true);
  QPushButton* next = Button(label("find next"), "findNext", find_);
  next->setDefault(true);
  QPushButton* close = Button(label("cancel"), "cancel", find_);
  auto* fields = new QFormLayout;
  fields->addRow(label("find what"), findWhat_);
  auto* direction = new QHBoxLayout;
  direction->addWidget(findUp_);
  direction->addWidget(down);
  direction->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(next);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(find_);
  layout->addLayout(fields);
  layout->addWidget(findCase_);
  layout->addWidget(findWord_);
  layout->addLayout(direction);
  layout->addLayout(buttons);
  connect(next, &QPushButton::clicked, this, [this] { FindNext(); });
  connect(close, &QPushButton::clicked, find_, &QDialog::hide);
  connect(findWhat_, &QLineEdit::textEdited, this, [this](const QString& text) { SetText(text); });

  replace_ = new QDialog(parent_);
  replace_->setObjectName(editorName + "ReplaceDialog");
  replace_->setWindowTitle(label("replace title"));
  replace_->setModal(false);
  replaceWhat_ = new QLineEdit(replace_);
  replaceWhat_->setObjectName("what");
  replaceWith_ = new QLineEdit(replace_);
  replaceWith_->setObjectName("with");
  replaceCase_ = new QCheckBox(label("match case"), replace_);
  replaceCase_->setObjectName("matchCase");
  replaceWord_ = new QCheckBox(label("whole word"), replace_);
  replaceWord_->setObjectName("wholeWord");
  QPushButton* rnext = Button(label("find next"), "findNext", replace_);
  rnext->setDefault(true);
  QPushButton* one = Button(label("replace"), "replace", replace_);
  QPushButton* all = Button(label("replace all"), "replaceAll", replace_);
  QPushButton* rclose = Button(label("cancel"), "cancel", replace_);
  auto* rfields = new QFormLayout;
  rfields->addRow(label("find what"), replaceWhat_);
  rfields->addRow(label("replace with"), replaceWith_);
  auto* rbuttons = new QVBoxLayout;
  for (QPushButton* button : {rnext, one, all, rclose}) rbuttons->addWidget(button);
  rbuttons->addStretch();
  auto* left = new QVBoxLayout;
  left->addLayout(rfields);
  left->addWidget(replaceCase_);
  left->addWidget(replaceWord_);
  left->addStretch();
  auto* rlayout = new QHBoxLayout(replace_);
  rlayout->addLayout(left, 1);
  rlayout->addLayout(rbuttons);
  connect(rnext, &QPushButton::clicked, this, [this] { FindNext(); });
  connect(one, &QPushButton::clicked, this, [this] { ReplaceOne(); });
  connect(all, &QPushButton::clicked, this, [this] { ReplaceAll(); });
  connect(rclose, &QPushButton::clicked, replace_, &QDialog::hide);
  connect(replaceWhat_, &QLineEdit::textEdited, this, [this](const QString& text) { SetText(text); });
}

void EditorSearch::SetText(const QString& text) {
  text_ = text;
  if (findWhat_ != nullptr && findWhat_->text() != text) findWhat_->setText(text);
  if (replaceWhat_ != nullptr && replaceWhat_->text() != text) replaceWhat_->setText(text);
}

void EditorSearch::Prefill() {
  if (find_ == nullptr) Build();
  QString selected = Cursor().selectedText();
  // A selection over several lines is no search text of one line.
  const qsizetype end = selected.indexOf(QChar::ParagraphSeparator);
  if (end >= 0) selected.truncate(end);
  if (!selected.isEmpty()) SetText(selected);
}

void EditorSearch::OpenFind() {
  Prefill();
  find_->show();
  find_->raise();
  find_->activateWindow();
  findWhat_->selectAll();
  findWhat_->setFocus();
}

void EditorSearch::OpenReplace() {
  Prefill();
  replace_->show();
  replace_->raise();
  replace_->activateWindow();
  replaceWhat_->selectAll();
  replaceWhat_->setFocus();
}

QTextDocument::FindFlags EditorSearch::Flags(bool forFind) const {
  QTextDocument::FindFlags flags;
  const bool fromFind = forFind && find_ != nullptr && find_->isVisible();
  const QCheckBox* matchCase = fromFind ? findCase_ : replaceCase_;
  const QCheckBox* wholeWord = fromFind ? findWord_ : replaceWord_;
  if (matchCase != nullptr && matchCase->isChecked()) flags |= QTextDocument::FindCaseSensitively;
  if (wholeWord != nullptr && wholeWord->isChecked()) flags |= QTextDocument::FindWholeWords;
  if (fromFind && findUp_->isChecked()) flags |= QTextDocument::FindBackward;
  return flags;
}

void EditorSearch::ReportMiss(QWidget* over) {
  QMessageBox box(QMessageBox::Warning, over != nullptr ? over->windowTitle() : ToQt(strings_.Get(DialogSection(kDialogFind), "find title")),
                  DisplayText(ToQt(NotFoundMessage(strings_, FromQt(text_)))), QMessageBox::Ok,
                  over != nullptr ? over : parent_);
  box.setObjectName("NotFound");
  box.exec();
}

bool EditorSearch::FindNext() {
  if (text_.isEmpty()) return false;
  const bool fromReplace = replace_ != nullptr && replace_->isVisible() && !(find_ != nullptr && find_->isVisible());
  const QTextCursor found = Document()->find(text_, Cursor(), Flags(!fromReplace));
  if (found.isNull()) {
    ReportMiss(fromReplace ? replace_.data() : find_.data());
    return false;
  }
  SetCursor(found);
  return true;
}

bool EditorSearch::ReplaceOne() {
  if (text_.isEmpty()) return false;
  QTextCursor cursor = Cursor();
  const Qt::CaseSensitivity sensitivity =
      Flags(false).testFlag(QTextDocument::FindCaseSensitively) ? Qt::CaseSensitive : Qt::CaseInsensitive;
  // The selection is the match found last: replace it, then find the next.
  if (cursor.hasSelection() && cursor.selectedText().compare(text_, sensitivity) == 0) {
    cursor.insertText(replaceWith_->text());
    SetCursor(cursor);
  }
  const QTextCursor found = Document()->find(text_, Cursor(), Flags(false));
  if (found.isNull()) {
    ReportMiss(replace_);
    return false;
  }
  SetCursor(found);
  return true;
}

int EditorSearch::ReplaceAll() {
  if (text_.isEmpty()) return 0;
  int count = 0;
  QTextCursor edit(Document());
  edit.beginEditBlock();
  QTextCursor found = Document()->find(text_, 0, Flags(false));
  while (!found.isNull()) {
    found.insertText(replaceWith_->text());
    ++count;
    found = Document()->find(text_, found, Flags(false));
  }
  edit.endEditBlock();
  if (count == 0) ReportMiss(replace_);
  return count;
}

}  // namespace norvella
