#include "core/book/book.h"

#include "core/base/text.h"
#include "core/convert/document_output.h"
#include "core/fonts/font_store.h"
#include "core/settings/settings_io.h"

namespace norvella {

LocalisationCheck RegistrySetupStore::LoadLocalisation(StringTable& strings, HtmlTemplates& templates) {
  return norvella::LoadLocalisation(keys_, strings, templates, programFolderText_);
}

void RegistrySetupStore::LoadSettings(Options& options) {
  norvella::LoadSettings(keys_, options);
}

void RegistrySetupStore::LoadFontWidths(const Options& options, ActiveFontWidths& widths) {
  RegistryFontStore fonts(keys_);
  norvella::LoadFontWidths(fonts, options, widths);
}

LocalisationCheck LoadBookSetup(SetupStore& store, BookSetup& setup) {
  const LocalisationCheck check = LoadBookLocalisation(store, setup);
  LoadBookSettings(store, setup);
  return check;
}

LocalisationCheck LoadBookLocalisation(SetupStore& store, BookSetup& setup) {
  return store.LoadLocalisation(setup.strings, setup.templates);
}

void LoadBookSettings(SetupStore& store, BookSetup& setup) {
  store.LoadSettings(setup.options);
  RestoreEmptyDefaults(setup.options);
  LoadBookFonts(store, setup);
}

void LoadBookFonts(SetupStore& store, BookSetup& setup) {
  setup.fontWidths = BuiltinActiveFontWidths();
  store.LoadFontWidths(setup.options, setup.fontWidths);
}

StageContext BookContext(const BookSetup& setup, const DocumentProperties& doc,
                         StatusReporter& status, ConversionQuestions& questions) {
  StageContext ctx{setup.options, setup.strings, setup.templates, doc, status, questions};
  ctx.fontWidths = &setup.fontWidths;
  return ctx;
}

bool ConvertBookLines(ConversionDriver& driver, std::vector<std::string>& sourceLines,
                      const BookSetup& setup, const DocumentProperties& doc, StatusReporter& status,
                      ConversionQuestions& questions) {
  StageContext ctx = BookContext(setup, doc, status, questions);
  return driver.ConvertText(sourceLines, ctx);
}

std::string ComposeBook(const std::vector<std::string>& resultLines, const BookSetup& setup) {
  return ComposeDocument(resultLines, setup.options, setup.templates);
}

Book ConvertBook(std::string_view sourceText, const BookSetup& setup, const DocumentProperties& doc,
                 StatusReporter& status, ConversionQuestions& questions) {
  StageContext ctx = BookContext(setup, doc, status, questions);
  Book book;
  book.lines = RunConversion(SplitLines(sourceText), ctx);
  status.Ready();
  book.document = ComposeBook(book.lines.texts(), setup);
  return book;
}

}  // namespace norvella
