#pragma once

// The per-user store as the desktop program uses it: the localisation and
// skin, the settings and the font tables read at start, the settings
// written at exit, the flag of the missing-browser warning, the librarian's
// key, and the keys the uninstall command removes. Keys are named by their
// registry-style paths.

#include <cstddef>
#include <string_view>

#include "core/book/book.h"
#include "core/settings/settings_io.h"

namespace norvella {

inline constexpr std::string_view kProgramKey = "Software\\Marn Soft\\Norvella";

class AppStore : public SetupStore {
 public:
  virtual ~AppStore() = default;

  // The localisation and skin, the options and the font tables come
  // through SetupStore (its defaults: no store behind it); LoadSettings is
  // the one every store implements.
  void LoadSettings(Options& options) override = 0;
  // Writes every option and the uninstall entry.
  virtual void SaveSettings(const Options& options, const SaveSettingsState& state) = 0;

  virtual bool KeyExists(std::string_view path) const = 0;
  // The number of subkeys and values of a key; 0 when it does not exist.
  virtual std::size_t EntryCount(std::string_view path) const = 0;
  // Deletes a key with all its subkeys; a missing key is no error.
  virtual void DeleteKey(std::string_view path) = 0;
  // Records that the missing-browser warning was shown, creating the
  // settings key if needed; returns true when it had been recorded before.
  virtual bool MarkWarningShown() = 0;

  // Removes the program's stored data: its settings key, then the program's
  // and the maker's keys when nothing else is left in them, and the
  // uninstall entry.
  virtual void RemoveStoredData();
};

}  // namespace norvella
