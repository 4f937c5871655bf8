#include "core/base/text.h"

#include <gtest/gtest.h>

#include "core/base/file_io.h"
#include "tests/support/file_size_limit.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>

namespace norvella {
namespace {

TEST(Text, Cp1251CaseIncludesCyrillicAndIo) {
  EXPECT_EQ(LowerCase("AbC\xC0\xDF\xA8"), "abc\xE0\xFF\xB8");
  EXPECT_EQ(UpperCase("abc\xE0\xFF\xB8"), "ABC\xC0\xDF\xA8");
}

TEST(Text, SplitLinesLikeATextList) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(JoinLines({"a", ""}), "a\r\n\r\n");
}

TEST(Text, RoundHalfEvenAndPercent) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(7.6923), 8);
  EXPECT_EQ(Percent(1, 8), 12);  // 12.5 to even
  EXPECT_EQ(Percent(3, 8), 38);  // 37.5 to even
  EXPECT_EQ(Percent(5, 0), 0);
}

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/norvella-test-XXXXXX";
    ASSERT_NE(::mkdtemp(name), nullptr);
    dir_ = name;
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0700);
    std::filesystem::remove_all(dir_);
  }
  // The number of files in the folder: a failed or finished write leaves
  // no temporary file behind.
  long Entries() const {
    return std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator());
  }
  std::string dir_;
};

TEST_F(TempDir, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
  const std::string path = dir_ + "/out.html";
  ASSERT_TRUE(WriteFileAtomically(path, "old").ok());
  ASSERT_TRUE(WriteFileAtomically(path, "new").ok());
  std::string back;
  ASSERT_TRUE(ReadWholeFile(path, back).ok());
  EXPECT_EQ(back, "new");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(TempDir, WriteFailingHalfwayKeepsTheOldFile) {
  const std::string path = dir_ + "/keep.txt";
  ASSERT_TRUE(WriteFileAtomically(path, "precious").ok());
  FileResult r;
  {
    // The write fails after the temporary file exists.
    test::FileSizeLimit limit(4096);
    r = WriteFileAtomically(path, std::string(100000, 'x'));
  }
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error().reason.find(path), std::string::npos);
  std::string back;
  ASSERT_TRUE(ReadWholeFile(path, back).ok());
  EXPECT_EQ(back, "precious");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(TempDir, TheLongestFileNameCanBeReplaced) {
  // The temporary name is longer than the file's; it must still be a
  // valid name when the file's own name is as long as names go.
  const std::string path = dir_ + "/" + std::string(251, 'n') + ".txt";
  ASSERT_TRUE(WriteFileAtomically(path, "old").ok());
  ASSERT_TRUE(WriteFileAtomically(path, "new").ok());
  std::string back;
  ASSERT_TRUE(ReadWholeFile(path, back).ok());
  EXPECT_EQ(back, "new");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(TempDir, WriteIntoAMissingFolderFails) {
  EXPECT_FALSE(WriteFileAtomically(dir_ + "/no/such/dir/x.html", "x").ok());
}

TEST_F(TempDir, ReadErrorsNameTheFile) {
  std::string data;
  const FileResult missing = ReadWholeFile(dir_ + "/none.txt", data);
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.error().reason.find("none.txt: No such file"), std::string::npos);
  EXPECT_FALSE(ReadWholeFile(dir_, data).ok());
}

}  // namespace
}  // namespace norvella
