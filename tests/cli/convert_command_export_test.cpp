#include <gtest/gtest.h>

#include <sstream>

#include "cli/convert_command.h"
#include "core/base/file_io.h"
#include "tests/core/export/export_support.h"
#include "tests/support/scratch_folder.h"

namespace norvella {
namespace {

class ConvertCommandExport : public test::ScratchFolderTest {
 protected:
  int Run(std::vector<std::string> args) {
    out_.str({});
    err_.str({});
    return RunConvertCommand(args, out_, err_, false);
  }
  std::string Read(const std::string& name) {
    std::string data;
    EXPECT_TRUE(ReadWholeFile((dir_ / name).string(), data).ok()) << name;
    return data;
  }
  std::string Book() const {
    // A header between blank lines, a long paragraph with long words.
    std::string text = "\r\n\r\nChapter\r\n\r\n";
    for (int i = 0; i < 40; ++i) text += "Extraordinarily considerable circumstances happened. ";
    return text + "\r\n";
  }
  std::ostringstream out_, err_;
};

TEST_F(ConvertCommandExport, FormatChoosesTheWriterAndTheExtension) {
  const std::string input = Write("book.txt", Book());
  ASSERT_EQ(Run({"-q", "--no-settings", "--format", "epub", "--title", "Tom & \"Jerry\"", input}), 0) << err_.str();
  const std::vector<test::ArchiveEntry> epub = test::ReadArchive(Read("book.epub"));
  ASSERT_FALSE(epub.empty());
  EXPECT_EQ(epub[0].name, "mimetype");
  EXPECT_NE(test::FindEntry(epub, "OEBPS/content.opf")->data.find("<dc:title>Tom &amp; \"Jerry\"</dc:title>"),
            std::string::npos);

  ASSERT_EQ(Run({"-q", "--no-settings", "--format", "fb2", input}), 0) << err_.str();
  const std::string fb2 = Read("book.fb2");
  EXPECT_TRUE(test::WellFormedXml(fb2));
  EXPECT_NE(fb2.find("<p>Chapter</p>"), std::string::npos);

  ASSERT_EQ(Run({"-q", "--no-settings", "--format", "html", input}), 0);
  EXPECT_NE(Read("book.html").find("<meta name=\"Generator\" content=\"Norvella\">"), std::string::npos);

  EXPECT_EQ(Run({"--format", "pdf", input}), 2);
  EXPECT_NE(err_.str().find("unknown format \"pdf\""), std::string::npos);
}

TEST_F(ConvertCommandExport, BooksCarryNoDeviceHyphenation) {
  const std::string input = Write("book.txt", Book());
  ASSERT_EQ(Run({"-q", "--no-settings", "--format", "fb2", "-o", (dir_ / "plain.fb2").string(), input}), 0);
  ASSERT_EQ(Run({"-q", "--no-settings", "--set", "Hyphenate=on", "--format", "fb2", "-o",
                 (dir_ / "hyph.fb2").string(), input}),
            0);
  EXPECT_EQ(Read("hyph.fb2"), Read("plain.fb2"));
  // The HTML document of the same settings is hyphenated for the device.
  ASSERT_EQ(Run({"-q", "--no-settings", "--set", "Hyphenate=on", "-o", (dir_ / "hyph.html").string(), input}), 0);
  ASSERT_EQ(Run({"-q", "--no-settings", "-o", (dir_ / "plain.html").string(), input}), 0);
  EXPECT_NE(Read("hyph.html"), Read("plain.html"));
}

TEST_F(ConvertCommandExport, CoverPictureNextToTheInput) {
  const std::string input = Write("book.txt", Book());
  Write("cover.png", std::string("\x89PNG\r\n\x1a\n", 8) + "pixels");
  ASSERT_EQ(Run({"-q", "--no-settings", "--format", "fb2", "--cover", "cover.png", input}), 0) << err_.str();
  EXPECT_NE(Read("book.fb2").find("<binary id=\"cover.png\" content-type=\"image/png\">"), std::string::npos);

  // A cover that cannot be used is left out with a warning; the book is written.
  ASSERT_EQ(Run({"-q", "--no-settings", "--format", "epub", "--cover", "missing.png", input}), 0);
  EXPECT_NE(err_.str().find("warning: the cover picture was left out"), std::string::npos) << err_.str();
  EXPECT_EQ(test::FindEntry(test::ReadArchive(Read("book.epub")), "OEBPS/cover.png"), nullptr);
}

}  // namespace
}  // namespace norvella
