#include "core/source/source_loader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/base/file_io.h"
#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/settings/options.h"
#include "core/source/encodings.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/unprivileged.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;

// Answers as scripted and records what was asked.
class ScriptedQuestions final : public SourceQuestions {
 public:
  bool ProceedWithLargeFile(LargeFileQuestion& q) override {
    asked.push_back("large:" + q.message + "|" + q.cancelText);
    q.neverAskAgain = neverAskAgain;
    return proceed;
  }
  bool ResolveConvertedDocument(ConvertedDocumentQuestion& q) override {
    asked.push_back("converted:" + q.message);
    q.openForReading = openForReading;
    q.neverAskAgain = neverAskAgain;
    return confirm;
  }
  bool ConvertEncoding(const EncodingQuestion& q) override {
    asked.push_back(q.caption + ":" + q.message);
    return convert;
  }
  bool OpenNotText(const NotTextQuestion& q) override {
    asked.push_back("not text:" + q.message + "|" + q.fileName);
    return openNotText;
  }
  bool AskTitle(DocumentProperties&, bool&) override {
    asked.push_back("title");
    return true;
  }
  bool proceed = true, confirm = true, openForReading = false, neverAskAgain = false, convert = true,
       openNotText = false;
  std::vector<std::string> asked;
};

class SourceLoader : public test::ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    options_.SetFlag(Opt::AskAboutTitle, false);
  }
  LoadResult Load(const std::string& path, SourceEncoding encoding = SourceEncoding::kAutodetect) {
    questions_.asked.clear();
    SourceLoadContext ctx{options_, strings_, doc_, state_, questions_, nullptr};
    return LoadSrc(path, encoding, ctx);
  }
  LoadResult LoadText(const std::string& data, SourceEncoding encoding = SourceEncoding::kAutodetect) {
    return Load(Write("book.txt", data), encoding);
  }
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  Options options_;
  StringTable strings_;
  DocumentProperties doc_;
  SourceState state_;
  ScriptedQuestions questions_;
};

const std::string kMark = std::string(kGeneratorMark);

TEST_F(SourceLoader, AFileOfExactly2MBIsNotLargeOneByteMoreAsks) {
  EXPECT_EQ(LoadText(std::string(kLargeFileSize, 'a')).outcome, LoadOutcome::kLoaded);
  EXPECT_TRUE(questions_.asked.empty());

  doc_.title = "Kept";
  questions_.proceed = false;
  EXPECT_EQ(LoadText(std::string(kLargeFileSize + 1, 'a')).outcome, LoadOutcome::kCancelled);
  ASSERT_EQ(questions_.asked.size(), 1u);
  EXPECT_EQ(questions_.asked[0], "large:" + strings_.Message("LargeFile") + "|Cancel");
  EXPECT_EQ(doc_.title, "Kept");  // refused before anything of the document changed

  questions_.proceed = true;
  questions_.neverAskAgain = true;
  EXPECT_EQ(LoadText(std::string(kLargeFileSize + 1, 'a')).outcome, LoadOutcome::kLoaded);
  EXPECT_FALSE(options_.Flag(Opt::AskAboutLargeFiles));
  LoadText(std::string(kLargeFileSize + 1, 'a'));
  EXPECT_TRUE(questions_.asked.empty());
}

TEST_F(SourceLoader, ProducedDocumentFollowsOpenForReadingConverted) {
  const std::string produced = "<html><head>" + kMark + "</head><body>x</body></html>";
  doc_.title = "Old";
  questions_.confirm = false;
  EXPECT_EQ(LoadText(produced).outcome, LoadOutcome::kCancelled);
  EXPECT_EQ(questions_.asked, std::vector<std::string>{"converted:" + strings_.Message("AlreadyCleared")});
  EXPECT_EQ(doc_.title, "");  // cleared before the question, as the load goes

  questions_.confirm = true;
  questions_.openForReading = true;
  EXPECT_EQ(LoadText(produced).outcome, LoadOutcome::kOpenForReading);
  questions_.openForReading = false;
  const LoadResult again = LoadText(produced);
  EXPECT_EQ(again.outcome, LoadOutcome::kLoaded);
  EXPECT_TRUE(again.alreadyConverted);
  EXPECT_EQ(options_.Number(Opt::OpenForReadingConverted), 0);

  // "Never ask me again" stores the choice that was made.
  questions_.neverAskAgain = true;
  questions_.openForReading = true;
  LoadText(produced);
  EXPECT_EQ(options_.Number(Opt::OpenForReadingConverted), 1);
  EXPECT_EQ(LoadText(produced).outcome, LoadOutcome::kOpenForReading);
  EXPECT_TRUE(questions_.asked.empty());

  options_.SetNumber(Opt::OpenForReadingConverted, 2);
  EXPECT_EQ(LoadText(produced).outcome, LoadOutcome::kLoaded);
  EXPECT_TRUE(questions_.asked.empty());
}

