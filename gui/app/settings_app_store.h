#pragma once

// The desktop program's store backed by the user's settings file: read
// whole when the program starts, written whole at exit, after the
// uninstall command, and when the missing-browser warning is first shown.

#include <string>

#include "core/settings/store.h"
#include "gui/app/app_store.h"

namespace norvella {

class SettingsAppStore final : public AppStore {
 public:
  // Reads the file; a problem with it is reported on standard error and
  // the program goes on with an empty store.
  explicit SettingsAppStore(std::string path);

  SettingsStore& Store() { return store_; }

  LocalisationCheck LoadLocalisation(StringTable& strings, HtmlTemplates& templates) override;
  void LoadSettings(Options& options) override;
  void LoadFontWidths(const Options& options, ActiveFontWidths& widths) override;
  std::vector<std::string> FontNames() override;
  void ReloadFontWidths(const Options& options, ActiveFontWidths& widths) override;
  void SaveSettings(const Options& options, const SaveSettingsState& state) override;

  bool KeyExists(std::string_view path) const override;
  std::size_t EntryCount(std::string_view path) const override;
  void DeleteKey(std::string_view path) override;
  bool MarkWarningShown() override;
  void RemoveStoredData() override;

 private:
  // Writes the store; a failure goes to standard error.
  void Save();

  SettingsStore store_;
};

}  // namespace norvella
