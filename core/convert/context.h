#pragma once

// What every conversion stage is given: the options, the interface strings
// and templates, the document properties, the status reporter and the
// question interface.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/fonts/font_widths.h"

namespace norvella {

class Options;
class StringTable;
struct HtmlTemplates;

// The document properties of the current book; not stored in the settings.
struct DocumentProperties {
  std::string title;
  std::string author;
  std::string shortTitle;
  std::string comment;
  std::string coverImage;  // a picture file name relative to the document
};

// Receives the status of a running conversion. The status text is the
// second status-bar panel; the percentage the first.
class ConversionObserver {
 public:
  virtual ~ConversionObserver() = default;
  virtual void TaskChanged(const std::string& text) = 0;
  // Called only when the whole percentage differs from the last one sent.
  virtual void ProgressChanged(int percent) = 0;
};

// An observer that ignores everything (quiet command line, most tests).
class NullObserver final : public ConversionObserver {
 public:
  void TaskChanged(const std::string&) override {}
  void ProgressChanged(int) override {}
};

// One entry of a table of contents, offered for confirmation.
struct ContentsEntry {
  std::string text;      // as listed; a short title ends with " >>>"
  std::size_t line = 0;  // the header's line when it was found; names its anchor
  int level = 1;         // the header level
  bool ticked = true;
};

// Questions a conversion or a load may have to ask the user. The defaults
// answer as a non-interactive run does: every contents entry stays ticked
// and the document properties stay as found.
class ConversionQuestions {
 public:
  virtual ~ConversionQuestions() = default;
  // Lets the user untick entries of the table of contents (only the ticks
  // are read back).
  virtual void ConfirmContents(std::vector<ContentsEntry>& /*entries*/) {}
  // The "Document properties" dialog: may change the properties and the
  // "Add autor to title" choice. Returns false when nothing was asked.
  virtual bool AskTitle(DocumentProperties& /*doc*/, bool& /*addAuthorToTitle*/) { return false; }
};

// Turns stage events into status texts and percentages for the observer.
class StatusReporter {
 public:
  StatusReporter(ConversionObserver& observer, const StringTable& strings)
      : observer_(observer), strings_(strings) {}

  // "CurrentTask: " followed by the process text of the key.
  void Task(std::string_view processKey);
  // "Ready".
  void Ready();
  // round(index / count * 100), sent only when it changes.
  void Progress(std::size_t index, std::size_t count);

 private:
  ConversionObserver& observer_;
  const StringTable& strings_;
  int lastPercent_ = -1;
};

// The non-breaking space as the documents write it.
inline constexpr std::string_view kNbsp = "&nbsp;";
// kNbsp repeated "Nimber of nbsp" times (none for 0 or less): the run that
// follows a paragraph's opening tag and the space after a dash.
std::string NbspRun(const Options& options);

struct StageContext {
  const Options& options;
  const StringTable& strings;
  const HtmlTemplates& templates;
  const DocumentProperties& document;
  StatusReporter& status;
  ConversionQuestions& questions;
  // The font widths hyphenation measures with (the loaded font, or the
  // built-in default).
  const ActiveFontWidths* fontWidths = &BuiltinActiveFontWidths();
};

}  // namespace norvella
