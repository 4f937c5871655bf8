#include "gui/convert/app_store.h"

namespace norvella {

namespace {
constexpr std::string_view kWarningShownValue = "WarningShown";
}  // namespace

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

bool AppStore::RemoveKey(std::string_view path) {
  if (!Keys().DeleteTree(path)) return false;
  Persist();
  return Persisted();
}

void AppStore::RemoveStoredData() {
  norvella::RemoveStoredData(Keys());
  Persist();
}

}  // namespace norvella
