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
#include "core/editor/end_note.h"

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

// Two end notes put into a corpus book as the source editor's "Insert
// comment" puts them reach both books as working notes, and the books still
// pass their validators.
TEST_F(ExportCorpus, EndNotesOfACorpusBookBecomeWorkingNotes) {
#ifdef NORVELLA_SANITIZED_BUILD
  GTEST_SKIP() << "the validators run in the normal build";
#endif
  std::string text;
  ASSERT_TRUE(ReadWholeFile((kCorpus / "kashtanka.paragraphs.cp1251.txt").string(), text).ok());
  std::vector<std::string> lines;
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t end = std::min(text.find('\n', from), text.size());
    lines.push_back(text.substr(from, end - from));
    from = end + 1;
  }
  ASSERT_GT(lines.size(), 100u);
  // The links go at the end of two paragraphs, the notes at the end.
  struct {
    std::size_t line;
    const char* id;
    const char* title;
    const char* body;
  } notes[] = {{lines.size() / 3, "101~~202", "\xF1\xED\xEE\xF1\xEA\xE0", "\xCF\xE5\xF0\xE2\xE0\xFF <i>note</i> & more"},
               {lines.size() * 2 / 3, "303~~404", "[2]", "\xC2\xF2\xEE\xF0\xE0\xFF"}};
  for (auto& n : notes) {
    while (lines[n.line].find_first_not_of(" \r") == std::string::npos) ASSERT_LT(++n.line, lines.size());
    const EndNote note = MakeEndNote(n.id, n.title, n.body, lines.size(), lines.back());
    std::string& line = lines[n.line];
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line += " " + note.link + "\r";
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(note.noteLine), note.note + "\r");
  }
  std::string noted;
  for (const std::string& line : lines) noted += line + "\n";
  const fs::path source = dir_ / "kashtanka-noted.txt";
  ASSERT_TRUE(WriteFileAtomically(source.string(), noted).ok());

  std::ostringstream sink, err;
  const fs::path fb2 = dir_ / "noted.fb2", epub = dir_ / "noted.epub";
  // End notes are inserted only while links are kept.
  ASSERT_EQ(RunConvertCommand({"-q", "--no-settings", "--set", "KillLinks=off", "--format", "fb2", "-o", fb2.string(),
                               source.string()},
                              sink, err, false),
            0)
      << err.str();
  ASSERT_EQ(RunConvertCommand({"-q", "--no-settings", "--set", "KillLinks=off", "--format", "epub", "-o",
                               epub.string(), source.string()},
                              sink, err, false),
            0)
      << err.str();
  std::string book;
  ASSERT_TRUE(ReadWholeFile(fb2.string(), book).ok());
  EXPECT_NE(book.find("<body name=\"notes\">"), std::string::npos);
  auto count = [&](const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = book.find(what); at != std::string::npos; at = book.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("type=\"note\""), 2u);
  EXPECT_EQ(count("<section id=\"note"), 2u);
  EXPECT_NE(book.find("<emphasis>note</emphasis> &amp; more"), std::string::npos);
  EXPECT_EQ(book.find("[^^Back^^]"), std::string::npos);

  if (OnPath("xmllint") && fs::exists(kSchema)) {
    const Output out = RunShell("xmllint --noout --schema " + Quoted(kSchema) + " " + Quoted(fb2));
    EXPECT_EQ(out.status, 0) << out.text.substr(0, 4000);
  }
  if (const std::string epubcheck = EpubcheckCommand(); !epubcheck.empty()) {
    const Output out = RunShell(epubcheck + " " + Quoted(epub));
    EXPECT_NE(out.text.find("No errors or warnings detected"), std::string::npos) << out.text;
  }
}

}  // namespace
}  // namespace norvella
