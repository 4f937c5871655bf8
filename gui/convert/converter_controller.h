#pragma once

// The converter's state behind the main window: options, interface strings
// and templates, the kept source lines and the result of the last
// conversion with its converted flag, the document properties, the preview
// file and the temporary files. It knows no window, so tests drive it
// directly; the window shows what it reports.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "core/base/file_io.h"
#include "core/book/book.h"
#include "core/convert/context.h"
#include "core/convert/driver.h"
#include "core/convert/working_list.h"
#include "core/fonts/font_widths.h"
#include "core/i18n/localisation.h"
#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/settings/options.h"
#include "core/settings/settings_io.h"
#include "core/settings/window_placement.h"
#include "core/source/source_loader.h"
#include "core/source/source_state.h"
#include "gui/convert/converter_editors.h"

namespace norvella {

class AppStore;

// What loading a source file gave.
struct SourceRead {
  enum class Kind {
    Text,            // text holds the source in Windows-1251
    Cancelled,       // the user declined a question; nothing changes
    OpenInReader,    // a finished document to be opened for reading
    Empty,           // the file holds no text; nothing changes
    ReadOnlyFolder,  // error holds the interface message
    Failed,          // error holds the file system's reason
  };
  Kind kind = Kind::Cancelled;
  std::string text;
  Error error;
  int appliedStyle = -1;  // the text-style preset autodetection applied, or -1
};

// What writing the preview file gave.
struct PreviewWrite {
  enum class Kind { NoPreviewPath, Written, Failed };
  Kind kind = Kind::NoPreviewPath;
  std::string path;
  Error error;
  bool shownBefore = false;  // the preview browser already shows this file
};

class ConverterController {
 public:
  explicit ConverterController(AppStore& store);
  // Deletes the temporary files that are still listed.
  virtual ~ConverterController();
  ConverterController(const ConverterController&) = delete;
  ConverterController& operator=(const ConverterController&) = delete;

  AppStore& store() { return store_; }
  Options& options() { return setup_.options; }
  const Options& options() const { return setup_.options; }
  StringTable& strings() { return setup_.strings; }
  const StringTable& strings() const { return setup_.strings; }
  HtmlTemplates& templates() { return setup_.templates; }
  DocumentProperties& document() { return document_; }
  TemporaryFiles& temporaryFiles() { return state_.temporaryFiles; }

  // Status texts and percentages go to the observer, questions of a load
  // or a conversion to the questions object; both may be null (quiet,
  // non-interactive).
  void SetObserver(ConversionObserver* observer);
  void SetQuestions(ConversionQuestions* questions);
  // The questions of a source load; null answers them as a non-interactive
  // run does, with the title question still going to the questions object.
  void SetSourceQuestions(SourceQuestions* questions);

  // Start: the preview path used before any load, the librarian check, the
  // localisation and skin, the stored values (with the built-in texts of
  // the few that must not stay empty) and the font tables. The window shows
  // the build check the result asks for.
  LocalisationCheck LoadSettings();
  // The first half of LoadSettings on its own, for the window, which builds
  // its controls from the localised texts before the options arrive. Runs
  // once: LoadSettings then goes on from it, and gives its result again.
  LocalisationCheck LoadLocalisation();
  // Exit: writes the options back through the store.
  void SaveSettings(const SaveSettingsState& state);
  // Where the window was left at the last exit, if the store says.
  std::optional<WindowPlacement> StoredWindowPlacement() const;
  // Kept with the next SaveSettings.
  void SetWindowPlacement(const WindowPlacement& placement);
  // The widths hyphenation measures with; the stored hyphenation fonts,
  // and loading the one the options name after the user chose it.
  const ActiveFontWidths& FontWidths() const { return setup_.fontWidths; }
  std::vector<std::string> HyphFontNames();
  void ReloadFontWidths();
  bool LibrarianInstalled() const { return librarianInstalled_; }

  // Loads a source file for conversion: probes that its folder is
  // writable, sets the preview path beside it, asks about a large file or a
  // produced document, converts its encoding (the open dialog's 1-based
  // filter index may force one), finds title and author and lets
  // autodetection pick the preset.
  virtual SourceRead ReadSourceFile(const std::string& path, int filterIndex);
  const std::string& FileName() const { return fileName_; }
  // "Norvella (converter) - " and the file name, or "Norvella - no file".
  QString Caption() const;

  // The editors that hold the source and the result in the advanced mode
  // (with "Use Source editor" and "Show HTML"); null keeps both as lists.
  void SetEditors(ConverterEditors* editors) { editors_ = editors; }
  bool SourceInEditor() const;
  bool ResultInEditor() const;
  // "Use Source editor" was switched: the editor takes over the kept source
  // lines, or gives its text back to them.
  void SourceEditorSwitched();

  // The source, in the editor or kept: replacing it marks the result out
  // of date.
  void SetSourceText(std::string_view text);
  std::vector<std::string> GetSourceLines();

  // Runs the conversion unless the result is up to date; true when it ran.
  // A failing stage throws and leaves the flag clear.
  bool ConvertText(std::vector<std::string> sourceLines);
  bool Converted() const { return driver_.Converted(); }
  void Invalidate() { driver_.Invalidate(); }
  // What showing the preview does first: converts when out of date.
  // True when there is a new result to show.
  bool ConvertForPreview();

  bool HasResult() const;
  // The result, from the HTML editor when it holds it.
  std::vector<std::string> GetResultLines() const;
  void StoreResult(WorkingList result) { driver_.StoreResult(std::move(result)); }

  // Sets the options of a text-style preset through their setters.
  void ApplyPreset(int style);

  // The result as the file it becomes: lines joined, with the credit footer
  // (and the hyphenation notice when hyphenating) before the last "</body>".
  std::string DocumentText() const;
  // Writes the preview file; the caller shows it and then calls
  // MarkPreviewShown.
  PreviewWrite WritePreview();
  void MarkPreviewShown() { state_.previewNavigated = true; }
  const std::string& PreviewPath() const { return state_.previewPath; }
  FileResult SaveHtml(const std::string& path) const;

  // "Ready" in the task panel.
  void ReportReady();

 protected:
  StatusReporter Reporter() { return StatusReporter(*observer_, setup_.strings); }

 private:
  AppStore& store_;
  // The options, interface strings, templates and font tables.
  BookSetup setup_;
  DocumentProperties document_;
  ConversionDriver driver_;
  std::vector<std::string> sourceLines_;
  ConverterEditors* editors_ = nullptr;
  std::string fileName_;
  SourceState state_;
  bool librarianInstalled_ = false;
  std::optional<LocalisationCheck> localisation_;

  NullObserver nullObserver_;
  ConversionQuestions defaultQuestions_;
  ConversionObserver* observer_ = &nullObserver_;
  ConversionQuestions* questions_ = &defaultQuestions_;

  // Answers a load's own questions by default and passes the title and
  // contents questions on to the current questions object.
  class DefaultSourceQuestions final : public SourceQuestions {
   public:
    explicit DefaultSourceQuestions(ConversionQuestions*& conversion) : conversion_(conversion) {}
    void ConfirmContents(std::vector<ContentsEntry>& entries) override { conversion_->ConfirmContents(entries); }
    bool AskTitle(DocumentProperties& doc, bool& addAuthorToTitle) override {
      return conversion_->AskTitle(doc, addAuthorToTitle);
    }

   private:
    ConversionQuestions*& conversion_;
  };
  DefaultSourceQuestions defaultSourceQuestions_{questions_};
  SourceQuestions* sourceQuestions_ = &defaultSourceQuestions_;
};

}  // namespace norvella
