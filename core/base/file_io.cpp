#include "core/base/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace norvella {
namespace {

FileResult Failure(const std::string& path, int err) {
  return Error{{}, path + ": " + std::strerror(err)};
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

InputFile::InputFile(const std::string& path)
    : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
  if (fd_ < 0) {
    opened_ = Failure(path_, errno);
    return;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    opened_ = Failure(path_, errno);
    return;
  }
  if (S_ISDIR(st.st_mode)) {
    opened_ = Failure(path_, EISDIR);
    return;
  }
  size_ = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : std::size_t{0};
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

FileResult InputFile::ReadAll(std::string& contents) {
  contents.clear();
  if (!opened_.ok()) return opened_;
  if (size_ > 0) contents.reserve(size_);
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Failure(path_, errno);
    }
    if (got == 0) return {};
    contents.append(buffer, static_cast<std::size_t>(got));
  }
}

FileResult ReadWholeFile(const std::string& path, std::string& contents) {
  contents.clear();
  InputFile file(path);
  if (!file.Opened().ok()) return file.Opened();
  return file.ReadAll(contents);
}

FileResult WriteFileAtomically(const std::string& path, std::string_view data) {
  const auto slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  // The temporary name adds eight characters to the file's; a name near
  // the longest a folder allows is shortened for it.
  constexpr std::size_t kLongestKeptBase = 240;
  std::string temp = (slash == std::string::npos ? std::string() : folder) + "." +
                     base.substr(0, kLongestKeptBase) + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return Failure(path, errno);

  // Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
  struct stat old {};
  mode_t mode = 0;
  if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);

  if (!WriteAll(fd, data) || ::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    return Failure(path, err);
  }
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return Failure(path, err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return Failure(path, err);
  }
  return {};
}

FileResult CreateNewFile(const std::string& path, bool* existed) {
  if (existed != nullptr) *existed = false;
  // The system applies the umask to the mode.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int err = errno;
    if (existed != nullptr) *existed = err == EEXIST;
    return Failure(path, err);
  }
  ::close(fd);
  return {};
}

}  // namespace norvella
