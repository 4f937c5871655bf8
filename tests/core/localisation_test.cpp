#include "core/i18n/localisation.h"

#include <gtest/gtest.h>

#include "core/i18n/keyboard_layout.h"
#include "core/settings/reg_file.h"
#include "core/settings/settings_io.h"

namespace norvella {
namespace {

const std::string kKey = std::string(kSettingsKey) + "\\";

// A localisation for the given build ("" = no "target" value).
Registry WithLocalisation(std::optional<int> target) {
  Registry r;
  RegKey& root = r.Create(kKey + "interface");
  root.WriteString("name", "\xD0\xF3\xF1\xF1\xEA\xE8\xE9");
  if (target) root.WriteInteger("target", *target);
  RegKey& processes = r.Create(kKey + "interface\\processes");
  processes.WriteString("Ready", "\xC3\xEE\xF2\xEE\xE2\xEE");  // "Готово"
  processes.WriteString("CurrentTask", "");                     // empty: keeps the default
  r.Create(kKey + "interface\\tree").WriteString("21", "Longer than ");
  r.Create(kKey + "interface\\Controls\\large file").WriteString("title", "\xC1\xEE\xEB\xFC\xF8\xEE\xE9");
  return r;
}

TEST(LoadLocalisation, AcceptsBuild518AndLater) {
  for (const int target : {518, 535}) {
    const Registry r = WithLocalisation(target);
    StringTable s;
    HtmlTemplates t;
    const LocalisationCheck check = LoadLocalisation(r, s, t, "/opt/");
    EXPECT_TRUE(check.installed && check.accepted);
    EXPECT_FALSE(check.ShowBuildCheck());
    EXPECT_EQ(s.Process("Ready"), "\xC3\xEE\xF2\xEE\xE2\xEE");
    EXPECT_EQ(s.Process("CurrentTask"), "CurrentTask: ");
    EXPECT_EQ(s.Process("SimplyfyHTML"), "Simplyfy HTML");
    EXPECT_EQ(s.Get(kTree, "21"), "Longer than ");
  }
}

TEST(LoadLocalisation, RefusesOlderOrUnversionedBuildsButDialogsStillApply) {
  for (const std::optional<int> target : {std::optional<int>(517), std::optional<int>()}) {
    const Registry r = WithLocalisation(target);
    StringTable s;
    HtmlTemplates t;
    const LocalisationCheck check = LoadLocalisation(r, s, t, "/opt/");
    EXPECT_TRUE(check.installed);
    EXPECT_FALSE(check.accepted);
    EXPECT_TRUE(check.ShowBuildCheck());
    EXPECT_EQ(s.Process("Ready"), "Ready");
    const std::string build = target ? "517" : "Unknown";
    EXPECT_EQ(check.BuildCheckMessage(),
              "Interface localization was created for build [" + build +
                  "], and is incompatible with curent version. Download latest localization from " +
                  std::string(kWebAddress));
    // The dialogs' own sections apply all the same; a key the section
    // lacks keeps the dialog's own text (an empty text in the table).
    EXPECT_EQ(s.Get(DialogSection(kDialogLargeFile), "title"), "\xC1\xEE\xEB\xFC\xF8\xEE\xE9");
    EXPECT_EQ(s.Get(DialogSection(kDialogLargeFile), "btn1"), "");
  }
  // A "target" that is not an integer counts as missing.
  Registry r = WithLocalisation(std::nullopt);
  r.Open(kKey + "interface")->WriteString("target", "600");
  StringTable s;
  HtmlTemplates t;
  EXPECT_EQ(LoadLocalisation(r, s, t, "/").BuildText(), "Unknown");
}

TEST(LoadLocalisation, NothingInstalledShowsNothing) {
  const Registry r;
  StringTable s;
  HtmlTemplates t;
  const LocalisationCheck check = LoadLocalisation(r, s, t, "/opt/");
  EXPECT_FALSE(check.installed);
  EXPECT_FALSE(check.ShowBuildCheck());
  EXPECT_EQ(t.header, HtmlTemplates().header);
  EXPECT_EQ(s.Get(DialogSection(kDialogBookmark), "title"), "");
  EXPECT_EQ(s.Get(DialogSection(kDialogAbout), "title"), "About Norvella");
}

TEST(LoadLocalisation, DialogSectionsApplyWithoutTheLocalisationsOwnValues) {
  Registry r;
  r.Create(kKey + "interface\\Controls\\bookmark").WriteString("title", "Bookmark name");
  r.Create(kKey + "interface\\menu").WriteString("file", "Archive");
  StringTable s;
  HtmlTemplates t;
  EXPECT_FALSE(LoadLocalisation(r, s, t, "/").accepted);
  EXPECT_EQ(s.Get(DialogSection(kDialogBookmark), "title"), "Bookmark name");
  EXPECT_EQ(s.Get(kMenu, "file"), "");  // the main window's sections need the checked key
}

TEST(InstalledAddOns, NamedAsTheAboutBoxShowsThem) {
  Registry r;
  EXPECT_FALSE(InstalledLocalisation(r).installed);
  EXPECT_FALSE(InstalledSkin(r).installed);
  r.Create(LocalisationKeyPath());
  r.Create(SkinKeyPath()).WriteString("name", "");
  EXPECT_TRUE(InstalledLocalisation(r).installed);
  EXPECT_EQ(InstalledLocalisation(r).name, "Unknown language");
  EXPECT_EQ(InstalledSkin(r).name, "Unknown html skin");
  r.Open(LocalisationKeyPath())->WriteString("name", "\xD0\xF3\xF1\xF1\xEA\xE8\xE9");
  r.Open(SkinKeyPath())->WriteString("name", "Sepia");
  EXPECT_EQ(InstalledLocalisation(r).name, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9");
  EXPECT_EQ(InstalledSkin(r).name, "Sepia");
  EXPECT_EQ(LocalisationKeyPath(), std::string(kSettingsKey) + "\\interface");
  EXPECT_EQ(SkinKeyPath(), std::string(kSettingsKey) + "\\html");
}

TEST(LoadHtmlSkin, ReplacesNonEmptyTemplatesAndExpandsTheFirstPlaceholder) {
  // A skin installed from an export file, refused localisation or not.
  Registry r = WithLocalisation(517);
  const RegFileContents skin = ParseRegFile(
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Marn Soft\\Norvella\\1.00\\html]\n"
      "\"name\"=\"Sepia\"\n"
      "\"TitleImage\"=\"<title>%s</title></head><body><img src=\\\"%norvellapath%covers/%s\\\">"
      "%norvellapath%\"\n"
      "\"lEnd\"=\"\"\n"
      "\"Header\"=\"<html><head><meta name=\\\"Generator\\\" content=\\\"Norvella\\\">\"\n");
  ASSERT_TRUE(skin.ok) << skin.error;
  ApplyRegFile(skin, r);
  StringTable s;
  HtmlTemplates t;
  const std::string folder = ProgramFolderText("C:\\Program Files\\Norvella\\norvella.exe");
  EXPECT_EQ(folder, "C|/Program%%20Files/Norvella/");
  LoadLocalisation(r, s, t, folder);
  EXPECT_EQ(t.titleImage,
            "<title>%s</title></head><body><img src=\"C|/Program%%20Files/Norvella/covers/%s\">%norvellapath%");
  EXPECT_EQ(FormatTemplate(t.titleImage, {"T", "c.png"}),
            "<title>T</title></head><body><img src=\"C|/Program%20Files/Norvella/covers/c.png\">"
            "%norvellapath%");
  EXPECT_EQ(t.end, "</body></html>");
  EXPECT_EQ(t.header, "<html><head><meta name=\"Generator\" content=\"Norvella\">");
  EXPECT_EQ(t.comment, HtmlTemplates().comment);
}

TEST(ProgramFolder, ComesFromTheRunningExecutable) {
  const std::string folder = RunningProgramFolderText();
  EXPECT_TRUE(folder.starts_with("/")) << folder;
  EXPECT_TRUE(folder.ends_with("/")) << folder;
  EXPECT_EQ(folder.find(' '), std::string::npos);
}

TEST(KeyboardLayout, NamesFromTheLanguageTable) {
  EXPECT_EQ(LanguageTable().size(), 43u);
  EXPECT_EQ(LanguageTable()[kDefaultLanguage].name, "Russian");
  EXPECT_EQ(KeyboardLayoutName(34), "00000419");
  EXPECT_EQ(KeyboardLayoutName(29), "00000400");  // Neutral
  EXPECT_EQ(KeyboardLayoutName(0), "00000436");   // Afrikaans
  EXPECT_EQ(KeyboardLayoutName(42), "0000042A");  // Vietnamese
  // A stored index outside the table falls back to the default language.
  EXPECT_EQ(KeyboardLayoutName(43), "00000419");
  EXPECT_EQ(KeyboardLayoutName(-1), "00000419");
}

class FakeLayouts final : public KeyboardLayouts {
 public:
  std::string ActiveLayoutName() override { return active; }
  bool ActivateLayout(const std::string& name) override {
    calls.push_back(name);
    if (name == refused) return false;
    active = name;
    return true;
  }
  std::string active = "00000409";
  std::string refused;
  std::vector<std::string> calls;
};

TEST(KeyboardLayout, BracketSwitchesOnlyWhenNeededAndRestores) {
  FakeLayouts layouts;
  {
    KeyboardLayoutBracket bracket(layouts, 34);
    EXPECT_TRUE(bracket.Activated());
    EXPECT_EQ(layouts.active, "00000419");
  }
  EXPECT_EQ(layouts.active, "00000409");
  layouts.calls.clear();
  layouts.active = "00000419";
  { KeyboardLayoutBracket bracket(layouts, 34); }
  EXPECT_TRUE(layouts.calls.empty());

  layouts.active = "00000409";
  layouts.refused = "00000419";
  StringTable s;
  LocaleSwitchError error;
  {
    KeyboardLayoutBracket bracket(layouts, 34);
    EXPECT_FALSE(bracket.Activated());
    const auto message = error.Take(s, 34);
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->ends_with(":\nerror while switching to: \"Russian\""));
    EXPECT_FALSE(error.Take(s, 34));  // once per run
  }
  EXPECT_EQ(layouts.active, "00000409");

  UnicodeKeyboardLayouts unicode;
  KeyboardLayoutBracket bracket(unicode, 12);
  EXPECT_TRUE(bracket.Activated());
}

}  // namespace
}  // namespace norvella