TEST_F(SourceLoader, AFileHoldingTheOldReaderSignalTextIsJustText) {
  const LoadResult r = LoadText("$$#__-=+++RYFCG []");
  EXPECT_EQ(r.outcome, LoadOutcome::kLoaded);
  EXPECT_EQ(r.text, "$$#__-=+++RYFCG []");
}

TEST_F(SourceLoader, DosScoreOfEightIsNotAskedNineIs) {
  const std::string eight = "x\xA0\xA1\xA2\xA7\xAD\x95";
  EXPECT_EQ(LoadText(eight).text, eight);
  EXPECT_TRUE(questions_.asked.empty());

  questions_.convert = false;
  EXPECT_EQ(LoadText(eight + "\x97").text, eight + "\x97");
  EXPECT_EQ(questions_.asked,
            std::vector<std::string>{strings_.Message("WrongCode") + ":" + strings_.Message("DosCoded")});
  questions_.convert = true;
  EXPECT_EQ(LoadText(eight + "\x97").text, "x\xE0\xE1\xE2\xE7\xED\xD5\xD7");
}

TEST_F(SourceLoader, KoiNeedsAScoreAbove300AndALongText) {
  // Windows-1251 capitals only: KOI8-looking, but too short to be judged.
  EXPECT_EQ(LoadText(std::string(999, '\xC0')).text, std::string(999, '\xC0'));
  EXPECT_TRUE(questions_.asked.empty());
  const std::string body = std::string(999, ' ') + std::string(300, '\xC1');
  LoadText(body + std::string(700, ' '));
  EXPECT_TRUE(questions_.asked.empty());
  const LoadResult r = LoadText(body + "\xC1\xA3\xB3");
  EXPECT_EQ(questions_.asked,
            std::vector<std::string>{strings_.Message("WrongCode") + ":" + strings_.Message("COICoded")});
  EXPECT_EQ(r.convertedFrom, SourceEncoding::kKoi8r);
  EXPECT_EQ(r.text.substr(999, 3), "\xE0\xE0\xE0");
  EXPECT_EQ(r.text.substr(r.text.size() - 2), "\xB8\xA8");  // io letters keep their case
}

TEST_F(SourceLoader, ForcedEncodingsConvertWithoutAsking) {
  const std::string windows = "\xCF\xF0\xE8";  // looks like Windows-1251
  EXPECT_EQ(LoadText(windows, SourceEncoding::kCp866).text, "+\xA8\xF8");
  EXPECT_EQ(LoadText("\xF0\xD2\xC9", SourceEncoding::kKoi8r).text, "\xCF\xF0\xE8");
  EXPECT_EQ(LoadText("\xD0\x9F\xFF", SourceEncoding::kUtf8).text, "\xCF\xFF");  // broken byte kept
  EXPECT_EQ(LoadText("\xD0\x9F", SourceEncoding::kCp1251).text, "\xD0\x9F");
  EXPECT_TRUE(questions_.asked.empty());
}

TEST_F(SourceLoader, DecliningTheDosQuestionKeepsTheForcedKoiConversion) {
  questions_.convert = false;
  const LoadResult r = LoadText("\xF0\xD2\xC9\xA0\xA1\xA2\xA7\xAD\x95\x97", SourceEncoding::kKoi8r);
  EXPECT_EQ(questions_.asked.size(), 1u);
  EXPECT_EQ(r.convertedFrom, SourceEncoding::kKoi8r);
  EXPECT_EQ(r.text.substr(0, 3), "\xCF\xF0\xE8");
}

