#include "core/settings/window_placement.h"

#include <gtest/gtest.h>

#include "core/settings/registry.h"
#include "core/settings/settings_io.h"

namespace norvella {
namespace {

const WindowRect kScreen{0, 0, 1920, 1080};

TEST(WindowPlacement, ReadsBackWhatItWrites) {
  Registry registry;
  const WindowPlacement placement{{-1200, 40, 1024, 700}, true};
  WriteWindowPlacement(registry, placement);
  EXPECT_EQ(ReadWindowPlacement(registry), placement);
  EXPECT_EQ(FormatWindowPlacement(placement), "-1200 40 1024 700 1");
}

TEST(WindowPlacement, BrokenValuesAreNotTaken) {
  for (const char* text : {"", "1 2 800 600", "1 2 800 600 0 9", "1  2 800 600 0", "a 2 800 600 0",
                           "1 2 800 600 2", "1 2 100 600 0", "1 2 800 -600 0", "1 2 800 600 0 ",
                           "99999999999 2 800 600 0"})
    EXPECT_FALSE(ParseWindowPlacement(text)) << text;
  EXPECT_TRUE(ParseWindowPlacement("0 0 300 200 0"));
}

TEST(WindowPlacement, AStoreWithTheSizeAloneGivesThatSize) {
  Registry registry;
  EXPECT_FALSE(ReadWindowPlacement(registry));
  RegKey& key = registry.Create(kSettingsKey);
  key.WriteInteger("Window Width", 900);
  key.WriteInteger("Window Height", 640);
  const auto sized = ReadWindowPlacement(registry);
  ASSERT_TRUE(sized);
  EXPECT_FALSE(sized->positioned);
  EXPECT_EQ(ChooseWindowPlacement(sized, {kScreen}, kScreen).normal, (WindowRect{510, 220, 900, 640}));
  // The stored placement wins over the size, and a broken one over both.
  key.WriteString(kWindowPlacementValue, "10 20 800 600 0");
  EXPECT_EQ(ReadWindowPlacement(registry)->normal, (WindowRect{10, 20, 800, 600}));
  key.WriteString(kWindowPlacementValue, "garbage");
  EXPECT_FALSE(ReadWindowPlacement(registry));
}

TEST(WindowPlacement, TheFirstStartTakesThreeQuartersOfTheScreenCentred) {
  const WindowPlacement first = ChooseWindowPlacement(std::nullopt, {kScreen}, kScreen);
  EXPECT_EQ(first.normal, (WindowRect{240, 135, 1440, 810}));
  EXPECT_FALSE(first.maximized);
  // A panel at the top leaves an available area that starts lower.
  EXPECT_EQ(DefaultWindowRect({0, 32, 1280, 768}).y, 32 + 96);
}

TEST(WindowPlacement, APlacementOffEveryScreenFallsBack) {
  const WindowRect left{-1280, 0, 1280, 1024};
  const WindowPlacement onLeft{{-1100, 100, 900, 700}, true};
  EXPECT_EQ(ChooseWindowPlacement(onLeft, {kScreen, left}, kScreen), onLeft);
  // The second monitor is gone.
  const WindowPlacement fallback = ChooseWindowPlacement(onLeft, {kScreen}, kScreen);
  EXPECT_EQ(fallback.normal, DefaultWindowRect(kScreen));
  EXPECT_FALSE(fallback.maximized);
  // Only a sliver of the title bar on the screen, or larger than any screen.
  EXPECT_EQ(ChooseWindowPlacement(WindowPlacement{{1900, 100, 800, 600}}, {kScreen}, kScreen).normal,
            DefaultWindowRect(kScreen));
  EXPECT_EQ(ChooseWindowPlacement(WindowPlacement{{0, -20, 800, 600}}, {kScreen}, kScreen).normal,
            DefaultWindowRect(kScreen));
  EXPECT_EQ(ChooseWindowPlacement(WindowPlacement{{0, 0, 2500, 900}}, {kScreen}, kScreen).normal,
            DefaultWindowRect(kScreen));
}

}  // namespace
}  // namespace norvella
