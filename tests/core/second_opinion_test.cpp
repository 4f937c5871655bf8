// The charset detector's second opinion on texts the byte scores leave as
// Windows-1251: short KOI8-R and CP866 texts are recognised, ISO-8859-5 and
// Mac Cyrillic ones decoded, and no Windows-1251 text is ever re-read.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/i18n/strings.h"
#include "core/settings/options.h"
#include "core/source/encodings.h"
#include "core/source/source_loader.h"
#include "tests/support/encoding_fixtures.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;
using test::kEncodingFixtures;

std::string Read(const fs::path& path) { return test::ReadFixture(path); }

// Names the same charset for every text and counts the calls.
class FixedDetector final : public CharsetDetector {
 public:
  explicit FixedDetector(std::string name) : name_(std::move(name)) {}
  std::string Detect(std::string_view) const override {
    ++calls;
    return name_;
  }
  mutable int calls = 0;

 private:
  std::string name_;
};

class RecordingQuestions final : public SourceQuestions {
 public:
  bool ConvertEncoding(const EncodingQuestion& q) override {
    asked.push_back(q.messageKey);
    EXPECT_EQ(q.message, strings.Message(q.messageKey));
    return answer;
  }
  const StringTable strings;
  bool answer = true;
  std::vector<std::string> asked;
};

struct Loader {
  explicit Loader(const CharsetDetector* detector = &SystemCharsetDetector()) {
    options.SetFlag(Opt::AskAboutTitle, false);
    ctx.charsetDetector = detector;
  }
  LoadResult Load(const std::string& bytes, SourceEncoding encoding = SourceEncoding::kAutodetect) {
    return LoadSourceBytes(bytes, "book.txt", encoding, ctx);
  }
  Options options;
  DocumentProperties doc;
  SourceState state;
  RecordingQuestions questions;
  SourceLoadContext ctx{options, questions.strings, doc, state, questions, nullptr};
};

TEST(SecondOpinion, ShortKoiAndDosTextsTheScoresMissAreRecognised) {
  struct Case {
    const char* source;
    const char* windows;
    const char* question;
    SourceEncoding from;
  };
  const Case cases[] = {
      {"poem.koi8r.txt", "poem.cp1251.txt", "COICoded", SourceEncoding::kKoi8r},
      {"kashtanka-start.cp866.txt", "kashtanka-start.cp1251.txt", "DosCoded", SourceEncoding::kCp866},
  };
  for (const Case& c : cases) {
    const std::string source = Read(kEncodingFixtures / c.source);
    // The byte scores alone leave these texts as they are.
    Loader rulesOnly(nullptr);
    EXPECT_EQ(rulesOnly.Load(source).text, source) << c.source;
    EXPECT_TRUE(rulesOnly.questions.asked.empty()) << c.source;

    Loader yes;
    const LoadResult r = yes.Load(source);
    EXPECT_TRUE(r.text == Read(kEncodingFixtures / c.windows)) << c.source << " is not read as Russian";
    EXPECT_EQ(yes.questions.asked, std::vector<std::string>{c.question});
    EXPECT_EQ(r.convertedFrom, c.from);
    EXPECT_EQ(r.foundBy, EncodingFinder::kSecondOpinion);

    Loader no;
    no.questions.answer = false;
    const LoadResult kept = no.Load(source);
    EXPECT_TRUE(kept.text == source) << c.source << ": declined, yet changed";
    EXPECT_EQ(kept.convertedFrom, SourceEncoding::kCp1251);
    EXPECT_EQ(kept.foundBy, EncodingFinder::kNone);
  }
}

