// Every corpus book loads to the same Windows-1251 text whatever its
// encoding: the encoded twins the corpus carries, and versions of each
// Windows-1251 book made here in UTF-8, UTF-16 and, where the text fits
// those code pages, CP866 and KOI8-R.

#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <filesystem>

#include "core/base/cp1251.h"
#include "core/base/file_io.h"
#include "core/i18n/strings.h"
#include "core/settings/options.h"
#include "core/source/source_loader.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = NORVELLA_CORPUS_DIR;

#define SKIP_WITHOUT_CORPUS()                                                       \
  if (!fs::is_directory(kCorpus))                                                   \
  GTEST_SKIP() << "the corpus is not at " << kCorpus                                \
               << "; configure with -DNORVELLA_CORPUS_DIR=<folder> to run this test"

// The text a file loads to, as the window would load it.
std::string Loaded(const std::string& path, SourceEncoding encoding) {
  Options options;
  const StringTable strings;
  DocumentProperties doc;
  SourceState state;
  SourceQuestions questions;  // trusts the detection
  SourceLoadContext ctx{options, strings, doc, state, questions, nullptr};
  const LoadResult r = ReadSourceFile(path, encoding, ctx);
  EXPECT_EQ(r.outcome, LoadOutcome::kLoaded) << path << ": " << r.error.reason;
  return r.text;
}

std::string Read(const fs::path& path) {
  std::string data;
  EXPECT_TRUE(ReadWholeFile(path.string(), data).ok()) << path;
  return data;
}

std::string Utf16(std::string_view windows, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : windows) {
    const char32_t u = Cp1251ToUnicode(static_cast<unsigned char>(c));
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

// The text in another code page, or nothing when it holds a character the
// code page lacks (or the C library has no converter for it).
std::optional<std::string> Reencoded(const std::string& windows, const char* codePage) {
  const iconv_t cd = iconv_open(codePage, "CP1251");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(windows.size(), '\0');
  char* in = const_cast<char*>(windows.data());
  char* to = out.data();
  std::size_t inLeft = windows.size(), outLeft = out.size();
  const std::size_t done = iconv(cd, &in, &inLeft, &to, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

// Whether every non-ASCII byte is a letter, the only characters the KOI8
// conversion carries.
bool OnlyLettersBeyondAscii(std::string_view windows) {
  for (const char c : windows) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b < 0xC0 && b != 0xA8 && b != 0xB8) return false;
  }
  return true;
}

TEST(CorpusEncodings, EncodedTwinsLoadToTheirWindowsText) {
  SKIP_WITHOUT_CORPUS();
  const std::pair<const char*, const char*> twins[] = {
      {"kapitanskaya-dochka.paragraphs.utf8.txt", "kapitanskaya-dochka.paragraphs.cp1251.txt"},
      {"shinel.fixed.koi8r.txt", "shinel.fixed.cp1251.txt"},
      {"kashtanka.fixed.cp866.txt", "kashtanka.fixed.cp1251.txt"},
  };
  for (const auto& [encoded, windows] : twins) {
    const std::string expected = Loaded((kCorpus / windows).string(), SourceEncoding::kAutodetect);
    EXPECT_EQ(expected, Read(kCorpus / windows)) << windows << " is changed by its own load";
    EXPECT_TRUE(Loaded((kCorpus / encoded).string(), SourceEncoding::kAutodetect) == expected)
        << encoded << " does not load to " << windows;
  }
}

TEST(CorpusEncodings, EveryWindowsBookLoadsTheSameFromEveryEncoding) {
  SKIP_WITHOUT_CORPUS();
  const fs::path dir = fs::temp_directory_path() / ("norvella-corpus-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  for (const auto& entry : fs::directory_iterator(kCorpus)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".cp1251.") == std::string::npos) continue;
    const std::string windows = Read(entry.path());
    std::vector<std::pair<std::string, SourceEncoding>> forms = {
        {Cp1251ToUtf8(windows), SourceEncoding::kAutodetect},
        {"\xEF\xBB\xBF" + Cp1251ToUtf8(windows), SourceEncoding::kAutodetect},
        {Utf16(windows, false), SourceEncoding::kAutodetect},
        {Utf16(windows, true), SourceEncoding::kUtf8},
    };
    if (auto dos = Reencoded(windows, "CP866")) forms.emplace_back(*dos, SourceEncoding::kCp866);
    if (auto koi = Reencoded(windows, "KOI8-R"); koi && OnlyLettersBeyondAscii(windows))
      forms.emplace_back(*koi, SourceEncoding::kKoi8r);
    for (std::size_t k = 0; k < forms.size(); ++k) {
      const std::string path = (dir / (name + "." + std::to_string(k))).string();
      ASSERT_TRUE(WriteFileAtomically(path, forms[k].first).ok());
      EXPECT_TRUE(Loaded(path, forms[k].second) == windows) << name << " in form " << k;
      fs::remove(path);
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace norvella
