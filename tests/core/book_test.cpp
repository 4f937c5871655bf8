#include "core/book/book.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/convert_command.h"
#include "core/base/file_io.h"
#include "core/fonts/font_store.h"
#include "core/settings/registry.h"
#include "core/settings/settings_io.h"
#include "core/settings/store.h"
#include "core/source/source_loader.h"
#include "tests/support/scratch_folder.h"

namespace norvella {
namespace {

const std::string kKey = std::string(kSettingsKey) + "\\";

// A store with a localisation, a skin, stored options (one of them left
// empty) and a font of its own chosen by "Hyph font".
void Fill(Registry& keys) {
  RegKey& root = keys.Create(kKey + "interface");
  root.WriteInteger("target", 535);
  keys.Create(kKey + "interface\\processes").WriteString("Ready", "Done here");
  keys.Create(kKey + std::string(kSkinSection)).WriteString("lEnd", "<p>skin</p></body></html>");
  Options stored;
  stored.SetNumber(Opt::NumberOfNbsp, 2);
  stored.SetText(Opt::EmptyLinesReplaceWith, "");
  stored.SetText(Opt::HyphFont, "Narrow");
  SaveSettings(keys, stored, SaveSettingsState{});
  FontKeyValues narrow;
  narrow.charWidths = std::vector<std::uint8_t>(kStoredWidthCount, 3);
  narrow.shortWidth = 100;
  narrow.longWidth = 200;
  RegistryFontStore(keys).WriteFont("Narrow", narrow);
}

TEST(LoadBookSetup, ReadsLocalisationOptionsRepairsAndFontsInOrder) {
  Registry keys;
  Fill(keys);
  RegistrySetupStore store(keys, "/opt/norvella/");
  BookSetup setup;
  const LocalisationCheck check = LoadBookSetup(store, setup);
  EXPECT_TRUE(check.accepted);
  EXPECT_EQ(setup.strings.Process("Ready"), "Done here");
  EXPECT_EQ(setup.options.Number(Opt::NumberOfNbsp), 2);
  // The stored empty text does not survive the repair.
  EXPECT_FALSE(setup.options.Text(Opt::EmptyLinesReplaceWith).empty());
  // The stored font, in the stored orientation.
  EXPECT_EQ(setup.fontWidths.activeCharWidths['a'], 3);
  EXPECT_EQ(setup.fontWidths.hyphLineWidth,
            setup.options.Flag(Opt::ILikeOrientation) ? 100 : 200);
}

TEST(LoadBookSetup, WithoutAStoreGivesTheBuiltInSetup) {
  SetupStore none;
  BookSetup setup;
  EXPECT_FALSE(LoadBookSetup(none, setup).installed);
  const BookSetup builtin;
  EXPECT_EQ(setup.options.Number(Opt::NumberOfNbsp), builtin.options.Number(Opt::NumberOfNbsp));
  EXPECT_EQ(setup.strings.Process("Ready"), builtin.strings.Process("Ready"));
  EXPECT_EQ(setup.fontWidths.activeCharWidths, BuiltinActiveFontWidths().activeCharWidths);
}

// Reloading the fonts starts from the built-in table, so a font chosen
// later does not inherit the line width of the one loaded first.
TEST(LoadBookFonts, StartsAgainFromTheBuiltInTable) {
  Registry keys;
  Fill(keys);
  FontKeyValues noWidth;
  noWidth.charWidths = std::vector<std::uint8_t>(kStoredWidthCount, 5);
  RegistryFontStore(keys).WriteFont("No width", noWidth);
  RegistrySetupStore store(keys, "/opt/norvella/");
  BookSetup setup;
  LoadBookSetup(store, setup);
  setup.options.SetText(Opt::HyphFont, "No width");
  LoadBookFonts(store, setup);
  EXPECT_EQ(setup.fontWidths.activeCharWidths['a'], 5);
  EXPECT_EQ(setup.fontWidths.hyphLineWidth, kInitialLineWidth);
}

class BookFrontEnds : public test::ScratchFolderTest {};

// The command line is the one setup and conversion: its output is what
// LoadBookSetup, LoadSrc and ConvertBook give over the same settings file.
TEST_F(BookFrontEnds, TheCommandLineWritesWhatConvertBookGives) {
  const std::string storePath = (dir_ / "registry.reg").string();
  {
    SettingsStore file(storePath);
    Fill(file.Keys());
    ASSERT_TRUE(file.Save().ok);
  }
  const std::string input =
      Write("book.txt", "\xC3\xEB\xE0\xE2\xE0 1\r\n\r\n    \xCE\xED \xEF\xF0\xE8\xF8\xB8\xEB - "
                        "\xE8 \xF3\xF8\xB8\xEB.\r\n");

  SettingsStore file(storePath);
  ASSERT_TRUE(file.Load().found);
  RegistrySetupStore store(file.Keys(), RunningProgramFolderText());
  BookSetup setup;
  LoadBookSetup(store, setup);
  setup.options.SetFlag(Opt::AskAboutLargeFiles, false);
  setup.options.SetNumber(Opt::OpenForReadingConverted, 2);
  NullObserver observer;
  StatusReporter status(observer, setup.strings);
  SourceQuestions questions;
  DocumentProperties doc;
  SourceState state;
  SourceLoadContext load{setup.options, setup.strings, doc, state, questions, &status};
  const LoadResult loaded = LoadSrc(input, SourceEncoding::kAutodetect, load);
  ASSERT_EQ(loaded.outcome, LoadOutcome::kLoaded);
  const std::string expected = ConvertBook(loaded.text, setup, doc, status, questions).document;
  EXPECT_NE(expected.find("<p>skin</p>"), std::string::npos);

  std::ostringstream out, err;
  ASSERT_EQ(RunConvertCommand({"--settings", storePath, "-q", "-o", "-", input}, out, err, false), 0)
      << err.str();
  EXPECT_TRUE(out.str() == expected);
}

}  // namespace
}  // namespace norvella
