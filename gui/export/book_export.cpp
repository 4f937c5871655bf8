#include "gui/export/book_export.h"

#include <ctime>

#include "core/base/cp1251.h"
#include "core/convert/driver.h"
#include "core/settings/options.h"
#include "gui/convert/converter_controller.h"

namespace norvella {

BookExportOutcome ExportCurrentBook(ConverterController& controller, BookFormat format,
                                    const std::string& path) {
  BookExportOutcome outcome;
  Options options = controller.options();
  PrepareOptionsForExport(options);
  std::vector<std::string> lines;
  if (options.Flag(Opt::Hyphenate) == controller.options().Flag(Opt::Hyphenate)) {
    lines = controller.GetResultLines();
  } else {
    NullObserver observer;
    StatusReporter status(observer, controller.strings());
    ConversionQuestions questions;
    StageContext ctx{options, controller.strings(), controller.templates(), controller.document(), status,
                     questions};
    // Without device hyphenation no stage measures characters, so the
    // built-in widths the context starts with will do.
    lines = RunConversion(controller.GetSourceLines(), ctx).texts();
  }

  ExportSettings settings;
  const std::string& source = controller.FileName();
  const auto slash = source.find_last_of('/');
  settings.documentFolder = slash == std::string::npos ? std::string() : source.substr(0, slash + 1);
  std::string stem = slash == std::string::npos ? source : source.substr(slash + 1);
  stem = stem.substr(0, stem.find('.'));
  settings.fallbackTitle = IsValidUtf8(stem) ? stem : Cp1251ToUtf8(stem);
  settings.now = std::time(nullptr);

  ExportResult exported = ExportBook(format, lines, controller.document(), settings);
  outcome.warnings = std::move(exported.warnings);
  if (!exported.ok) {
    outcome.file = Error{.message = {}, .reason = exported.error};
    return outcome;
  }
  outcome.file = WriteFileAtomically(path, exported.bytes);
  return outcome;
}

}  // namespace norvella
