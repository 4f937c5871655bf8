#include "gui/editor/editor_controller.h"

#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "core/base/text.h"
#include "core/i18n/keyboard_layout.h"
#include "core/i18n/strings.h"
#include "gui/editor/editor_text.h"
#include "gui/editor/editor_widgets.h"
#include "gui/common/qt_text.h"

namespace norvella {
namespace {

// Points of the start indents to the document's pixels.
qreal PointsToPixels(const QWidget& widget, int points) { return points * widget.logicalDpiX() / 72.0; }

// The format the selection starts with: what the rich-text editor gives
// replaced text.
QTextCharFormat FormatAtStart(const QTextCursor& cursor) {
  if (!cursor.hasSelection()) return cursor.charFormat();
  QTextCursor first(cursor.document());
  first.setPosition(cursor.selectionStart() + 1);
  return first.charFormat();
}

// Formats the paragraphs the inserted text spans, from its first to its
// last character that is not a line break.
void FormatParagraphs(SourceEditor& editor, int start, const QString& inserted, const MarkupCommand& command) {
  if (command.paragraph == ParagraphLook::None) return;
  int first = 0;
  int last = static_cast<int>(inserted.size()) - 1;
  while (first <= last && inserted.at(first) == QLatin1Char('\n')) ++first;
  while (last >= first && inserted.at(last) == QLatin1Char('\n')) --last;
  if (first > last) first = last = 0;
  QTextDocument* document = editor.document();
  QTextCursor cursor(document);
  cursor.setPosition(start + first);
  cursor.setPosition(start + std::max(first, last), QTextCursor::KeepAnchor);
  QTextBlockFormat block = cursor.blockFormat();
  switch (command.paragraph) {
    case ParagraphLook::AlignLeft: block.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute); break;
    case ParagraphLook::AlignRight: block.setAlignment(Qt::AlignRight | Qt::AlignAbsolute); break;
    case ParagraphLook::AlignCenter: block.setAlignment(Qt::AlignHCenter); break;
    case ParagraphLook::Justify: block.setAlignment(Qt::AlignJustify); break;
    case ParagraphLook::Indent:
      block.setLeftMargin(block.leftMargin() + PointsToPixels(editor, command.indent));
      break;
    case ParagraphLook::Bullet: {
      QTextListFormat list;
      list.setStyle(QTextListFormat::ListDisc);
      list.setIndent(1);
      document->setIndentWidth(std::max(document->indentWidth(), PointsToPixels(editor, command.indent)));
      if (cursor.currentList() == nullptr) cursor.createList(list);
      return;
    }
    case ParagraphLook::None: return;
  }
  cursor.mergeBlockFormat(block);
}

}  // namespace

EditorController::EditorController(SourceEditor& source, HtmlEditor& html, Options& options,
                                   const StringTable& strings, KeyboardLayouts& layouts, QObject* parent)
    : QObject(parent), source_(source), html_(html), options_(options), strings_(strings), layouts_(layouts) {
  connect(source_.document(), &QTextDocument::contentsChanged, this, [this] {
    if (!filling_) emit SourceEdited();
  });
  connect(&source_.undoNames(), &UndoNames::Changed, this, [this] { emit UndoStateChanged(EditorPane::Source); });
  connect(&html_.undoNames(), &UndoNames::Changed, this, [this] { emit UndoStateChanged(EditorPane::Html); });
  ApplyAllOptions();
}

template <typename Edit>
auto EditorController::Bracketed(Edit&& edit) {
  KeyboardLayoutBracket bracket(layouts_, options_.Number(Opt::Language));
  return edit();
}

void EditorController::EndCommand() {
  // The document merges an edit into the step before it while it is marked
  // modified; typing after a command would then be undone together with
  // the command. Nothing else reads the source's mark.
  source_.document()->setModified(false);
}

// ---------------------------------------------------------------- options

void EditorController::ApplyAllOptions() {
  for (EditorPane editor : {EditorPane::Source, EditorPane::Html}) {
    ApplyFont(editor);
    ApplyWrap(editor);
  }
}

void EditorController::ApplyOption(Opt id) {
  switch (id) {
    case Opt::SrcFontName:
    case Opt::SrcFontSize: ApplyFont(EditorPane::Source); break;
    case Opt::HtmFontName:
    case Opt::HtmFontSize: ApplyFont(EditorPane::Html); break;
    case Opt::WrapInSrc: ApplyWrap(EditorPane::Source); break;
    case Opt::WrapInHtml: ApplyWrap(EditorPane::Html); break;
    default: break;
  }
}

