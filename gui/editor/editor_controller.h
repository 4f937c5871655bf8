#pragma once

// The editors' side of the converter: the source editor holds the source
// and the HTML editor the produced document while the advanced mode uses
// them; the markup commands, the case commands, end notes and the search
// for a preview's selection act on the source editor. It knows no window:
// the window hands it the two editors, asks it to run the commands and
// shows what it reports.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QObject>
#include <QString>

#include "core/editor/editor_settings.h"
#include "core/editor/end_note.h"
#include "core/editor/markup.h"
#include "core/settings/options.h"
#include "gui/convert/converter_editors.h"

namespace norvella {

class HtmlEditor;
class KeyboardLayouts;
class SourceEditor;
class StringTable;

// The end-note dialog: proposes a title and a body, true when confirmed.
class EndNoteQuestion {
 public:
  virtual ~EndNoteQuestion() = default;
  virtual bool Ask(QString& title, QString& body) = 0;
};

class EditorController : public QObject, public ConverterEditors {
  Q_OBJECT

 public:
  EditorController(SourceEditor& source, HtmlEditor& html, Options& options, const StringTable& strings,
                   KeyboardLayouts& layouts, QObject* parent = nullptr);

  SourceEditor& source() { return source_; }
  HtmlEditor& html() { return html_; }

  // Fonts and word wrap from the options; the window passes every option
  // change on.
  void ApplyOption(Opt id);
  void ApplyAllOptions();

  // ConverterEditors: the texts as the converter reads and writes them.
  std::string SourceText() override;
  void PutSourceText(std::string_view text) override;
  std::vector<std::string> ResultLines() override;
  void PutResult(const std::vector<std::string>& lines) override;
  bool ResultModified() const override;
  bool ResultEmpty() const override;

  // The source editor's commands; each returns false when it changed
  // nothing.
  bool Wrap(MarkupKind kind);
  bool BreakLine();
  bool ChangeCase(bool upper);
  // "Insert comment": the refusal message (Windows-1251) while links are
  // removed; nothing when it was inserted or the dialog was cancelled.
  std::optional<std::string> InsertComment(EndNoteQuestion& question);
  // Selects the first occurrence of the text in the source and says
  // whether there was one.
  bool FindInSource(const QString& text);

  // "Undo typing", "Redo paste", ... for the editor's buttons.
  QString UndoHint(EditorPane editor) const;
  QString RedoHint(EditorPane editor) const;

  // Replaces the identifiers' random source (tests).
  void SetRandom(EndNoteRandom random) { random_ = std::move(random); }
  // The clipboard of a safe load, replaceable in tests.
  bool LoadedThroughClipboard() const { return loadedThroughClipboard_; }

 signals:
  // The user changed the source; the result is out of date.
  void SourceEdited();
  // An editor's undo or redo availability or names changed.
  void UndoStateChanged(EditorPane editor);

 private:
  // Runs an edit of the source that the program makes (not the user's
  // typing) inside the keyboard-layout bracket.
  template <typename Edit>
  auto Bracketed(Edit&& edit);
  void EndCommand();
  void ApplyFont(EditorPane editor);
  void ApplyWrap(EditorPane editor);

  SourceEditor& source_;
  HtmlEditor& html_;
  Options& options_;
  const StringTable& strings_;
  KeyboardLayouts& layouts_;
  EndNoteRandom random_ = DefaultEndNoteRandom();
  bool filling_ = false;  // the program, not the user, is changing the source
  bool loadedThroughClipboard_ = false;
};

}  // namespace norvella
