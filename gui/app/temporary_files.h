#pragma once

// The files the program writes for its own use (preview documents); all of
// them are deleted when the program ends.

#include <string>
#include <vector>

namespace norvella {

class WindowTemporaryFiles {
 public:
  WindowTemporaryFiles() = default;
  WindowTemporaryFiles(const WindowTemporaryFiles&) = delete;
  WindowTemporaryFiles& operator=(const WindowTemporaryFiles&) = delete;
  ~WindowTemporaryFiles() { DeleteAll(); }

  // Remembers a path once, however often it is added.
  void Add(const std::string& path);
  const std::vector<std::string>& Paths() const { return paths_; }
  // Deletes every remembered file that exists; failures are ignored.
  void DeleteAll();

 private:
  std::vector<std::string> paths_;
};

}  // namespace norvella
