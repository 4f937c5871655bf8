#include "gui/app/temporary_files.h"

#include <algorithm>
#include <cstdio>

namespace norvella {

void WindowTemporaryFiles::Add(const std::string& path) {
  if (path.empty() || std::find(paths_.begin(), paths_.end(), path) != paths_.end()) return;
  paths_.push_back(path);
}

void WindowTemporaryFiles::DeleteAll() {
  for (const std::string& path : paths_) std::remove(path.c_str());
  paths_.clear();
}

}  // namespace norvella
