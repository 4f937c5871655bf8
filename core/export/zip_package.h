#pragma once

// Packs files into a ZIP archive in memory.

#include <ctime>
#include <string>
#include <vector>

namespace norvella {

struct ZipEntry {
  std::string path;
  std::string data;
  bool compress = true;
};

struct ZipResult {
  bool ok = false;
  std::string bytes;  // the archive
  std::string error;
};

// The archive of the entries in their order, every entry dated `mtime`.
ZipResult PackZip(const std::vector<ZipEntry>& entries, std::time_t mtime);

}  // namespace norvella
