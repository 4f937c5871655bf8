#pragma once

// The user's settings store on disk: one registry export file per user,
// read whole at start and written whole, atomically, when saved.

#include <string>
#include <string_view>

#include "core/base/file_io.h"
#include "core/settings/reg_file.h"
#include "core/settings/registry.h"

namespace norvella {

// $XDG_CONFIG_HOME/norvella/registry.reg (~/.config/norvella/registry.reg
// when the variable is unset or not an absolute path).
std::string DefaultStorePath();

class SettingsStore {
 public:
  explicit SettingsStore(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  Registry& Keys() { return registry_; }
  const Registry& Keys() const { return registry_; }

  struct LoadResult {
    bool found = false;   // the file existed and was read into the store
    std::string warning;  // one line for the user when something went wrong
  };

  // Reads the file into the store. A missing file gives an empty store (the
  // first start). A file that cannot be parsed is renamed aside with a
  // ".bad" suffix and the store starts empty. A file that cannot be read (or
  // a broken one that cannot be moved aside) also leaves the store empty,
  // and Save then refuses to write over it, so no stored data is lost.
  LoadResult Load();

  // Writes the store: creates the folder when needed, writes a temporary
  // file and renames it into place. An empty store removes the file.
  FileResult Save() const;

  // Merges a registry export file (ANSI, UTF-8 or UTF-16 with byte-order
  // mark) into the store; nothing changes when the file has a fault.
  // Returns the parse result with the error or the counts.
  RegFileContents Import(std::string_view fileBytes);

 private:
  std::string path_;
  Registry registry_;
  bool mayOverwrite_ = true;
};

}  // namespace norvella
