#pragma once

// A fixture with a folder of its own for each test, removed afterwards.
// The folder and the files written into it are readable by everyone, so a
// test may also look at them from an unprivileged child process; a test
// that takes the owner's rights away gets them back before the removal.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/base/file_io.h"

namespace norvella::test {

class ScratchFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    dir_ = fs::temp_directory_path() / ("norvella-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  }
  void TearDown() override {
    namespace fs = std::filesystem;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  // Writes a file into the folder, readable by everyone; returns its path.
  std::string Write(const std::string& name, const std::string& data) {
    namespace fs = std::filesystem;
    const std::string path = (dir_ / name).string();
    EXPECT_TRUE(WriteFileAtomically(path, data).ok());
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    return path;
  }

  std::filesystem::path dir_;
};

}  // namespace norvella::test
