#include "core/source/source_state.h"

#include <algorithm>
#include <cstdio>

namespace norvella {

void TemporaryFiles::Add(std::string path) {
  if (std::find(paths_.begin(), paths_.end(), path) == paths_.end()) paths_.push_back(std::move(path));
}

void TemporaryFiles::Remove(std::string_view path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

void TemporaryFiles::DeleteAll() {
  for (const std::string& path : paths_) std::remove(path.c_str());
  paths_.clear();
}

std::string_view BaseName(std::string_view fileName) {
  const auto slash = fileName.find_last_of('/');
  return slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
}

std::string PreviewPathFor(std::string_view fileName) {
  const auto slash = fileName.find_last_of('/');
  if (slash == std::string_view::npos) return {};
  std::string path(fileName.substr(0, slash + 1));
  path += "$~$~tmp_";
  path += fileName.substr(slash + 1);
  path += ".html";
  return path;
}

}  // namespace norvella
