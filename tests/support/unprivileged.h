#pragma once

// Runs a check as a user without the rights of root, so that tests of
// read-only folders and unreadable files hold also when the suite runs as
// root (who may write and read anything).

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace norvella::test {

// The check's result: run directly, or, under root, in a child process that
// first becomes the user "nobody" (99 when that fails, 98 when it crashed).
inline int RunUnprivileged(const std::function<int()>& check) {
  if (::geteuid() != 0) return check();
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    ::_exit(check());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

}  // namespace norvella::test
