#include "cli/convert_command.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include <filesystem>
#include <sstream>

#include "core/base/file_io.h"
#include "core/i18n/templates.h"
#include "core/settings/settings_io.h"
#include "core/settings/store.h"
#include "tests/support/file_size_limit.h"

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
  int Run(std::vector<std::string> args, bool progress = false) {
    out_.str({});
    err_.str({});
    return RunConvertCommand(args, out_, err_, progress);
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

// Whatever a run throws becomes a message and exit code 3, never a crash.
TEST(RunReportingFailures, TurnsEveryThrowIntoAMessageAndExitThree) {
  const std::function<int()> throwing[] = {
      [] () -> int { throw std::bad_alloc(); },
      [] () -> int { throw std::runtime_error("stage broke"); },
      [] () -> int { throw 42; },
  };
  const char* said[] = {"out of memory", "internal error: stage broke", "internal error"};
  for (std::size_t k = 0; k < std::size(throwing); ++k) {
    std::ostringstream err;
    EXPECT_EQ(RunReportingFailures(throwing[k], err), 3);
    EXPECT_NE(err.str().find(said[k]), std::string::npos) << err.str();
  }
  std::ostringstream quiet;
  EXPECT_EQ(RunReportingFailures([] { return 1; }, quiet), 1);
  EXPECT_TRUE(quiet.str().empty());
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

TEST_F(ConvertCommand, AnOutputThatCannotBeWrittenInFullKeepsTheOldDocument) {
  const std::string in = Write("book.txt", std::string(50000, 'a') + "\r\n");
  const fs::path out = dir_ / "book.html";
  ASSERT_EQ(Run({"-q", in}), 0);
  std::string before;
  ASSERT_TRUE(ReadWholeFile(out.string(), before).ok);
  Write("book.txt", std::string(200000, 'b') + "\r\n");
  int code = 0;
  {
    test::FileSizeLimit limit(before.size() + 1000);
    code = Run({"-q", in});
  }
  EXPECT_EQ(code, 1);
  EXPECT_NE(err_.str().find("book.html"), std::string::npos);
  std::string after;
  ASSERT_TRUE(ReadWholeFile(out.string(), after).ok);
  EXPECT_EQ(after, before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

// The user's store for these tests lies in the test run's own config folder
// (tests/support/isolated_config.cpp), never in the real one.
class ConvertWithStore : public ConvertCommand {
 protected:
  void SetUp() override {
    ConvertCommand::SetUp();
    fs::remove_all(fs::path(DefaultStorePath()).parent_path());
  }
  void TearDown() override {
    fs::remove_all(fs::path(DefaultStorePath()).parent_path());
    ConvertCommand::TearDown();
  }
};

constexpr const char* kSettingsHeader =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Marn Soft\\Norvella\\1.00";

TEST_F(ConvertWithStore, TheUsersStoreAppliesUnlessToldOtherwise) {
  SettingsStore store(DefaultStorePath());
  Options stored;
  stored.SetFlag(Opt::KillGraph, false);
  SaveSettings(store.Keys(), stored, {});
  ASSERT_TRUE(store.Save().ok);
  const std::string in = Write("p.txt", "<img src=x.png>\r\ntext\r\n");
  EXPECT_EQ(Run({"-q", "--lines", "-o", "-", in}), 0) << err_.str();
  EXPECT_NE(out_.str().find("<img src=x.png>"), std::string::npos);
  EXPECT_EQ(Run({"-q", "--lines", "-o", "-", "--no-settings", in}), 0);
  EXPECT_EQ(out_.str().find("<img src=x.png>"), std::string::npos);
  // --set goes over the stored value.
  EXPECT_EQ(Run({"-q", "--lines", "-o", "-", "--set", "KillGraph=on", in}), 0);
  EXPECT_EQ(out_.str().find("<img src=x.png>"), std::string::npos);

  const std::string other = Write("other.reg", std::string(kSettingsHeader) +
                                                   "]\r\n\"KillLinks\"=dword:1\r\n\"KillGraph\"=dword:00000001\r\n");
  EXPECT_EQ(Run({"-q", "--lines", "-o", "-", "--settings", other, in}), 0);
  EXPECT_EQ(out_.str().find("<img src=x.png>"), std::string::npos);
  EXPECT_EQ(Run({"-q", "--settings", (dir_ / "none.reg").string(), in}), 1);
  EXPECT_NE(err_.str().find("none.reg: No such file"), std::string::npos);
  EXPECT_EQ(Run({"--no-settings", "--import", other}), 2);
}

TEST_F(ConvertWithStore, ImportedLocalisationAndSkinChangeTheOutput) {
  // An ANSI localisation of the old format and a UTF-16 skin, as exported.
  const std::string localisation = Write(
      "ru.reg", std::string("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Marn Soft\\Norvella\\1.00\\interface]\r\n"
                            "\"target\"=dword:00000206\r\n\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Marn Soft\\Norvella\\1.00\\interface\\processes]\r\n"
                            "\"SimplyfyHTML\"=\"\xD3\xEF\xF0\xEE\xF9\xE5\xED\xE8\xE5 HTML\"\r\n"));
  std::string skinText =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Marn Soft\\Norvella\\1.00\\html]\r\n"
      "\"Header\"=\"<html><head><meta name=\\\"Generator\\\" content=\\\"Norvella\\\"><meta name=\\\"skin\\\" "
      "content=\\\"%norvellapath%\\\">\"\r\n";
  std::string skin16 = "\xFF\xFE";
  for (const char c : skinText) skin16 += std::string{c, '\0'};
  const std::string skin = Write("skin.reg", skin16);

  EXPECT_EQ(Run({"--import", localisation, "--import", skin}), 0) << err_.str();
  EXPECT_NE(err_.str().find("ru.reg: imported 2 value(s)"), std::string::npos) << err_.str();
  EXPECT_TRUE(fs::exists(DefaultStorePath()));

  const std::string in = Write("b.txt", "text\r\n");
  EXPECT_EQ(Run({"-o", "-", in}, true), 0) << err_.str();
  // Progress texts reach the terminal in UTF-8.
  EXPECT_NE(err_.str().find("CurrentTask: \xD0\xA3\xD0\xBF\xD1\x80\xD0\xBE\xD1\x89\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5 HTML"),
            std::string::npos)
      << err_.str();
  const std::string document = out_.str();
  EXPECT_TRUE(document.starts_with("<html><head><meta name=\"Generator\" content=\"Norvella\"><meta name=\"skin\" content=\"/"))
      << document.substr(0, 200);
  EXPECT_EQ(document.find("%norvellapath%"), std::string::npos);
}

TEST_F(ConvertWithStore, OldLocalisationsWarnAndBadImportsChangeNothing) {
  const std::string old = Write(
      "old.reg", std::string(kSettingsHeader) + "\\interface]\r\n\"target\"=dword:00000205\r\n"
                 "[HKEY_CURRENT_USER\\Software\\Marn Soft\\Norvella\\1.00\\interface\\processes]\r\n"
                 "\"Ready\"=\"Fertig\"\r\n[HKEY_LOCAL_MACHINE\\Software\\X]\r\n\"a\"=\"\xE2\x86\x92\"\r\n");
  EXPECT_EQ(Run({"--import", old}), 0) << err_.str();
  EXPECT_NE(err_.str().find("skipped 1 key(s) outside HKEY_CURRENT_USER"), std::string::npos) << err_.str();
  const std::string in = Write("b.txt", "text\r\n");
  EXPECT_EQ(Run({"-q", "-o", "-", in}), 0);
  EXPECT_NE(err_.str().find("created for build [517]"), std::string::npos) << err_.str();

  const std::string before = [&] {
    std::string data;
    EXPECT_TRUE(ReadWholeFile(DefaultStorePath(), data).ok);
    return data;
  }();
  const std::string good = Write("good.reg", std::string(kSettingsHeader) + "]\r\n\"KillGraph\"=dword:0\r\n");
  const std::string bad = Write("bad.reg", std::string(kSettingsHeader) + "]\r\n\"KillLinks\"=dword:xyz\r\n");
  EXPECT_EQ(Run({"--import", good, "--import", bad}), 1);
  EXPECT_NE(err_.str().find("bad.reg: line 4:"), std::string::npos) << err_.str();
  std::string after;
  ASSERT_TRUE(ReadWholeFile(DefaultStorePath(), after).ok);
  EXPECT_EQ(after, before);

  // A damaged store is set aside with one warning, and the run goes on with the defaults.
  ASSERT_TRUE(WriteFileAtomically(DefaultStorePath(), "not a registry file").ok);
  EXPECT_EQ(Run({"-q", "-o", "-", in}), 0);
  EXPECT_NE(err_.str().find("warning: the settings file"), std::string::npos) << err_.str();
  EXPECT_TRUE(fs::exists(DefaultStorePath() + ".bad"));
}

}  // namespace
}  // namespace norvella
