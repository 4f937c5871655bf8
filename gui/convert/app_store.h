#pragma once

// The per-user store as the desktop program uses it: the localisation and
// skin, the settings and the font tables read at start, the settings
// written at exit, the flag of the missing-browser warning, the librarian's
// key, and the removal of everything the program keeps. The keys live in a
// core registry and every operation is core's own; a store only says where
// the registry is kept (the user's settings file, or memory in the tests).

#include <string>
#include <string_view>
#include <vector>

#include "core/hyph/font_widths.h"
#include "core/i18n/localisation.h"
#include "core/settings/registry.h"
#include "core/settings/settings_io.h"

namespace norvella {

class Options;
class HtmlTemplates;
class StringTable;

inline constexpr std::string_view kProgramKey = "Software\\Marn Soft\\Norvella";

class AppStore {
 public:
  virtual ~AppStore() = default;

  virtual Registry& Keys() = 0;
  virtual const Registry& Keys() const = 0;

  // The installed localisation and HTML skin, before the options.
  LocalisationCheck LoadLocalisation(StringTable& strings, HtmlTemplates& templates);
  // Stored values replace the defaults, each through its option's setter.
  void LoadSettings(Options& options);
  // The widths of "Hyph font" in the chosen orientation, after the options;
  // missing built-in tables are written into the store first.
  void LoadFontWidths(const Options& options, ActiveFontWidths& widths);
  // The names of the stored font width tables, in key order.
  std::vector<std::string> FontNames();
  // After the user chose another hyphenation font or orientation: the
  // widths of the font the options now name.
  void ReloadFontWidths(const Options& options, ActiveFontWidths& widths);
  // Writes every option and the uninstall entry, and keeps the store.
  void SaveSettings(const Options& options, const SaveSettingsState& state);

  bool KeyExists(std::string_view path) const { return Keys().Open(path) != nullptr; }
  // Records that the missing-browser warning was shown, creating the
  // settings key if needed; returns true when it had been recorded before.
  bool MarkWarningShown();
  // Removes the program's stored data (see norvella::RemoveStoredData) and
  // keeps the store.
  void RemoveStoredData();

 protected:
  // Keeps the registry where the store lives, after every change.
  virtual void Persist() {}
};

}  // namespace norvella