void EditorController::ApplyFont(EditorPane editor) {
  const EditorFont wanted = EditorFontOf(options_, editor);
  QFont font(ToQt(wanted.name));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSize(wanted.size);
  QWidget& widget = editor == EditorPane::Source ? static_cast<QWidget&>(source_) : html_;
  widget.setFont(font);
  QTextDocument* document = editor == EditorPane::Source ? source_.document() : html_.document();
  document->setDefaultFont(font);
  const qreal tab = QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) * 8;
  if (editor == EditorPane::Source) source_.setTabStopDistance(tab);
  else html_.setTabStopDistance(tab);
}

void EditorController::ApplyWrap(EditorPane editor) {
  // Re-wrapping relays the whole text out; the hourglass says so.
  const bool wrap = EditorWordWrap(options_, editor);
  if (editor == EditorPane::Source) {
    const auto mode = wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap;
    if (source_.lineWrapMode() == mode) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Bracketed([&] { source_.setLineWrapMode(mode); });
    QApplication::restoreOverrideCursor();
  } else {
    const auto mode = wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap;
    if (html_.lineWrapMode() == mode) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Bracketed([&] { html_.setLineWrapMode(mode); });
    QApplication::restoreOverrideCursor();
  }
}

// ---------------------------------------------------------------- texts

std::string EditorController::SourceText() {
  return Bracketed([&] {
    std::string text = DocumentToCore(*source_.document());
    source_.document()->setModified(false);
    return text;
  });
}

void EditorController::PutSourceText(std::string_view text) {
  Bracketed([&] {
    filling_ = true;
    const QString shown = CoreToEditor(text);
    loadedThroughClipboard_ = options_.Flag(Opt::LoadSafely);
    if (loadedThroughClipboard_) {
      // Through the clipboard, as a paste: the user's clipboard comes back
      // afterwards.
      QClipboard* clipboard = QApplication::clipboard();
      std::unique_ptr<QMimeData> kept;
      if (const QMimeData* before = clipboard->mimeData()) {
        kept = std::make_unique<QMimeData>();
        for (const QString& format : before->formats()) kept->setData(format, before->data(format));
      }
      source_.clear();
      source_.setCurrentCharFormat(QTextCharFormat());
      clipboard->setText(shown);
      source_.paste();
      if (kept != nullptr) clipboard->setMimeData(kept.release());
      else clipboard->clear();
      source_.document()->clearUndoRedoStacks();
    } else {
      source_.setPlainText(shown);
    }
    source_.moveCursor(QTextCursor::Start);
    source_.document()->setModified(false);
    source_.undoNames().Clear();
    filling_ = false;
  });
}

std::vector<std::string> EditorController::ResultLines() { return SplitLines(DocumentToCore(*html_.document())); }

void EditorController::PutResult(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string joined;
  joined.reserve(size);
  for (const std::string& line : lines) joined.append(line).append("\r\n");
  if (!joined.empty()) joined.resize(joined.size() - 2);
  const int caret = html_.textCursor().position();
  html_.setPlainText(CoreToEditor(joined));
  QTextCursor cursor = html_.textCursor();
  cursor.setPosition(std::min(caret, html_.document()->characterCount() - 1));
  html_.setTextCursor(cursor);
  html_.document()->setModified(false);
  html_.undoNames().Clear();
}

bool EditorController::ResultModified() const { return html_.document()->isModified(); }

bool EditorController::ResultEmpty() const { return html_.document()->isEmpty(); }

// ---------------------------------------------------------------- commands

bool EditorController::Wrap(MarkupKind kind) {
  return Bracketed([&] {
    QTextCursor cursor = source_.textCursor();
    SelectionEdit edit;
    if (!WrapSelection(kind, options_, EditorToCore(cursor.selectedText(), "\r"), edit)) return false;
    const MarkupCommand& command = MarkupCommandOf(kind);
    const int fontSize = EditorFontOf(options_, EditorPane::Source).size + command.sizeIncrease;
    QTextCharFormat format = FormatAtStart(cursor);
    if (command.bold) format.setFontWeight(QFont::Bold);
    if (command.italic) format.setFontItalic(true);
    format.setFontPointSize(fontSize);
    if (command.script == ScriptLook::Superscript) format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (command.script == ScriptLook::Subscript) format.setVerticalAlignment(QTextCharFormat::AlignSubScript);

    const QString inserted = CoreToEditor(edit.text);
    const int start = cursor.selectionStart();
    cursor.beginEditBlock();
    cursor.insertText(inserted, format);
    FormatParagraphs(source_, start, inserted, command);
    cursor.endEditBlock();
    cursor.setPosition(start + EditorLength(std::string_view(edit.text).substr(0, edit.selectStart)));
    source_.setTextCursor(cursor);
    EndCommand();
    return true;
  });
}

