#include "gui/convert/app_store.h"

#include "core/settings/font_store.h"

namespace norvella {

namespace {
constexpr std::string_view kWarningShownValue = "WarningShown";
}  // namespace

LocalisationCheck AppStore::LoadLocalisation(StringTable& strings, HtmlTemplates& templates) {
  return norvella::LoadLocalisation(Keys(), strings, templates, RunningProgramFolderText());
}

void AppStore::LoadSettings(Options& options) { norvella::LoadSettings(Keys(), options); }

void AppStore::LoadFontWidths(const Options& options, ActiveFontWidths& widths) {
  RegistryFontStore fonts(Keys());
  norvella::LoadFontWidths(fonts, options, widths);
}

std::vector<std::string> AppStore::FontNames() {
  RegistryFontStore fonts(Keys());
  return fonts.FontNames();
}

void AppStore::ReloadFontWidths(const Options& options, ActiveFontWidths& widths) {
  RegistryFontStore fonts(Keys());
  norvella::ReloadFontWidths(fonts, options, widths);
}

void AppStore::SaveSettings(const Options& options, const SaveSettingsState& state) {
  norvella::SaveSettings(Keys(), options, state);
  Persist();
}

bool AppStore::MarkWarningShown() {
  RegKey& key = Keys().Create(kSettingsKey);
  if (key.HasValue(kWarningShownValue)) return true;
  key.WriteString(kWarningShownValue, "");
  Persist();
  return false;
}

void AppStore::RemoveStoredData() {
  norvella::RemoveStoredData(Keys());
  Persist();
}

}  // namespace norvella
