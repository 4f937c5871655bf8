// The passage kept in tests/fixtures/encodings loads to the same
// Windows-1251 bytes from every encoding, through the file load and through
// the load of bytes alike. These run on every checkout; the corpus tests
// repeat the check on whole books when the corpus is there.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/i18n/strings.h"
#include "core/settings/options.h"
#include "core/source/source_loader.h"
#include "tests/support/encoding_fixtures.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;
using test::kEncodingFixtures;

std::string Read(const fs::path& path) { return test::ReadFixture(path); }

struct Loader {
  Options options;
  const StringTable strings;
  DocumentProperties doc;
  SourceState state;
  SourceQuestions questions;  // trusts the detection
  SourceLoadContext ctx{options, strings, doc, state, questions, nullptr};
};

TEST(EncodingFixtures, EveryEncodingLoadsToTheWindowsBytes) {
  const std::string windows = Read(kEncodingFixtures / "passage.cp1251.txt");
  ASSERT_GT(windows.size(), 400u);
  const std::pair<const char*, SourceEncoding> files[] = {
      {"passage.cp1251.txt", SourceEncoding::kCp1251},
      {"passage.cp1251.txt", SourceEncoding::kAutodetect},
      {"passage.cp866.txt", SourceEncoding::kAutodetect},
      {"passage.koi8r.txt", SourceEncoding::kAutodetect},
      {"passage.utf8.txt", SourceEncoding::kAutodetect},
      {"passage.utf16.txt", SourceEncoding::kAutodetect},
      // Forced: no detection question, the same result.
      {"passage.cp866.txt", SourceEncoding::kCp866},
      {"passage.koi8r.txt", SourceEncoding::kKoi8r},
      {"passage.utf8.txt", SourceEncoding::kUtf8},
  };
  for (const auto& [name, encoding] : files) {
    const fs::path path = kEncodingFixtures / name;
    Loader fromFile;
    const LoadResult file = ReadSourceFile(path.string(), encoding, fromFile.ctx);
    ASSERT_EQ(file.outcome, LoadOutcome::kLoaded) << name << ": " << file.error.reason;
    EXPECT_TRUE(file.text == windows) << name << " does not load to the Windows-1251 passage";

    Loader fromBytes;
    const LoadResult bytes = LoadSourceBytes(Read(path), path.string(), encoding, fromBytes.ctx);
    EXPECT_TRUE(bytes.text == windows) << name << " loads differently from its bytes";
    EXPECT_EQ(bytes.convertedFrom, file.convertedFrom) << name;
    EXPECT_EQ(fromBytes.state.caption, fromFile.state.caption) << name;
  }
}

TEST(EncodingFixtures, TheDetectedEncodingIsReported) {
  const std::pair<const char*, SourceEncoding> files[] = {
      {"passage.cp1251.txt", SourceEncoding::kCp1251},
      {"passage.cp866.txt", SourceEncoding::kCp866},
      {"passage.koi8r.txt", SourceEncoding::kKoi8r},
      {"passage.utf8.txt", SourceEncoding::kUtf8},
      {"passage.utf16.txt", SourceEncoding::kUtf8},
  };
  for (const auto& [name, expected] : files) {
    Loader loader;
    const LoadResult r = LoadSourceBytes(Read(kEncodingFixtures / name), name, SourceEncoding::kAutodetect, loader.ctx);
    EXPECT_EQ(r.convertedFrom, expected) << name;
  }
}

// A declined detection question leaves the bytes as they are.
TEST(EncodingFixtures, DecliningTheQuestionKeepsTheBytes) {
  class No final : public SourceQuestions {
   public:
    bool ConvertEncoding(const EncodingQuestion&) override { return false; }
  };
  for (const char* name : {"passage.cp866.txt", "passage.koi8r.txt"}) {
    Loader loader;
    No no;
    SourceLoadContext ctx{loader.options, loader.strings, loader.doc, loader.state, no, nullptr};
    const std::string raw = Read(kEncodingFixtures / name);
    const LoadResult r = LoadSourceBytes(raw, name, SourceEncoding::kAutodetect, ctx);
    EXPECT_TRUE(r.text == raw) << name;
    EXPECT_EQ(r.convertedFrom, SourceEncoding::kCp1251) << name;
  }
}

}  // namespace
}  // namespace norvella
