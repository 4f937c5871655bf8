#pragma once

// From the settings store to a finished document in a few calls, the same
// for the desktop program, the command line and the fuzz targets:
//
//   BookSetup setup;
//   LoadBookSetup(store, setup);           // localisation, options, fonts
//   LoadResult loaded = LoadSrc(...);      // or LoadSourceBytes
//   Book book = ConvertBook(loaded.text, setup, doc, status, questions);
//
// Every stage stays reachable on its own for tests; these calls only fix
// the order in which the front ends run them.

#include <string>
#include <string_view>
#include <vector>

#include "core/convert/context.h"
#include "core/convert/driver.h"
#include "core/convert/working_list.h"
#include "core/fonts/font_widths.h"
#include "core/i18n/localisation.h"
#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/settings/options.h"

namespace norvella {

class Registry;

// Everything a conversion reads besides the source and the document
// properties.
struct BookSetup {
  Options options;
  StringTable strings;
  HtmlTemplates templates;
  ActiveFontWidths fontWidths = BuiltinActiveFontWidths();
};

// Where a setup is read from. The defaults stand for no store at all: no
// localisation or skin, the built-in option values and the built-in fonts.
class SetupStore {
 public:
  virtual ~SetupStore() = default;
  // The installed localisation and HTML skin, read before the options.
  virtual LocalisationCheck LoadLocalisation(StringTable& /*strings*/, HtmlTemplates& /*templates*/) {
    return {};
  }
  // Stored values replace the defaults, each through its option's setter.
  virtual void LoadSettings(Options& /*options*/) {}
  // The widths of "Hyph font" in the chosen orientation.
  virtual void LoadFontWidths(const Options& options, ActiveFontWidths& widths) {
    LoadBuiltinFontWidths(options, widths);
  }
};

// The user's settings store (a registry of keys) as a setup source. The
// font loader may add the built-in fonts to the keys; whether that is ever
// saved is the owner's choice.
class RegistrySetupStore final : public SetupStore {
 public:
  RegistrySetupStore(Registry& keys, std::string programFolderText)
      : keys_(keys), programFolderText_(std::move(programFolderText)) {}

  LocalisationCheck LoadLocalisation(StringTable& strings, HtmlTemplates& templates) override;
  void LoadSettings(Options& options) override;
  void LoadFontWidths(const Options& options, ActiveFontWidths& widths) override;

 private:
  Registry& keys_;
  std::string programFolderText_;
};

// Reads a setup in the program's start-up order: the localisation and the
// skin, the options, the built-in texts of the options that must not stay
// empty, then the font tables for the loaded options. Returns what the
// localisation's build check found, for the front end to report.
LocalisationCheck LoadBookSetup(SetupStore& store, BookSetup& setup);

// The two halves of LoadBookSetup, for a front end that builds its controls
// from the localised texts before the options arrive: the localisation and
// the skin, then the options and the font tables.
LocalisationCheck LoadBookLocalisation(SetupStore& store, BookSetup& setup);
void LoadBookSettings(SetupStore& store, BookSetup& setup);

// Loads the font tables again from the built-in starting point, after the
// options that choose them ("Hyph font", "I-like orientation") changed.
void LoadBookFonts(SetupStore& store, BookSetup& setup);

// The stage context of a conversion with this setup.
StageContext BookContext(const BookSetup& setup, const DocumentProperties& doc,
                         StatusReporter& status, ConversionQuestions& questions);

// Runs the conversion of the source lines through the driver, which keeps
// the result and the converted flag (see ConversionDriver::ConvertText).
bool ConvertBookLines(ConversionDriver& driver, std::vector<std::string>& sourceLines,
                      const BookSetup& setup, const DocumentProperties& doc, StatusReporter& status,
                      ConversionQuestions& questions);

// The text of the finished lines as the document file holds it.
std::string ComposeBook(const std::vector<std::string>& resultLines, const BookSetup& setup);

struct Book {
  WorkingList lines;     // the finished working list
  std::string document;  // the lines composed into the document file's text
};

// Converts a loaded source (Windows-1251 text, as the loader gives it) into
// the finished document.
Book ConvertBook(std::string_view sourceText, const BookSetup& setup, const DocumentProperties& doc,
                 StatusReporter& status, ConversionQuestions& questions);

}  // namespace norvella
