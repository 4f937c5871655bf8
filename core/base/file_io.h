#pragma once

// File access with the system's error text, and safe replacement of files.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/base/result.h"

namespace norvella {

// Success, or an Error whose reason is the system's text with the file name
// (the message is left empty: the caller knows what it was doing).
using FileResult = Result<void>;

// Reads a whole file as bytes.
FileResult ReadWholeFile(const std::string& path, std::string& contents);

// A file open for reading, closed when it goes out of scope, for callers
// that look at its size before they read it.
class InputFile {
 public:
  // Opens the file; a folder is refused with EISDIR.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Whether it opened, or why not.
  const FileResult& Opened() const { return opened_; }
  // The size the file system reports (0 for pipes and the like).
  std::size_t Size() const { return size_; }
  // Reads what is left of the file.
  FileResult ReadAll(std::string& contents);

 private:
  std::string path_;
  int fd_ = -1;
  std::size_t size_ = 0;
  FileResult opened_;
};

// Writes the data to a temporary file in the target's folder, flushes it and
// renames it over the target, so a failure at any point leaves the old file
// as it was and no partial file behind.
FileResult WriteFileAtomically(const std::string& path, std::string_view data);

// Creates an empty file of that name, only when nothing of that name exists
// (not even a dangling symbolic link), so that no other file is ever taken
// over. `existed` tells a name already in use from other failures.
FileResult CreateNewFile(const std::string& path, bool* existed = nullptr);

}  // namespace norvella
