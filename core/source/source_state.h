#pragma once

// State a load leaves behind for the window that owns it: the preview file
// path, whether the preview browser shows it yet, the window caption and the
// temporary files to delete at exit.

#include <string>
#include <string_view>
#include <vector>

namespace norvella {

// Every preview file the program wrote or will write; all are deleted when
// the program ends.
class TemporaryFiles {
 public:
  // Adds a path once; adding it again changes nothing.
  void Add(std::string path);
  // Takes a path off the list (once its file has been deleted).
  void Remove(std::string_view path);
  const std::vector<std::string>& Paths() const { return paths_; }
  // Deletes every listed file, ignoring files that are gone or cannot be
  // deleted, and empties the list.
  void DeleteAll();

 private:
  std::vector<std::string> paths_;
};

struct SourceState {
  std::string previewPath;  // empty until one is set
  bool previewNavigated = false;
  std::string caption = "Norvella - no file";
  TemporaryFiles temporaryFiles;
};

// The preview file of a source: its folder, "$~$~tmp_", its name and
// ".html"; empty when the file name has no folder part.
std::string PreviewPathFor(std::string_view fileName);

// The file name without its folder.
std::string_view BaseName(std::string_view fileName);

}  // namespace norvella