TEST(SecondOpinion, IsoAndMacTextsAreDecodedThroughUnicode) {
  const std::string windows = Read(kEncodingFixtures / "passage.cp1251.txt");
  const std::pair<const char*, const char*> cases[] = {
      {"passage.iso88595.txt", "ISOCoded"},
      {"passage.maccyrillic.txt", "MacCoded"},
  };
  for (const auto& [name, question] : cases) {
    // The Mac passage is mostly small letters, which Mac Cyrillic shares
    // with Windows-1251: the detector is told what it is.
    FixedDetector mac("MAC-CYRILLIC");
    Loader loader(std::string_view(question) == "MacCoded" ? &mac : &SystemCharsetDetector());
    const LoadResult r = loader.Load(Read(kEncodingFixtures / name));
    EXPECT_TRUE(r.text == windows) << name << " does not load to the Windows-1251 passage";
    EXPECT_EQ(loader.questions.asked, std::vector<std::string>{question});
    EXPECT_EQ(r.foundBy, EncodingFinder::kSecondOpinion);
  }
  // Characters Windows-1251 lacks become references: Mac "≠", ISO "ў" kept.
  EXPECT_EQ(MacCyrillicToAnsi("\xAD \xDF"), "&#8800; \xFF");
  EXPECT_EQ(Iso88595ToAnsi("\xFE\xF0\xB0"), "\xA2\xB9\xC0");
}

TEST(SecondOpinion, WindowsTextsAreNeverReRead) {
  // A table of numbers with a few words: too few letters to judge.
  const std::string table =
      "\xD2\xE0\xE1\xEB\xE8\xF6\xE0 3\r\n"  // Таблица 3
      "1998   12,4   13,1   11,0\r\n1999   12,9   13,4   10,8\r\n"
      "\xC8\xF2\xEE\xE3\xEE  25,3   26,5   21,8\r\n";  // Итого
  const std::string passage = Read(kEncodingFixtures / "passage.cp1251.txt");
  for (const char* claim : {"KOI8-R", "IBM866", "ISO-8859-5", "MAC-CYRILLIC"}) {
    for (const std::string* text : {&table, &passage}) {
      FixedDetector detector(claim);
      Loader loader(&detector);
      const LoadResult r = loader.Load(*text);
      EXPECT_EQ(detector.calls, 1);
      EXPECT_TRUE(r.text == *text) << claim;
      EXPECT_TRUE(loader.questions.asked.empty()) << claim;
    }
  }
}

TEST(SecondOpinion, IsNotAskedWhenTheUserOrTheRulesDecided) {
  const std::string poem = Read(kEncodingFixtures / "poem.koi8r.txt");
  for (const SourceEncoding forced : {SourceEncoding::kCp1251, SourceEncoding::kCp866,
                                      SourceEncoding::kKoi8r, SourceEncoding::kUtf8}) {
    FixedDetector detector("IBM866");
    Loader loader(&detector);
    const LoadResult r = loader.Load(poem, forced);
    EXPECT_EQ(detector.calls, 0);
    EXPECT_TRUE(loader.questions.asked.empty());
    EXPECT_EQ(r.foundBy, EncodingFinder::kUser);
  }
  // The scores found CP866 and the user said No: the text stays as it is.
  FixedDetector detector("KOI8-R");
  Loader declined(&detector);
  declined.questions.answer = false;
  const std::string dos = Read(kEncodingFixtures / "passage.cp866.txt");
  EXPECT_TRUE(declined.Load(dos).text == dos);
  EXPECT_EQ(declined.questions.asked, std::vector<std::string>{"DosCoded"});
  EXPECT_EQ(detector.calls, 0);
}

// Every Windows-1251 text of the tests and of the corpus loads to the same
// bytes with the detector as without it, and no question is asked.
TEST(SecondOpinion, LeavesEveryWindowsFileAsItWas) {
  std::vector<fs::path> files;
  const fs::path folders[] = {fs::path(NORVELLA_FIXTURES_DIR), fs::path(NORVELLA_GOLDEN_DIR),
                              fs::path(NORVELLA_CORPUS_DIR)};
  for (const fs::path& folder : folders) {
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      if (entry.is_regular_file() && entry.path().string().find("cp1251") != std::string::npos)
        files.push_back(entry.path());
  }
  ASSERT_GE(files.size(), 3u);
  for (const fs::path& file : files) {
    const std::string bytes = Read(file);
    Loader before(nullptr);
    Loader after;
    const LoadResult expected = before.Load(bytes);
    const LoadResult actual = after.Load(bytes);
    EXPECT_TRUE(actual.text == expected.text) << file;
    EXPECT_EQ(actual.foundBy, expected.foundBy) << file;
    EXPECT_EQ(after.questions.asked, before.questions.asked) << file;
  }
}

}  // namespace
}  // namespace norvella
