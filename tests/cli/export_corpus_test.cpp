// Every corpus book exported through the command line passes the format's
// own validator: epubcheck for EPUB (no error and no warning), the
// FictionBook 2.1 schema for FB2. The validators are external programs; the
// test skips with a message when one is missing. Sources that load to the
// same text (one book in several encodings) give the same book, which is
// validated once.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <future>
#include <map>
#include <sstream>

#include "cli/convert_command.h"
#include "core/base/file_io.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = NORVELLA_CORPUS_DIR;
const fs::path kSchema = fs::path(NORVELLA_FORMATS_DIR) / "fb2" / "FictionBook.xsd";

struct Output {
  int status = -1;
  std::string text;
};

Output RunShell(const std::string& command) {
  Output out;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.text.append(buffer, n);
  out.status = ::pclose(pipe);
  return out;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

bool OnPath(const std::string& program) {
  return RunShell("command -v " + program + " >/dev/null").status == 0;
}

// How to run epubcheck here: the packaged jar through java, or the program.
std::string EpubcheckCommand() {
  const fs::path jar = "/usr/share/java/epubcheck.jar";
  if (fs::exists(jar) && OnPath("java")) return "java -XX:TieredStopAtLevel=1 -XX:+UseSerialGC -jar " + jar.string();
  if (OnPath("epubcheck") && RunShell("epubcheck --version").status == 0) return "epubcheck";
  return {};
}

class ExportCorpus : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(kCorpus)) GTEST_SKIP() << "the corpus is not at " << kCorpus;
    dir_ = fs::temp_directory_path() / ("norvella-export-corpus-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  // Exports every corpus book; returns one output per distinct book.
  std::vector<fs::path> ExportAll(const std::string& format) {
    std::map<std::string, fs::path> distinct;  // FB2 text of the book -> its output
    for (const fs::directory_entry& e : fs::directory_iterator(kCorpus)) {
      if (!e.is_regular_file() || e.path().extension() == ".md") continue;
      const fs::path out = dir_ / (e.path().filename().string() + "." + format);
      const fs::path key = dir_ / (e.path().filename().string() + ".key.fb2");
      std::ostringstream sink, err;
      EXPECT_EQ(RunConvertCommand({"-q", "--no-settings", "--format", format, "-o", out.string(),
                                   e.path().string()},
                                  sink, err, false),
                0)
          << err.str();
      EXPECT_EQ(RunConvertCommand({"-q", "--no-settings", "--format", "fb2", "-o", key.string(),
                                   e.path().string()},
                                  sink, err, false),
                0);
      std::string text;
      ReadWholeFile(key.string(), text);
      distinct.emplace(text, out);
    }
    std::vector<fs::path> outputs;
    for (const auto& [text, out] : distinct) outputs.push_back(out);
    return outputs;
  }

  fs::path dir_;
};

TEST_F(ExportCorpus, EveryEpubPassesEpubcheck) {
#ifdef NORVELLA_SANITIZED_BUILD
  GTEST_SKIP() << "the validator runs in the normal build";
#endif
  const std::string epubcheck = EpubcheckCommand();
  if (epubcheck.empty()) GTEST_SKIP() << "epubcheck is not installed (Debian package epubcheck)";
  const std::vector<fs::path> books = ExportAll("epub");
  ASSERT_FALSE(books.empty());
  // Two at a time: each check starts a Java machine, which takes a while.
  for (std::size_t i = 0; i < books.size(); i += 2) {
    std::vector<std::future<Output>> checks;
    for (std::size_t k = i; k < books.size() && k < i + 2; ++k)
      checks.push_back(std::async(std::launch::async, RunShell, epubcheck + " " + Quoted(books[k])));
    for (std::size_t k = 0; k < checks.size(); ++k) {
      const Output out = checks[k].get();
      EXPECT_EQ(out.status, 0) << books[i + k] << "\n" << out.text;
      EXPECT_NE(out.text.find("No errors or warnings detected"), std::string::npos)
          << books[i + k] << "\n" << out.text;
    }
  }
}

TEST_F(ExportCorpus, EveryFb2ValidatesAgainstTheSchema) {
#ifdef NORVELLA_SANITIZED_BUILD
  GTEST_SKIP() << "the validator runs in the normal build";
#endif
  if (!OnPath("xmllint")) GTEST_SKIP() << "xmllint is not installed (Debian package libxml2-utils)";
  if (!fs::exists(kSchema)) GTEST_SKIP() << "no FictionBook schema at " << kSchema;
  const std::vector<fs::path> books = ExportAll("fb2");
  ASSERT_FALSE(books.empty());
  for (const fs::path& book : books) {
    const Output out = RunShell("xmllint --noout --schema " + Quoted(kSchema) + " " + Quoted(book));
    EXPECT_EQ(out.status, 0) << book << "\n" << out.text.substr(0, 4000);
  }
}

}  // namespace
}  // namespace norvella
