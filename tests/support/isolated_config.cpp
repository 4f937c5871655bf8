// Every test run gets its own empty configuration and temporary folders, set
// before any test starts, so no test reads or writes the real user's
// settings store.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

class IsolatedConfig {
 public:
  IsolatedConfig() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "norvella-test-home-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    ::setenv("HOME", folder_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
  }
  ~IsolatedConfig() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

 private:
  std::string folder_;
};

const IsolatedConfig isolatedConfig;

}  // namespace
