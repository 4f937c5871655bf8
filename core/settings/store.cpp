#include "core/settings/store.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "core/base/program_path.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;

// A name beside the store for a file that could not be parsed: ".bad", or
// ".2.bad", ".3.bad", ... when earlier broken files are still kept there.
std::string BadFileName(const std::string& path) {
  std::string candidate = path + ".bad";
  std::error_code ec;
  for (int n = 2; fs::exists(candidate, ec) && n < 1000; ++n)
    candidate = path + "." + std::to_string(n) + ".bad";
  return candidate;
}

}  // namespace

std::string DefaultStorePath() { return UserConfigFolder() + "/norvella/registry.reg"; }

SettingsStore::LoadResult SettingsStore::Load() {
  LoadResult result;
  registry_ = Registry();
  mayOverwrite_ = true;

  std::error_code statusError;
  if (fs::symlink_status(path_, statusError).type() == fs::file_type::not_found)
    return result;  // first start: nothing stored yet
  std::string bytes;
  const FileResult read = ReadWholeFile(path_, bytes);
  if (!read.ok()) {
    mayOverwrite_ = false;
    result.warning = "cannot read the settings " + read.error().reason + "; using the defaults, and the settings will not be saved";
    return result;
  }

  const RegFileContents contents = ParseRegFile(bytes);
  if (!contents.ok) {
    const std::string aside = BadFileName(path_);
    std::error_code ec;
    fs::rename(path_, aside, ec);
    if (ec) {
      mayOverwrite_ = false;
      result.warning = "the settings file " + path_ + " is damaged (" + contents.error +
                       ") and cannot be moved aside (" + ec.message() +
                       "); using the defaults, and the settings will not be saved";
    } else {
      result.warning = "the settings file " + path_ + " is damaged (" + contents.error +
                       "); it was kept as " + aside + " and the defaults are used";
    }
    return result;
  }
  ApplyRegFile(contents, registry_);
  result.found = true;
  return result;
}

FileResult SettingsStore::Save() const {
  if (!mayOverwrite_)
    return Error{{}, path_ + ": not saved, because the file there could not be read"};
  if (registry_.Empty()) {
    if (::unlink(path_.c_str()) != 0 && errno != ENOENT) return Error{{}, path_ + ": " + std::strerror(errno)};
    return {};
  }
  const fs::path folder = fs::path(path_).parent_path();
  if (!folder.empty()) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return Error{{}, folder.string() + ": " + ec.message()};
  }
  return WriteFileAtomically(path_, WriteRegFile(registry_));
}

RegFileContents SettingsStore::Import(std::string_view fileBytes) {
  RegFileContents contents = ParseRegFile(fileBytes);
  if (contents.ok) ApplyRegFile(contents, registry_);
  return contents;
}

}  // namespace norvella
