#pragma once

// The per-user store as the desktop program uses it: the localisation and
// skin, the settings and the font tables read at start, the settings
// written at exit, the flag of the missing-browser warning, the librarian's
// key, and the removal of everything the program keeps. The keys live in a
// core registry and every operation is core's own; a store only says where
// the registry is kept (the user's settings file, or memory in the tests).

#include <string_view>

#include "core/settings/registry.h"
#include "core/settings/settings_io.h"

namespace norvella {

class Options;

inline constexpr std::string_view kProgramKey = "Software\\Marn Soft\\Norvella";

class AppStore {
 public:
  virtual ~AppStore() = default;

  virtual Registry& Keys() = 0;
  virtual const Registry& Keys() const = 0;

  // The localisation, the options and the font tables are read from
  // Keys() by core's LoadBookSetup (see ConverterController::LoadSettings).

  // Writes every option and the uninstall entry, and keeps the store.
  void SaveSettings(const Options& options, const SaveSettingsState& state);

  bool KeyExists(std::string_view path) const { return Keys().Open(path) != nullptr; }
  // Records that the missing-browser warning was shown, creating the
  // settings key if needed; returns true when it had been recorded before.
  bool MarkWarningShown();
  // Removes the program's stored data (see norvella::RemoveStoredData) and
  // keeps the store.
  void RemoveStoredData();
  // Deletes a key with all its subkeys and keeps the store; false when the
  // key is not there or the store could not be kept.
  bool RemoveKey(std::string_view path);

 protected:
  // Keeps the registry where the store lives, after every change.
  virtual void Persist() {}
  // Whether the last Persist kept the store.
  virtual bool Persisted() const { return true; }
};

}  // namespace norvella
