#pragma once

// The texts kept in tests/fixtures/encodings: one Russian passage saved in
// every encoding the loader knows, and a few short texts beside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/base/file_io.h"

namespace norvella::test {

inline const std::filesystem::path kEncodingFixtures =
    std::filesystem::path(NORVELLA_FIXTURES_DIR) / "encodings";

// The bytes of a fixture file; a failed read fails the test that asked.
inline std::string ReadFixture(const std::filesystem::path& path) {
  std::string data;
  EXPECT_TRUE(ReadWholeFile(path.string(), data).ok()) << path;
  return data;
}

}  // namespace norvella::test
