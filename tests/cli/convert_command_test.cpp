#include "cli/convert_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/base/file_io.h"
#include "core/i18n/templates.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;

class ConvertCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("norvella-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& data) {
    const std::string path = (dir_ / name).string();
    EXPECT_TRUE(WriteFileAtomically(path, data).ok);
    return path;
  }
  int Run(std::vector<std::string> args) {
    out_.str({});
    err_.str({});
    return RunConvertCommand(args, out_, err_, false);
  }
  std::string Read(const std::string& path) {
    std::string data;
    EXPECT_TRUE(ReadWholeFile(path, data).ok) << path;
    return data;
  }

  fs::path dir_;
  std::ostringstream out_, err_;
};

TEST_F(ConvertCommand, WritesBesideTheInputAndNeverOverTheSource) {
  const std::string txt = Write("book.txt", "Hello\r\n");
  EXPECT_EQ(Run({"-q", txt}), 0) << err_.str();
  const std::string html = Read((dir_ / "book.html").string());
  EXPECT_EQ(html.rfind(CreditFooter() + "</body></html>\r\n"), html.size() - CreditFooter().size() - 16);

  const std::string source = Write("page.html", "<p>x</p>");
  EXPECT_EQ(Run({"-q", source}), 0);
  EXPECT_EQ(Read(source), "<p>x</p>");
  EXPECT_TRUE(fs::exists(dir_ / "page.html.converted.html"));
}

TEST_F(ConvertCommand, LinesListingEscapesLineFeedsAndBackslashes) {
  const std::string in = Write("c.txt", "<!-- a\\b\r\nc -->\r\n");
  EXPECT_EQ(Run({"-q", "--lines", "-o", "-", in}), 0);
  EXPECT_NE(out_.str().find("101\t<!-- a\\\\b\\nc -->\n"), std::string::npos) << out_.str();
  EXPECT_EQ(out_.str().rfind("100\t</body></html>\n"), out_.str().size() - 19);
}

TEST_F(ConvertCommand, OptionsAndPropertiesApply) {
  const std::string in = Write("p.txt", "<img src=x.png>\r\ntext\r\n");
  EXPECT_EQ(Run({"-q", "--lines", "-o", "-", "--set", "KillGraph=off", "--title", "T", "--author",
                 "A", "--comment", "C", in}),
            0);
  const std::string out = out_.str();
  EXPECT_NE(out.find("<img src=x.png>"), std::string::npos);
  EXPECT_NE(out.find("<meta name=\"author\" content=\"A\">"), std::string::npos);
  EXPECT_NE(out.find("<title>A T</title>"), std::string::npos);
  EXPECT_NE(out.find("<div align=\"center\">C</div>"), std::string::npos);
}

TEST_F(ConvertCommand, BadUsageExitsTwo) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"--style", "odd", "x"}), 2);
  EXPECT_EQ(Run({"--bogus", "x"}), 2);
  const std::string in = Write("u.txt", "x");
  EXPECT_EQ(Run({"--set", "Nope=1", in}), 2);
  EXPECT_NE(err_.str().find("unknown option \"Nope\""), std::string::npos);
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out_.str().find("Usage: norvella-convert"), std::string::npos);
}

TEST_F(ConvertCommand, MissingInputOrUnwritableOutputExitsOneWritingNothing) {
  EXPECT_EQ(Run({(dir_ / "missing.txt").string()}), 1);
  EXPECT_NE(err_.str().find("missing.txt: No such file or directory"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "missing.html"));

  const std::string in = Write("ok.txt", "x");
  EXPECT_EQ(Run({"-q", "-o", (dir_ / "nodir" / "out.html").string(), in}), 1);
  EXPECT_NE(err_.str().find("cannot write"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "nodir"));
}

}  // namespace
}  // namespace norvella