bool EditorController::BreakLine() {
  return Bracketed([&] {
    QTextCursor cursor = source_.textCursor();
    cursor.insertText(CoreToEditor(norvella::BreakLine().text));
    source_.setTextCursor(cursor);
    EndCommand();
    return true;
  });
}

bool EditorController::ChangeCase(bool upper) {
  return Bracketed([&] {
    QTextCursor cursor = source_.textCursor();
    SelectionEdit edit;
    if (!norvella::ChangeCase(EditorToCore(cursor.selectedText(), "\r"), upper, edit)) return false;
    const int start = cursor.selectionStart();
    cursor.insertText(CoreToEditor(edit.text), FormatAtStart(cursor));
    cursor.setPosition(start + EditorLength(std::string_view(edit.text).substr(0, edit.selectStart)));
    cursor.setPosition(cursor.position() + EditorLength(std::string_view(edit.text).substr(edit.selectStart, edit.selectLength)),
                       QTextCursor::KeepAnchor);
    source_.setTextCursor(cursor);
    EndCommand();
    return true;
  });
}

std::optional<std::string> EditorController::InsertComment(EndNoteQuestion& question) {
  if (auto refusal = EndNoteRefusal(options_, strings_)) return refusal;
  Bracketed([&] {
    QTextCursor cursor = source_.textCursor();
    const std::string selected = EditorToCore(cursor.selectedText(), "\r");
    QString title = CoreToEditor(EndNoteTitle(selected));
    QString body = CoreToEditor(selected);
    if (!question.Ask(title, body)) return;
    const std::string id = NewEndNoteId(random_);

    // The lines as a text list sees them: a final line break ends the last
    // line instead of starting an empty one.
    QTextDocument* document = source_.document();
    int lineCount = document->blockCount();
    QTextBlock last = document->lastBlock();
    if (lineCount > 1 && last.text().isEmpty()) {
      --lineCount;
      last = last.previous();
    }
    if (document->isEmpty()) lineCount = 0;
    const EndNote note = MakeEndNote(id, EditorToCore(title, "\r"), EditorToCore(body, "\r"),
                                     static_cast<std::size_t>(lineCount), EditorToCore(last.text(), "\r"));

    cursor.beginEditBlock();
    const QTextCharFormat format = FormatAtStart(cursor);
    cursor.insertText(CoreToEditor(note.link), format);
    // Follows the link when the note goes in front of it.
    QTextCursor link(document);
    link.setPosition(cursor.position() - EditorLength(note.link));
    QTextCursor at(document);
    const QString noteText = CoreToEditor(note.note);
    if (static_cast<int>(note.noteLine) < lineCount) {
      at.setPosition(document->findBlockByNumber(static_cast<int>(note.noteLine)).position());
      at.insertText(noteText + QLatin1Char('\n'), QTextCharFormat());
    } else if (lineCount == 0) {
      at.movePosition(QTextCursor::End);
      at.insertText(noteText, QTextCharFormat());
    } else {
      at.setPosition(last.position() + last.length() - 1);
      at.insertText(QLatin1Char('\n') + noteText, QTextCharFormat());
    }
    cursor.endEditBlock();
    QTextCursor select(document);
    select.setPosition(link.position());
    select.setPosition(link.position() + EditorLength(note.link), QTextCursor::KeepAnchor);
    source_.setTextCursor(select);
    EndCommand();
  });
  return std::nullopt;
}

bool EditorController::FindInSource(const QString& text) {
  if (text.isEmpty()) return false;
  return Bracketed([&] {
    QString raw = source_.document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    raw.replace(QChar::LineSeparator, QLatin1Char('\n'));
    QString wanted = text;
    wanted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    wanted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const qsizetype at = raw.indexOf(wanted);
    if (at < 0) return false;
    QTextCursor cursor(source_.document());
    cursor.setPosition(static_cast<int>(at));
    cursor.setPosition(static_cast<int>(at + wanted.size()), QTextCursor::KeepAnchor);
    source_.setTextCursor(cursor);
    source_.ensureCursorVisible();
    return true;
  });
}

QString EditorController::UndoHint(EditorPane editor) const {
  const UndoNames& names = editor == EditorPane::Source ? source_.undoNames() : html_.undoNames();
  return ToQt(norvella::UndoHint(strings_, names.NextUndo()));
}

QString EditorController::RedoHint(EditorPane editor) const {
  const UndoNames& names = editor == EditorPane::Source ? source_.undoNames() : html_.undoNames();
  return ToQt(norvella::RedoHint(strings_, names.NextRedo()));
}

}  // namespace norvella
