// Golden conversions: each file in the golden folder holds the command-line
// arguments, an input text (the opening of a corpus book) and the expected
// working list as `norvella-convert --lines` prints it. Files are UTF-8 for
// reading; the input is converted to Windows-1251 before the run.
//
//   args: --style fixed
//   ==== input ====
//   ...
//   ==== expected ====
//   ...
//
// Run with NORVELLA_UPDATE_GOLDEN=1 to rewrite the expected parts; read
// every change before committing it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/convert_command.h"
#include "core/base/cp1251.h"
#include "core/base/file_io.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kInputMark = "==== input ====\n";
constexpr std::string_view kExpectedMark = "==== expected ====\n";

struct Golden {
  std::vector<std::string> args;
  std::string input;     // UTF-8
  std::string expected;  // UTF-8
};

std::vector<std::string> SplitArgs(std::string_view line) {
  std::vector<std::string> out;
  std::istringstream in{std::string(line)};
  for (std::string word; in >> word;) out.push_back(word);
  return out;
}

bool ParseGolden(const std::string& text, Golden& g) {
  const auto input = text.find(kInputMark);
  const auto expected = text.find(kExpectedMark);
  if (!text.starts_with("args:") || input == std::string::npos || expected == std::string::npos)
    return false;
  g.args = SplitArgs(std::string_view(text).substr(5, text.find('\n') - 5));
  const auto inputStart = input + kInputMark.size();
  g.input = text.substr(inputStart, expected - inputStart);
  g.expected = text.substr(expected + kExpectedMark.size());
  return true;
}

class GoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, ConvertsAsExpected) {
  const std::string path = GetParam();
  std::string text;
  ASSERT_TRUE(ReadWholeFile(path, text).ok());
  Golden g;
  ASSERT_TRUE(ParseGolden(text, g)) << path << " is not a golden file";

  std::string input;
  ASSERT_TRUE(Utf8ToCp1251(g.input, input));
  // Golden inputs are stored with LF; the corpus books use CR LF.
  std::string crlf;
  for (const char c : input) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  const fs::path dir = fs::temp_directory_path() / ("norvella-golden-" + fs::path(path).stem().string());
  fs::create_directories(dir);
  const std::string inPath = (dir / (fs::path(path).stem().string() + ".txt")).string();
  ASSERT_TRUE(WriteFileAtomically(inPath, crlf).ok());

  std::vector<std::string> args = {"-q", "--lines", "-o", "-"};
  args.insert(args.end(), g.args.begin(), g.args.end());
  args.push_back(inPath);
  std::ostringstream out, err;
  ASSERT_EQ(RunConvertCommand(args, out, err, false), 0) << err.str();
  fs::remove_all(dir);
  const std::string actual = Cp1251ToUtf8(out.str());

  if (std::getenv("NORVELLA_UPDATE_GOLDEN") != nullptr) {
    const std::string updated = text.substr(0, text.find(kExpectedMark) + kExpectedMark.size()) + actual;
    ASSERT_TRUE(WriteFileAtomically(path, updated).ok());
    return;
  }
  EXPECT_EQ(actual, g.expected) << "golden " << path;
}

std::vector<std::string> GoldenFiles() {
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator(NORVELLA_GOLDEN_DIR))
    if (e.path().extension() == ".golden") files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

INSTANTIATE_TEST_SUITE_P(Corpus, GoldenTest, ::testing::ValuesIn(GoldenFiles()),
                         [](const auto& test_param) {
                           std::string name = fs::path(test_param.param).stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace norvella
