#include "core/settings/settings_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "core/i18n/strings.h"
#include "core/i18n/option_nodes.h"

namespace norvella {
namespace {

class Recorder : public OptionsListener {
 public:
  void OptionChanged(Opt id) override { changed.push_back(id); }
  std::vector<Opt> changed;
};

// Options with every value changed from its default.
Options ChangedOptions() {
  Options o;
  for (const auto& info : OptionTable()) {
    switch (info.type) {
      case OptionType::Bool: o.SetFlag(info.id, info.intDefault == 0); break;
      case OptionType::Int: o.SetNumber(info.id, info.intDefault + 7); break;
      case OptionType::String: o.StoreText(info.id, std::string(info.name) + " \xC7"); break;
    }
  }
  return o;
}

SaveSettingsState EverythingKnown() {
  SaveSettingsState s;
  s.sourceOpenDialogHasFile = s.readerOpenDialogHasFile = true;
  s.htmlSaveDialogHasFile = s.sourceSaveDialogHasFile = true;
  s.executablePath = "/opt/nor vella/bin/norvella";
  return s;
}

TEST(LoadSettings, FirstStartKeepsEveryDefault) {
  const Registry empty;
  Options o;
  LoadSettings(empty, o);
  const Options defaults;
  for (const auto& info : OptionTable()) {
    EXPECT_EQ(o.Number(info.id), defaults.Number(info.id)) << info.name;
    EXPECT_EQ(o.Text(info.id), defaults.Text(info.id)) << info.name;
  }
  EXPECT_EQ(InitialPreviewPath("/tmp/"), "/tmp/$~$~marn_temp9223372036854775807.htm");
}

TEST(LoadSettings, SavedValuesComeBackInFull) {
  const Options saved = ChangedOptions();
  Registry r;
  SaveSettings(r, saved, EverythingKnown());
  Options o;
  LoadSettings(r, o);
  for (const auto& info : OptionTable()) {
    if (info.id == Opt::LastReaderFileLower) continue;  // one stored value with "Last reader file"
    EXPECT_EQ(o.Number(info.id), saved.Number(info.id)) << info.name;
    EXPECT_EQ(o.Text(info.id), saved.Text(info.id)) << info.name;
  }
  EXPECT_EQ(o.Text(Opt::LastReaderFileLower), saved.Text(Opt::LastReaderFile));
  // Booleans are stored as 1 and 0, and any other number reads as on.
  RegKey* key = r.Open(kSettingsKey);
  EXPECT_EQ(key->ReadInteger("KillLinks"), 0);
  EXPECT_EQ(key->ReadInteger("Show HTML"), 1);
  key->WriteInteger("KillLinks", -3);
  LoadSettings(r, o);
  EXPECT_TRUE(o.Flag(Opt::KillLinks));
}

TEST(LoadSettings, StopsAtTheFirstMissingOrWronglyTypedNumber) {
  Registry r;
  SaveSettings(r, ChangedOptions(), EverythingKnown());
  RegKey* key = r.Open(kSettingsKey);
  key->DeleteValue("Short strings max");
  Options o;
  LoadSettings(r, o);
  const Options changed = ChangedOptions();
  const Options defaults;
  EXPECT_EQ(o.Flag(Opt::KillLinks), changed.Flag(Opt::KillLinks));
  EXPECT_EQ(o.Number(Opt::LongStringsMin), changed.Number(Opt::LongStringsMin));
  EXPECT_EQ(o.Number(Opt::ShortStringsMax), defaults.Number(Opt::ShortStringsMax));
  EXPECT_EQ(o.Number(Opt::NumberOfNbsp), defaults.Number(Opt::NumberOfNbsp));
  EXPECT_EQ(o.Text(Opt::HeadCloseTag), defaults.Text(Opt::HeadCloseTag));
  EXPECT_EQ(o.Flag(Opt::ApplyReaderStyleForNewDocs), defaults.Flag(Opt::ApplyReaderStyleForNewDocs));

  // A Boolean stored as text is unreadable too; so is a string stored as a number.
  key->WriteInteger("Short strings max", 9);
  key->WriteString("Hyphenate", "1");
  Options p;
  LoadSettings(r, p);
  EXPECT_EQ(p.Flag(Opt::DetectEpigraphs), changed.Flag(Opt::DetectEpigraphs));
  EXPECT_EQ(p.Flag(Opt::Hyphenate), defaults.Flag(Opt::Hyphenate));
  EXPECT_EQ(p.Text(Opt::HyphFont), defaults.Text(Opt::HyphFont));
  key->WriteInteger("Hyphenate", 1);
  key->WriteInteger("OpenEpigraph", 5);
  Options q;
  LoadSettings(r, q);
  EXPECT_EQ(q.Text(Opt::HyphFont), changed.Text(Opt::HyphFont));
  EXPECT_EQ(q.Text(Opt::OpenEpigraph), defaults.Text(Opt::OpenEpigraph));
}

TEST(LoadSettings, MissingStringsReadEmptyThroughTheirSetters) {
  Registry r;
  SaveSettings(r, Options(), EverythingKnown());
  RegKey* key = r.Open(kSettingsKey);
  key->WriteString("Head string close tag", "</h3>");
  key->WriteString("Head string start tag", "");  // the custom header tag is off
  key->DeleteValue("Paragraph end tag");           // stored directly: becomes empty
  key->DeleteValue("Hyph font");                   // empty means the built-in font
  key->DeleteValue("Empty lines replace with");
  key->DeleteValue("OpenEpigraph");
  Options o;
  LoadSettings(r, o);
  EXPECT_EQ(o.Text(Opt::HeadStartTag), "");
  EXPECT_EQ(o.Text(Opt::HeadCloseTag), "</h1>");
  EXPECT_EQ(o.Text(Opt::ParagraphStartTag), "");
  EXPECT_EQ(o.Text(Opt::ParagraphEndTag), "</div>");  // reset by the empty start tag read after it
  EXPECT_EQ(o.Text(Opt::HyphFont), "ThielVerdana 1.2 small");
  EXPECT_EQ(o.Text(Opt::EmptyLinesReplaceWith), "");
  RestoreEmptyDefaults(o);
  EXPECT_EQ(o.Text(Opt::EmptyLinesReplaceWith), "<br>");
  EXPECT_EQ(o.Text(Opt::OpenEpigraph), Options().Text(Opt::OpenEpigraph));

  key->WriteString("Paragraph start tag", "<p>");
  key->DeleteValue("Paragraph end tag");
  Options p;
  LoadSettings(r, p);
  EXPECT_EQ(p.Text(Opt::ParagraphEndTag), "");  // a missing directly stored string is empty
}

TEST(LoadSettings, InterfaceModeSetterRemembersTheModeLeft) {
  Registry r;
  Options saved;
  saved.SetNumber(Opt::InterfaceMode, kReaderMode);
  SaveSettings(r, saved, {});
  RegKey* key = r.Open(kSettingsKey);
  key->DeleteValue("Asked about title");  // loading stops right after the interface mode
  Options o;
  o.SetNumber(Opt::InterfaceMode, kAdvancedMode);
  o.SetNumber(Opt::InterfaceMode, kSimpleMode);  // start-up comes up in the simple mode
  LoadSettings(r, o);
  EXPECT_EQ(o.Number(Opt::InterfaceMode), kReaderMode);
  EXPECT_EQ(o.Number(Opt::PreviousMode), kSimpleMode);
  o.SetNumber(Opt::InterfaceMode, kAdvancedMode);  // leaving the reader keeps "Previous mode"
  EXPECT_EQ(o.Number(Opt::PreviousMode), kSimpleMode);
}

TEST(LoadSettings, EverySetterTellsTheListener) {
  Registry r;
  SaveSettings(r, ChangedOptions(), EverythingKnown());
  Options o;
  Recorder rec;
  o.SetListener(&rec);
  LoadSettings(r, o);
  for (const auto& info : OptionTable())
    EXPECT_NE(std::find(rec.changed.begin(), rec.changed.end(), info.id), rec.changed.end()) << info.name;
}

// "Last readed doc pos" used to be written only while a document was shown;
// a store written with none then stopped the loading there, and every value
// after it ("Kill font tags", the recent files, the folders...) came back
// with its default at the next start.
TEST(SaveSettings, AStoreWrittenWithNoDocumentShownIsReadBackWhole) {
  // Whatever the dialogs hold at exit: every option comes back, the folders
  // whose dialog had no file keep what the store held before.
  for (int dialogs = 0; dialogs < 16; ++dialogs) {
    SaveSettingsState state;
    state.sourceOpenDialogHasFile = dialogs & 1;
    state.readerOpenDialogHasFile = dialogs & 2;
    state.htmlSaveDialogHasFile = dialogs & 4;
    state.sourceSaveDialogHasFile = dialogs & 8;
    const bool written[] = {state.sourceOpenDialogHasFile, state.readerOpenDialogHasFile,
                            state.htmlSaveDialogHasFile, state.sourceSaveDialogHasFile};
    const Opt folders[] = {Opt::LastEditOpenDir, Opt::LastReadDir, Opt::LastEditSaveDir, Opt::LastEditSaveSrcDir};
    const Options saved = ChangedOptions();
    Registry r;
    SaveSettings(r, saved, state);
    Options o;
    LoadSettings(r, o);
    const Options defaults;
    for (const auto& info : OptionTable()) {
      const Opt* folder = std::find(std::begin(folders), std::end(folders), info.id);
      const bool kept = folder == std::end(folders) || written[folder - std::begin(folders)];
      const Opt source = info.id == Opt::LastReaderFileLower ? Opt::LastReaderFile : info.id;
      const Options& expected = kept ? saved : defaults;
      EXPECT_EQ(o.Number(info.id), expected.Number(source)) << info.name << " dialogs " << dialogs;
      EXPECT_EQ(o.Text(info.id), expected.Text(source)) << info.name << " dialogs " << dialogs;
    }
  }

  // Any one option changed in a session with no document and no dialog
  // used survives the restart; the position comes back as it was loaded.
  for (const auto& info : OptionTable()) {
    if (info.id == Opt::LastReaderFileLower) continue;  // one stored value with "Last reader file"
    Registry before;
    Options first;
    first.SetNumber(Opt::LastReadDocPos, 123456);
    SaveSettings(before, first, {});
    Options session;
    LoadSettings(before, session);
    ASSERT_EQ(session.Number(Opt::LastReadDocPos), 123456);
    // A paragraph end tag goes with a start tag: with an empty start tag it
    // is "</div>" by rule.
    if (info.id == Opt::ParagraphEndTag) session.SetText(Opt::ParagraphStartTag, "<p>");
    switch (info.type) {
      case OptionType::Bool: session.SetFlag(info.id, !session.Flag(info.id)); break;
      case OptionType::Int: session.SetNumber(info.id, session.Number(info.id) + 3); break;
      case OptionType::String: session.StoreText(info.id, "changed \xC7"); break;
    }
    SaveSettingsState state;
    const bool folder = info.id == Opt::LastEditOpenDir || info.id == Opt::LastReadDir ||
                        info.id == Opt::LastEditSaveDir || info.id == Opt::LastEditSaveSrcDir;
    // A folder changes only through its dialog, which then has a file.
    if (folder) state = EverythingKnown();
    SaveSettings(before, session, state);
    Options next;
    LoadSettings(before, next);
    for (const auto& other : OptionTable()) {
      if (other.id == Opt::LastReaderFileLower) continue;
      EXPECT_EQ(next.Number(other.id), session.Number(other.id)) << info.name << ": " << other.name;
      EXPECT_EQ(next.Text(other.id), session.Text(other.id)) << info.name << ": " << other.name;
    }
  }
}

TEST(SaveSettings, WritesInTableOrderWithTheUninstallEntry) {
  Registry r;
  Options o;
  o.StoreText(Opt::LastEditOpenDir, "/home/u/books");
  SaveSettings(r, o, {.executablePath = "/opt/nor vella/norvella"});
  const RegKey* key = r.Open(kSettingsKey);
  ASSERT_NE(key, nullptr);
  const auto names = key->ValueNames();
  ASSERT_EQ(names.size(), OptionTable().size() - 1 - 4);  // one case twin and four folders
  EXPECT_EQ(names.front(), "KillLinks");
  EXPECT_EQ(names[7], "Londg strings min");
  EXPECT_EQ(names.back(), "Apply reader style for new docs");
  EXPECT_EQ(key->ReadInteger("Last readed doc pos"), 0);
  EXPECT_FALSE(key->HasValue("Last edit open dir"));
  EXPECT_EQ(key->ReadString("Head string start tag"), "<h1 align=\"center\">");
  const RegKey* uninstall = r.Open(kUninstallKey);
  ASSERT_NE(uninstall, nullptr);
  EXPECT_EQ(uninstall->ReadString("DisplayName"), "Norvella v1.00 (remove only)");
  EXPECT_EQ(uninstall->ReadString("UninstallString"), "\"/opt/nor vella/norvella\" /UNINSTALL");
}

TEST(RemoveStoredData, LeavesWhatElseTheMakerKeeps) {
  Registry r;
  SaveSettings(r, Options(), {});
  r.Create(std::string(kSettingsKey) + "\\interface\\messages").WriteString("Error", "x");
  RemoveStoredData(r);
  EXPECT_TRUE(r.Empty());  // nothing of the maker or of the uninstall entry is left

  SaveSettings(r, Options(), {});
  r.Create("Software\\Marn Soft\\Other program").WriteInteger("n", 1);
  r.Create("Software\\Marn Soft\\Norvella\\2.00");
  r.Create("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other").WriteString("a", "b");
  RemoveStoredData(r);
  EXPECT_EQ(r.Open(kSettingsKey), nullptr);
  EXPECT_EQ(r.Open(kUninstallKey), nullptr);
  EXPECT_NE(r.Open("Software\\Marn Soft\\Norvella\\2.00"), nullptr);
  EXPECT_NE(r.Open("Software\\Marn Soft\\Other program"), nullptr);
  EXPECT_NE(r.Open("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other"), nullptr);
}

TEST(TMyReg, EmptyOrMissingValuesGiveTheDefault) {
  Registry r;
  RegKey& messages = r.Create(std::string(kSettingsKey) + "\\interface\\messages");
  messages.WriteString("Error", "");
  messages.WriteString("Info", "\xC8\xED\xF4\xEE");
  messages.WriteInteger("Confirm", 1);
  const TMyReg reader(r, "interface\\messages");
  ASSERT_TRUE(reader.Opened());
  EXPECT_EQ(reader.ReadString("Error", "Error"), "Error");
  EXPECT_EQ(reader.ReadString("Info", "info"), "\xC8\xED\xF4\xEE");
  EXPECT_EQ(reader.ReadString("Confirm", "Confirm"), "Confirm");
  EXPECT_EQ(reader.ReadString("d", "missing"), "d");
  const TMyReg absent(r, "interface\\processes");
  EXPECT_FALSE(absent.Opened());
  EXPECT_EQ(absent.ReadString("d", "Ready"), "d");
  EXPECT_EQ(r.Open(std::string(kSettingsKey) + "\\interface\\processes"), nullptr);  // not created
}

TEST(OptionNodes, CaptionsAndIconsFollowTheSetters) {
  Options o;
  StringTable s;
  EXPECT_EQ(OptionNodeCaption(Opt::LongStringsMin, o, s), "Strings longer than 80");
  o.SetNumber(Opt::LongStringsMin, kLengthOff);
  EXPECT_EQ(OptionNodeCaption(Opt::LongStringsMin, o, s), "Strings longer than 80");
  EXPECT_EQ(OptionNodeIcon(Opt::LongStringsMin, o), kIconOff);
  o.SetNumber(Opt::LongStringsMin, 65);
  EXPECT_EQ(OptionNodeCaption(Opt::LongStringsMin, o, s), "Strings longer than 65");
  EXPECT_EQ(OptionNodeIcon(Opt::LongStringsMin, o), kIconOn);

  s.Set(kTree, "22", "\xCA\xEE\xF0\xEE\xF7\xE5 ");
  o.SetNumber(Opt::ShortStringsMax, 0);
  EXPECT_EQ(OptionNodeCaption(Opt::ShortStringsMax, o, s), "\xCA\xEE\xF0\xEE\xF7\xE5 80");
  EXPECT_EQ(OptionNodeIcon(Opt::ShortStringsMax, o), kIconOff);
  o.SetNumber(Opt::ShortStringsMax, 1);
  EXPECT_EQ(OptionNodeCaption(Opt::ShortStringsMax, o, s), "\xCA\xEE\xF0\xEE\xF7\xE5 1");

  o.SetNumber(Opt::DetectTwoEmptyLines, 3);
  EXPECT_EQ(OptionNodeCaption(Opt::DetectTwoEmptyLines, o, s), "3 and more empty lines to <br>");
  o.SetNumber(Opt::DetectTwoEmptyLines, 0);
  EXPECT_EQ(OptionNodeCaption(Opt::DetectTwoEmptyLines, o, s), "2 and more empty lines to <br>");
  EXPECT_EQ(OptionNodeIcon(Opt::DetectTwoEmptyLines, o), kIconOff);

  EXPECT_EQ(OptionNodeIcon(Opt::HeadStartTag, o), kIconOn);
  o.SetText(Opt::HeadStartTag, "");
  EXPECT_EQ(OptionNodeIcon(Opt::HeadStartTag, o), kIconOff);
  EXPECT_EQ(OptionNodeIcon(Opt::ParagraphStartTag, o), kIconOff);
  EXPECT_EQ(OptionNodeIcon(Opt::KillFontTags, o), kIconOff);
  EXPECT_EQ(OptionNodeIcon(Opt::WindowWidth, o), std::nullopt);
  EXPECT_EQ(OptionNodeCaption(Opt::KillLinks, o, s), std::nullopt);
}

}  // namespace
}  // namespace norvella
