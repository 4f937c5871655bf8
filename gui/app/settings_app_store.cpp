#include "gui/app/settings_app_store.h"

#include <iostream>
#include <utility>

namespace norvella {

SettingsAppStore::SettingsAppStore(std::string path) : store_(std::move(path)) {
  const SettingsStore::LoadResult loaded = store_.Load();
  if (!loaded.warning.empty()) std::cerr << "norvella: warning: " << loaded.warning << '\n';
}

void SettingsAppStore::Persist() {
  const FileResult saved = store_.Save();
  persisted_ = saved.ok();
  if (!saved.ok())
    std::cerr << "norvella: cannot save the settings: " << saved.error().reason << '\n';
}

}  // namespace norvella
