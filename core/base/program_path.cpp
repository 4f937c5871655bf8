#include "core/base/program_path.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace norvella {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr)
    return found->pw_dir;
  return "/";
}

}  // namespace

std::string RunningExecutablePath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t got = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (got < 0) return {};
    if (static_cast<std::size_t>(got) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(got));
    buffer.resize(buffer.size() * 2);
  }
}

std::string TemporaryFolder() {
  std::string folder = Environment("TMPDIR");
  if (folder.empty() || folder.front() != '/' || folder.size() > 1000) return "/tmp/";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string UserConfigFolder() {
  std::string folder = Environment("XDG_CONFIG_HOME");
  if (folder.empty() || folder.front() != '/') {
    folder = HomeFolder();
    if (folder.back() != '/') folder += '/';
    folder += ".config";
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace norvella
