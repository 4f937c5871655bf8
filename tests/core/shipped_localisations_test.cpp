// The localisations shipped in data/localisations: each holds a text for
// every key the program looks up (the keys come from the string table
// itself, so a new key without its translation fails here), no key the
// program does not know, and texts the interface can use.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "core/base/cp1251.h"
#include "core/base/file_io.h"
#include "core/i18n/localisation.h"
#include "core/i18n/strings.h"
#include "core/settings/reg_file.h"
#include "core/settings/settings_io.h"

namespace norvella {
namespace {

struct Shipped {
  const char* file;
  const char* name;  // UTF-8
};
const Shipped kShipped[] = {{"russian.reg", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9"},
                            {"english.reg", "English (proofread)"}};

Registry Installed(const char* file, RegFileContents* parsed = nullptr) {
  const std::string path = std::string(NORVELLA_DATA_DIR) + "/localisations/" + file;
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes).ok()) << path;
  const RegFileContents contents = ParseRegFile(bytes);
  EXPECT_TRUE(contents.ok) << file << ": " << contents.error;
  Registry r;
  ApplyRegFile(contents, r);
  if (parsed != nullptr) *parsed = contents;
  return r;
}

std::size_t Count(const std::string& text, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

TEST(ShippedLocalisations, HoldEveryKeyTheProgramLooksUpAndNoOther) {
  const StringTable table;
  for (const Shipped& shipped : kShipped) {
    SCOPED_TRACE(shipped.file);
    RegFileContents parsed;
    const Registry r = Installed(shipped.file, &parsed);
    EXPECT_EQ(parsed.foreignKeys, 0);
    EXPECT_EQ(parsed.unmappableStrings, 0);  // every text has its Windows-1251 form
    const RegKey* root = r.Open(LocalisationKeyPath());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->ReadInteger("target"), kProgramBuild);
    EXPECT_EQ(Cp1251ToUtf8(InstalledLocalisation(r).name), shipped.name);
    for (const std::string& section : table.Sections()) {
      SCOPED_TRACE(section);
      const TMyReg reader(r, section);
      ASSERT_TRUE(reader.Opened());
      for (const std::string& key : table.Keys(section)) {
        const std::string text = reader.ReadString({}, key);
        EXPECT_FALSE(text.empty()) << "no text for \"" << key << "\"";
        // A format string keeps its arguments; a prefix keeps the space the
        // program's text follows it with.
        const std::string& builtIn = table.Get(section, key);
        EXPECT_EQ(Count(text, "%s"), Count(builtIn, "%s")) << key;
        if (!builtIn.empty() && builtIn.back() == ' ' && !text.empty()) {
          EXPECT_EQ(text.back(), ' ') << key;
        }
      }
      // A key the table lacks is a misspelt one: the program never reads it.
      for (const std::string& name : reader.Key()->ValueNames()) {
        const std::vector<std::string> keys = table.Keys(section);
        EXPECT_NE(std::find(keys.begin(), keys.end(), name), keys.end())
            << "unknown key \"" << name << "\"";
      }
    }
    // Every section of the file that holds texts is one the program reads.
    const std::vector<std::string> sections = table.Sections();
    std::function<void(const RegKey&, const std::string&)> walk = [&](const RegKey& key, const std::string& path) {
      for (const std::string& sub : key.SubKeyNames()) {
        const std::string section = path + "\\" + sub;
        const RegKey& child = *key.SubKey(sub);
        if (child.ValueCount() > 0) {
          EXPECT_NE(std::find(sections.begin(), sections.end(), section), sections.end()) << section;
        }
        walk(child, section);
      }
    };
    walk(*root, std::string(kInterface));
  }
}

TEST(ShippedLocalisations, InstallAsAcceptedLocalisations) {
  const Registry r = Installed("russian.reg");
  StringTable s;
  HtmlTemplates t;
  const LocalisationCheck check = LoadLocalisation(r, s, t, "/opt/");
  EXPECT_TRUE(check.accepted);
  EXPECT_EQ(s.Get(kMenu, "file"), "&\xD4\xE0\xE9\xEB");      // "&Файл"
  EXPECT_EQ(s.Process("Ready"), "\xC3\xEE\xF2\xEE\xE2\xEE");  // "Готово"
  EXPECT_EQ(s.Get(kControlsMain, "help page"), "index.ru.html");
  // The length nodes' prefixes and the empty-lines caption keep the shape
  // the tree puts numbers into.
  EXPECT_EQ(s.Get(kTree, "26").front(), '2');
  // The proofread English mends the built-in spelling, which stays as it was.
  StringTable english;
  EXPECT_TRUE(LoadLocalisation(Installed("english.reg"), english, t, "/").accepted);
  EXPECT_EQ(english.Get(kMenu, "fixed width"), "Treat as fixed width");
  EXPECT_EQ(english.Get(kTree, "33"), "Generate table of contents");
  EXPECT_EQ(english.Message("COICoded"),
            "This text seems to be in the KOI8-R encoding. Convert it to the correct encoding?");
  EXPECT_EQ(StringTable().Get(kTree, "33"), "Generate table of content");
  // The guide pages the localisations name are shipped.
  for (const char* file : {"russian.reg", "english.reg"}) {
    StringTable named;
    LoadLocalisation(Installed(file), named, t, "/");
    std::string page;
    EXPECT_TRUE(ReadWholeFile(std::string(NORVELLA_DATA_DIR) + "/help/" + named.Get(kControlsMain, "help page"),
                              page).ok())
        << file;
  }
}

}  // namespace
}  // namespace norvella
