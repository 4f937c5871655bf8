#include "gui/app/settings_app_store.h"

#include <iostream>
#include <utility>


namespace norvella {

namespace {
constexpr std::string_view kWarningShownValue = "WarningShown";
}  // namespace

SettingsAppStore::SettingsAppStore(std::string path) : store_(std::move(path)) {
  const SettingsStore::LoadResult loaded = store_.Load();
  if (!loaded.warning.empty()) std::cerr << "norvella: warning: " << loaded.warning << '\n';
}

LocalisationCheck SettingsAppStore::LoadLocalisation(StringTable& strings, HtmlTemplates& templates) {
  return setup_.LoadLocalisation(strings, templates);
}

void SettingsAppStore::LoadSettings(Options& options) { setup_.LoadSettings(options); }

void SettingsAppStore::LoadFontWidths(const Options& options, ActiveFontWidths& widths) {
  setup_.LoadFontWidths(options, widths);
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
