#pragma once

// Loading the options from the settings key and saving them back, the
// read-only section reader the localisation and skin loaders use, and the
// removal of everything the program stores.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings/options.h"
#include "core/settings/registry.h"

namespace norvella {

// The settings key; the localisation, the skin and the font tables lie in
// its subkeys.
inline constexpr std::string_view kSettingsKey = "Software\\Marn Soft\\Norvella\\1.00";
inline constexpr std::string_view kMakerKey = "Software\\Marn Soft";
inline constexpr std::string_view kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Norvella 1.00";
// Present when the device maker's librarian is installed.
inline constexpr std::string_view kLibrarianKey = "Software\\Nuvomedia\\RocketLibrarian";
inline constexpr std::string_view kUninstallDisplayName = "Norvella v1.00 (remove only)";

// The preview file before any load: the temporary folder, "$~$~marn_temp",
// the largest signed 64-bit number and ".htm".
std::string InitialPreviewPath(std::string_view temporaryFolder);

// Reads the options from the settings key, each through its setter where it
// has one, in the fixed load order. A missing string reads as empty; a
// missing or wrongly typed integer or Boolean (or a string stored with
// another type) stops the loading there, and that value and every later one
// keep what they had. Without a settings key every option keeps its value.
void LoadSettings(const Registry& registry, Options& options);

// After loading: brings back the built-in texts of "Empty lines replace
// with", "OpenEpigraph" and "CLoseEpigraph" when they are empty.
void RestoreEmptyDefaults(Options& options);

// What the window knows at exit, for the values written only sometimes.
// "Last readed doc pos" is not among them: it is always written, so that
// loading, which stops at the first missing integer, reads every value after
// it. The window puts the scroll position of the document in the active
// browser into the option before saving, when it holds one; otherwise the
// option still holds the value loaded at start (0 when there was none).
struct SaveSettingsState {
  // Each folder value is written only when its dialog has a file name.
  bool sourceOpenDialogHasFile = false;    // "Last edit open dir"
  bool readerOpenDialogHasFile = false;    // "Last read dir"
  bool htmlSaveDialogHasFile = false;      // "Last edit save dir"
  bool sourceSaveDialogHasFile = false;    // "Last edit save src dir"
  // The program's own path, for the uninstall entry; native bytes.
  std::string executablePath;
};

// Writes every option into the settings key (created when missing) in the
// write order, then the uninstall entry.
void SaveSettings(Registry& registry, const Options& options, const SaveSettingsState& state);

// Removes everything the program stores: the settings key with all its
// subkeys, the maker's keys when nothing else of the maker remains in them,
// the uninstall entry, and keys left empty on the way to it.
void RemoveStoredData(Registry& registry);

// Read-only access to one section (subkey) of the settings key, never
// creating it.
class TMyReg {
 public:
  TMyReg(const Registry& registry, std::string_view section);

  bool Opened() const { return key_ != nullptr; }
  // The stored text, or the default when the value is missing, empty or not
  // a string (and when the section is not there).
  std::string ReadString(std::string_view defaultText, std::string_view name) const;
  const RegKey* Key() const { return key_; }

 private:
  const RegKey* key_;
};

}  // namespace norvella
