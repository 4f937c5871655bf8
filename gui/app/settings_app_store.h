#pragma once

// The desktop program's store backed by the user's settings file: read
// whole when the program starts, written whole at exit, after the
// uninstall command, and when the missing-browser warning is first shown.

#include <string>

#include "core/settings/store.h"
#include "gui/convert/app_store.h"

namespace norvella {

class SettingsAppStore final : public AppStore {
 public:
  // Reads the file; a problem with it is reported on standard error and
  // the program goes on with an empty store.
  explicit SettingsAppStore(std::string path);

  Registry& Keys() override { return store_.Keys(); }
  const Registry& Keys() const override { return store_.Keys(); }

 protected:
  // Writes the store; a failure goes to standard error.
  void Persist() override;
  bool Persisted() const override { return persisted_; }

 private:
  SettingsStore store_;
  bool persisted_ = true;
};

}  // namespace norvella
