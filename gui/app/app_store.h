#pragma once

// The per-user store as the desktop program uses it: the settings read at
// start and written at exit, the flag of the missing-browser warning, the
// librarian's key, and the keys the uninstall command removes. Keys are
// named by their registry-style paths.

#include <cstddef>
#include <string_view>

namespace norvella {

class Options;

inline constexpr std::string_view kMakerKey = "Software\\Marn Soft";
inline constexpr std::string_view kProgramKey = "Software\\Marn Soft\\Norvella";
inline constexpr std::string_view kSettingsKey = "Software\\Marn Soft\\Norvella\\1.00";
inline constexpr std::string_view kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Norvella 1.00";
inline constexpr std::string_view kLibrarianKey = "Software\\Nuvomedia\\RocketLibrarian";

class AppStore {
 public:
  virtual ~AppStore() = default;

  // Stored values replace the defaults, each through its option's setter.
  virtual void LoadSettings(Options& options) = 0;
  // Writes every option and the uninstall entry.
  virtual void SaveSettings(const Options& options) = 0;

  virtual bool KeyExists(std::string_view path) const = 0;
  // The number of subkeys and values of a key; 0 when it does not exist.
  virtual std::size_t EntryCount(std::string_view path) const = 0;
  // Deletes a key with all its subkeys; a missing key is no error.
  virtual void DeleteKey(std::string_view path) = 0;
  // Records that the missing-browser warning was shown, creating the
  // settings key if needed; returns true when it had been recorded before.
  virtual bool MarkWarningShown() = 0;
};

// The store until the settings store is wired in: every option keeps its
// default and nothing is kept between runs.
class DefaultsOnlyStore final : public AppStore {
 public:
  void LoadSettings(Options&) override {}
  void SaveSettings(const Options&) override {}
  bool KeyExists(std::string_view) const override { return false; }
  std::size_t EntryCount(std::string_view) const override { return 0; }
  void DeleteKey(std::string_view) override {}
  bool MarkWarningShown() override { return false; }
};

}  // namespace norvella