TEST_F(SourceLoader, ValidUtf8IsNeverOfferedTheDosOrKoiQuestion) {
  // UTF-8 Cyrillic holds the bytes both scores count: Р С Т Ч Э Я ѕ ї and а.
  std::string utf8;
  for (int k = 0; k < 200; ++k)
    utf8 += "\xD0\xA0\xD0\xA1\xD0\xA2\xD0\xA7\xD0\xAD\xD0\xAF\xD1\x95\xD1\x97\xD0\xB0 ";
  ASSERT_GT(DosScore(utf8), kDosScoreThreshold);
  ASSERT_GT(KoiScore(utf8), kKoiScoreThreshold);
  const LoadResult r = LoadText(utf8);
  EXPECT_TRUE(questions_.asked.empty());
  EXPECT_EQ(r.convertedFrom, SourceEncoding::kUtf8);
  EXPECT_EQ(r.text.substr(0, 10), "\xD0\xD1\xD2\xD7\xDD\xDF\xBE\xBF\xE0 ");
}

TEST_F(SourceLoader, RemovesTheFirstCreditFooterOnly) {
  const std::string text = "a" + CreditFooter() + "b" + CreditFooter() + "c";
  EXPECT_EQ(LoadText(text).text, "ab" + CreditFooter() + "c");
}

TEST_F(SourceLoader, FindsTitleAndAppliesTheDetectedStyle) {
  std::string html = "<html><head><title>Gogol. Nos</title></head><body>\r\n";
  for (int k = 0; k < 100; ++k) html += "<p>A line of the story that ends here.</p>\r\n";
  const LoadResult r = LoadText(html);
  EXPECT_EQ(doc_.author, "Gogol");
  EXPECT_EQ(doc_.title, "Nos");
  EXPECT_EQ(doc_.shortTitle, "Gogol Nos");
  EXPECT_EQ(r.detectedStyle, 2);
  EXPECT_FALSE(options_.LongStringsOn());

  options_.SetFlag(Opt::AutoDetectTextFormat, false);
  EXPECT_EQ(LoadText(html).detectedStyle, -1);
}

TEST_F(SourceLoader, SetsPreviewPathCaptionAndTemporaryFiles) {
  const std::string path = Write("Book One.txt", "x");
  Load(path);
  Load(path);
  EXPECT_EQ(state_.previewPath, (dir_ / "$~$~tmp_Book One.txt.html").string());
  EXPECT_EQ(state_.temporaryFiles.Paths(), std::vector<std::string>{state_.previewPath});
  EXPECT_FALSE(state_.previewNavigated);
  EXPECT_EQ(state_.caption, "Norvella (converter) - Book One.txt");
  EXPECT_EQ(PreviewPathFor("book.txt"), "");
}

TEST_F(SourceLoader, ProbeSkipsAnExistingProbeNameAndLeavesNothingBehind) {
  Write("book.txt$$~temp$~marn", "mine");
  EXPECT_EQ(LoadText("x").outcome, LoadOutcome::kLoaded);
  EXPECT_EQ(Listing(), (std::vector<std::string>{"book.txt", "book.txt$$~temp$~marn"}));
  std::string kept;
  ASSERT_TRUE(ReadWholeFile((dir_ / "book.txt$$~temp$~marn").string(), kept).ok());
  EXPECT_EQ(kept, "mine");
}

TEST_F(SourceLoader, ALongFileNameIsNotTakenForAReadOnlyFolder) {
  // Written directly: the atomic writer's temporary name would be too long.
  const std::string path = (dir_ / std::string(250, 'n')).string();
  std::ofstream(path) << "x";
  EXPECT_EQ(Load(path).outcome, LoadOutcome::kLoaded);
  EXPECT_EQ(Listing().size(), 1u);
}

