#pragma once

// While it lives, no file of this process may grow past `bytes`: a write
// beyond it fails with EFBIG (SIGXFSZ is ignored), as on a full disk. Used
// to break a save in the middle and look at what it left.

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace norvella::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::size_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old_;
    small.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  struct rlimit old_ {};
  void (*previous_)(int) = SIG_DFL;
};

}  // namespace norvella::test
