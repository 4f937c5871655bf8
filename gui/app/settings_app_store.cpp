#include "gui/app/settings_app_store.h"

#include <iostream>
#include <utility>

#include "core/settings/font_store.h"

namespace norvella {

namespace {
constexpr std::string_view kWarningShownValue = "WarningShown";
}  // namespace

SettingsAppStore::SettingsAppStore(std::string path) : store_(std::move(path)) {
  const SettingsStore::LoadResult loaded = store_.Load();
  if (!loaded.warning.empty()) std::cerr << "norvella: warning: " << loaded.warning << '\n';
}

LocalisationCheck SettingsAppStore::LoadLocalisation(StringTable& strings, HtmlTemplates& templates) {
  return norvella::LoadLocalisation(store_.Keys(), strings, templates, RunningProgramFolderText());
}

void SettingsAppStore::LoadSettings(Options& options) {
  // The preview path and the librarian check of the start-up state are the
  // controller's own; only the options are taken from here.
  StartupState state;
  norvella::LoadSettings(store_.Keys(), options, state);
}

void SettingsAppStore::LoadFontWidths(const Options& options, ActiveFontWidths& widths) {
  RegistryFontStore fonts(store_.Keys());
  norvella::LoadFontWidths(fonts, options, widths);
}

std::vector<std::string> SettingsAppStore::FontNames() {
  RegistryFontStore fonts(store_.Keys());
  return fonts.FontNames();
}

void SettingsAppStore::ReloadFontWidths(const Options& options, ActiveFontWidths& widths) {
  RegistryFontStore fonts(store_.Keys());
  norvella::ReloadFontWidths(fonts, options, widths);
}

void SettingsAppStore::SaveSettings(const Options& options, const SaveSettingsState& state) {
  norvella::SaveSettings(store_.Keys(), options, state);
  Save();
}

bool SettingsAppStore::KeyExists(std::string_view path) const { return store_.Keys().Open(path) != nullptr; }

std::size_t SettingsAppStore::EntryCount(std::string_view path) const {
  const RegKey* key = store_.Keys().Open(path);
  return key == nullptr ? 0 : key->SubKeyCount() + key->ValueCount();
}

void SettingsAppStore::DeleteKey(std::string_view path) { store_.Keys().DeleteTree(path); }

bool SettingsAppStore::MarkWarningShown() {
  RegKey& key = store_.Keys().Create(kSettingsKey);
  if (key.HasValue(kWarningShownValue)) return true;
  key.WriteString(kWarningShownValue, "");
  Save();
  return false;
}

void SettingsAppStore::RemoveStoredData() {
  norvella::RemoveStoredData(store_.Keys());
  Save();
}

void SettingsAppStore::Save() {
  if (const FileResult saved = store_.Save(); !saved.ok)
    std::cerr << "norvella: cannot save the settings: " << saved.error << '\n';
}

}  // namespace norvella