TEST_F(SourceLoader, ReadOnlyFolderLoadsNothingAndLeavesNothing) {
  const std::string path = Write("book.txt", "x");
  fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const int code = test::RunUnprivileged([&] {
    const LoadResult r = Load(path);
    if (r.outcome != LoadOutcome::kReadOnlyFolder) return 1;
    return r.error.message == strings_.Message("CantWorkWithReadOnly") && r.error.reason.empty() ? 0 : 2;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Listing(), std::vector<std::string>{"book.txt"});
}

TEST_F(SourceLoader, FileSystemFaultsGiveTheSystemsReason) {
  EXPECT_EQ(Load((dir_ / "no" / "book.txt").string()).error.reason,
            (dir_ / "no" / "book.txt").string() + ": No such file or directory");
  fs::create_directories(dir_ / "folder");
  EXPECT_EQ(Load((dir_ / "folder").string()).error.reason, (dir_ / "folder").string() + ": Is a directory");
  const std::string secret = Write("secret.txt", "x");
  ::chmod(secret.c_str(), 0);
  fs::permissions(dir_, fs::perms::all);  // writable, so only the read fails
  EXPECT_EQ(test::RunUnprivileged([&] {
              const LoadResult r = Load(secret);
              return r.outcome == LoadOutcome::kFailed && r.error.reason == secret + ": Permission denied" && r.error.message.empty() ? 0 : 1;
            }),
            0);
  EXPECT_EQ(LoadText("").outcome, LoadOutcome::kEmpty);
  EXPECT_EQ(LoadText("\xEF\xBB\xBF").outcome, LoadOutcome::kEmpty);
}

// A file that cannot be a book is refused before the current document's
// title, author or preview change, and without the title question.
TEST_F(SourceLoader, FilesWithoutTextAreRefusedBeforeAnythingChanges) {
  options_.SetFlag(Opt::AskAboutTitle, true);
  const auto keepsTheDocument = [&](const LoadResult& r) {
    EXPECT_EQ(doc_.title, "Old title");
    EXPECT_EQ(doc_.author, "Old author");
    EXPECT_EQ(state_.previewPath, "/old/preview.html");
    EXPECT_TRUE(r.text.empty());
  };
  for (const std::string& empty : {std::string(), std::string(" \r\n\t\r\n"), std::string("\xEF\xBB\xBF \n"),
                                  std::string("\xFF\xFE \0\n\0", 6), std::string("\xFE\xFF\0 \0\r", 6)}) {
    doc_.title = "Old title";
    doc_.author = "Old author";
    state_.previewPath = "/old/preview.html";
    const LoadResult r = LoadText(empty);
    EXPECT_EQ(r.outcome, LoadOutcome::kEmpty) << testing::PrintToString(empty);
    EXPECT_TRUE(questions_.asked.empty());
    keepsTheDocument(r);
  }

  const std::string picture("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
  const std::string path = Write("cover.png", picture);
  const LoadResult refused = Load(path);
  EXPECT_EQ(refused.outcome, LoadOutcome::kNotText);
  EXPECT_EQ(questions_.asked, std::vector<std::string>{"not text:" + strings_.Message("NotText") + "|" + path});
  keepsTheDocument(refused);

  questions_.openNotText = true;
  options_.SetFlag(Opt::AskAboutTitle, false);
  const LoadResult forced = Load(path);
  EXPECT_EQ(forced.outcome, LoadOutcome::kLoaded);
  EXPECT_NE(state_.previewPath, "/old/preview.html");
}

TEST_F(SourceLoader, TextFilesAreNeverAskedAboutAsBinary) {
  // UTF-16 carries NUL bytes in every ASCII letter; with its byte-order
  // mark it is text.
  const std::string utf16("\xFF\xFE\x1F\x04\x40\x04\x38\x04", 8);
  EXPECT_EQ(LoadText(utf16).outcome, LoadOutcome::kLoaded);
  EXPECT_EQ(LoadText("\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0").outcome, LoadOutcome::kLoaded);
  EXPECT_EQ(LoadText("<html><body>x</body></html>").outcome, LoadOutcome::kLoaded);
  for (const std::string& asked : questions_.asked) EXPECT_NE(asked.rfind("not text:", 0), 0u) << asked;
}

TEST(SourceOpenFilter, FourEntriesInFilterOrder) {
  const StringTable strings;
  const auto filter = SourceOpenFilter(strings);
  ASSERT_EQ(filter.size(), 4u);
  EXPECT_EQ(filter[0].text, "Open as Windows file (&autodetect)");
  EXPECT_EQ(filter[3].text, "Open as UTF-8 file");
  for (std::size_t k = 0; k < filter.size(); ++k) {
    EXPECT_EQ(filter[k].mask, "*.*");
    EXPECT_EQ(filter[k].encoding, EncodingOfFilterIndex(static_cast<int>(k) + 1));
  }
  EXPECT_EQ(EncodingOfFilterIndex(0), SourceEncoding::kAutodetect);
}

}  // namespace
}  // namespace norvella
