#include "core/reader/snapshot.h"

#include <algorithm>

#include "core/base/file_io.h"

namespace norvella {
namespace {

// Names grow by four characters a try; a folder that holds this many
// copies (or a name the file system finds too long) ends the search.
constexpr int kMostStems = 48;

}  // namespace

std::string FolderOf(std::string_view path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string SnapshotName(std::string_view documentPath, int count) {
  std::string name = FolderOf(documentPath);
  for (int i = 0; i < std::max(1, count); ++i) name += kSnapshotStem;
  name += kSnapshotExtension;
  return name;
}

Result<std::string> ReserveSnapshotFile(std::string_view documentPath) {
  FileResult last;
  for (int count = 1; count <= kMostStems; ++count) {
    const std::string name = SnapshotName(documentPath, count);
    bool existed = false;
    last = CreateNewFile(name, &existed);
    if (last.ok()) return name;
    if (!existed) break;
  }
  return last.error();
}

}  // namespace norvella
