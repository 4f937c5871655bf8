#pragma once

// The per-user store as the desktop program uses it: the localisation and
// skin, the settings and the font tables read at start, the settings
// written at exit, the flag of the missing-browser warning, the librarian's
// key, and the keys the uninstall command removes. Keys are named by their
// registry-style paths.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/hyph/font_widths.h"
#include "core/i18n/localisation.h"
#include "core/settings/settings_io.h"

namespace norvella {

class Options;
class HtmlTemplates;
class StringTable;

inline constexpr std::string_view kProgramKey = "Software\\Marn Soft\\Norvella";

class AppStore {
 public:
  virtual ~AppStore() = default;

  // The installed localisation and HTML skin, before the options. Without
  // a store behind it nothing is installed.
  virtual LocalisationCheck LoadLocalisation(StringTable& /*strings*/, HtmlTemplates& /*templates*/) {
    return {};
  }
  // Stored values replace the defaults, each through its option's setter.
  virtual void LoadSettings(Options& options) = 0;
  // The widths of "Hyph font" in the chosen orientation, after the options.
  // Without a store behind it the built-in tables are used.
  virtual void LoadFontWidths(const Options& options, ActiveFontWidths& widths) {
    MemoryFontStore fonts;
    norvella::LoadFontWidths(fonts, options, widths);
  }
  // The names of the stored font width tables, in key order.
  virtual std::vector<std::string> FontNames() {
    MemoryFontStore fonts;
    WriteDefaultFontWidths(fonts);
    return fonts.FontNames();
  }
  // After the user chose another hyphenation font or orientation: the
  // widths of the font the options now name.
  virtual void ReloadFontWidths(const Options& options, ActiveFontWidths& widths) {
    MemoryFontStore fonts;
    WriteDefaultFontWidths(fonts);
    norvella::ReloadFontWidths(fonts, options, widths);
  }
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
