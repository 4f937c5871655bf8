// The command line loads through the source loader: encodings, produced
// documents and bad input.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "cli/convert_command.h"
#include "core/base/file_io.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/unprivileged.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;

class ConvertCommandLoad : public test::ScratchFolderTest {
 protected:
  int Run(std::vector<std::string> args) {
    out_.str({});
    err_.str({});
    return RunConvertCommand(args, out_, err_, false);
  }
  std::string Converted(const std::string& input, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"-q", "-o", "-"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(input);
    EXPECT_EQ(Run(args), 0) << err_.str();
    return out_.str();
  }

  std::ostringstream out_, err_;
};

TEST_F(ConvertCommandLoad, EncodedCorpusBooksGiveTheDocumentOfTheirWindowsTwin) {
  const fs::path corpus = NORVELLA_CORPUS_DIR;
  if (!fs::is_directory(corpus))
    GTEST_SKIP() << "the corpus is not at " << corpus << "; configure with -DNORVELLA_CORPUS_DIR=<folder>";
  for (const auto& [encoded, windows] : {std::pair{"kapitanskaya-dochka.paragraphs.utf8.txt",
                                                   "kapitanskaya-dochka.paragraphs.cp1251.txt"},
                                         std::pair{"shinel.fixed.koi8r.txt", "shinel.fixed.cp1251.txt"},
                                         std::pair{"kashtanka.fixed.cp866.txt", "kashtanka.fixed.cp1251.txt"}}) {
    // Copies, so that the load's probe never writes into the shared corpus.
    fs::copy_file(corpus / encoded, dir_ / encoded);
    fs::copy_file(corpus / windows, dir_ / windows);
    const std::string expected = Converted((dir_ / windows).string());
    EXPECT_TRUE(Converted((dir_ / encoded).string()) == expected) << encoded << " differs from " << windows;
  }
}

TEST_F(ConvertCommandLoad, EncodingOptionForcesTheEncoding) {
  const std::string utf8 = Write("u.txt", "\xD0\x9F\xD1\x80\xD0\xB8 \xE2\x86\x92");  // При →
  EXPECT_NE(Converted(utf8).find("\xCF\xF0\xE8 &#8594;"), std::string::npos);
  EXPECT_NE(Converted(utf8, {"--encoding", "cp1251"}).find("\xD0\x9F\xD1\x80"), std::string::npos);
  EXPECT_NE(Converted(Write("d.txt", "\x8F\xE0\xA8"), {"--encoding", "cp866"}).find("\xCF\xF0\xE8"),
            std::string::npos);
  EXPECT_NE(Converted(Write("k.txt", "\xF0\xD2\xC9"), {"--encoding", "koi8r"}).find("\xCF\xF0\xE8"),
            std::string::npos);
  EXPECT_EQ(Run({"--encoding", "latin1", utf8}), 2);
  EXPECT_NE(err_.str().find("unknown encoding \"latin1\""), std::string::npos);
}

TEST_F(ConvertCommandLoad, AProducedDocumentIsConvertedAgainWithANote) {
  const std::string first = Write("book.txt", "Some text\r\n");
  ASSERT_EQ(Run({"-q", first}), 0);
  const std::string again = (dir_ / "book.html").string();
  EXPECT_EQ(Run({"-q", "-o", (dir_ / "again.html").string(), again}), 0) << err_.str();
  EXPECT_NE(err_.str().find("book.html was produced by Norvella; converting it again"), std::string::npos);
  std::string twice;
  ASSERT_TRUE(ReadWholeFile((dir_ / "again.html").string(), twice).ok());
  EXPECT_EQ(twice.find("This text was formated"), twice.rfind("This text was formated"));  // one footer
}

TEST_F(ConvertCommandLoad, BadInputGetsAMessageOrASoundConversionNeverAPartialOutput) {
  EXPECT_EQ(Run({"-q", Write("empty.txt", "")}), 1);
  EXPECT_NE(err_.str().find("empty.txt: the file holds no text"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "empty.html"));

  fs::create_directories(dir_ / "folder.txt");
  EXPECT_EQ(Run({"-q", (dir_ / "folder.txt").string()}), 1);
  EXPECT_NE(err_.str().find("folder.txt: Is a directory"), std::string::npos);

  std::mt19937 random(5);
  std::string binary;
  for (int k = 0; k < 20000; ++k) binary += static_cast<char>(random() & 0xFF);
  // Bytes that cannot be a text are refused unless --force says otherwise,
  // and then they convert soundly.
  const std::string bin = Write("binary.bin", binary);
  EXPECT_EQ(Run({"-q", bin}), 1);
  EXPECT_NE(err_.str().find("binary.bin does not look like a text or HTML file"), std::string::npos) << err_.str();
  EXPECT_FALSE(fs::exists(dir_ / "binary.html"));
  EXPECT_EQ(Run({"-q", "--force", bin}), 0) << err_.str();
  EXPECT_TRUE(fs::exists(dir_ / "binary.html"));
  EXPECT_EQ(Run({"-q", "-o", "-", Write("nul.txt", std::string("a\0b\r\nc\0", 7))}), 1);
  EXPECT_NE(Converted(Write("nul.txt", std::string("a\0b\r\nc\0", 7)), {"--force"}).find(std::string("a\0b", 3)),
            std::string::npos);

  const std::string book = Write("book.txt", "x");
  fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::remove);
  const int code = test::RunUnprivileged([&] {
    const int exit = Run({"-q", "-o", "-", book});
    return exit == 1 && err_.str().find("book.txt: Unable to work with read-only folder") != std::string::npos
               ? 0
               : 1;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 6);
}

}  // namespace
}  // namespace norvella
