#pragma once

// File access with the system's error text, and safe replacement of files.

#include <string>
#include <string_view>

namespace norvella {

struct FileResult {
  bool ok = false;
  std::string error;  // the system's reason, with the file name, when !ok
};

// Reads a whole file as bytes.
FileResult ReadWholeFile(const std::string& path, std::string& contents);

// Writes the data to a temporary file in the target's folder, flushes it and
// renames it over the target, so a failure at any point leaves the old file
// as it was and no partial file behind.
FileResult WriteFileAtomically(const std::string& path, std::string_view data);

}  // namespace norvella
