#include "core/fonts/font_widths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

int Width(const FontTable& font, int code) { return font.charWidths[static_cast<std::size_t>(code - 32)]; }

TEST(BuiltinFonts, MatchTheMeasuredCharacters) {
  // Space . - 0 M W a i m, А Ж Ш а ж ш and the em dash of every font.
  const int codes[] = {0x20, 0x2E, 0x2D, 0x30, 0x4D, 0x57, 0x61, 0x69,
                       0x6D, 0xC0, 0xC6, 0xD8, 0xE0, 0xE6, 0xF8, 0x97};
  struct Row {
    const char* name;
    int widths[16];
  };
  const Row rows[] = {
      {"ThielVerdana 1.2 small", {5, 5, 7, 9, 11, 15, 8, 3, 13, 11, 15, 13, 8, 11, 11, 14}},
      {"ThielVerdana 1.2 large", {7, 7, 9, 12, 16, 19, 11, 6, 18, 13, 18, 20, 11, 15, 17, 19}},
      {"ThielVerdana 1.0 small", {5, 5, 7, 9, 11, 15, 8, 3, 13, 11, 14, 11, 8, 10, 9, 14}},
      {"ThielVerdana 1.0 large", {7, 7, 9, 12, 16, 19, 11, 6, 18, 13, 14, 18, 11, 12, 16, 19}},
      {"NozTimes 1.0 large", {5, 5, 6, 11, 19, 20, 9, 5, 17, 15, 19, 21, 8, 15, 15, 21}},
      {"NozTimes 1.0 small", {4, 4, 5, 7, 15, 16, 7, 4, 12, 12, 16, 16, 7, 10, 12, 16}},
      {"Rocket font large", {7, 7, 9, 12, 16, 19, 11, 6, 18, 13, 19, 15, 11, 18, 12, 19}},
      {"Rocket font small", {5, 5, 7, 9, 11, 15, 8, 3, 13, 11, 14, 11, 8, 13, 9, 14}},
  };
  ASSERT_EQ(BuiltinFonts().size(), std::size(rows));
  for (std::size_t f = 0; f < std::size(rows); ++f) {
    const FontTable& font = BuiltinFonts()[f];
    EXPECT_EQ(font.name, rows[f].name);  // also the order they are written in
    for (std::size_t c = 0; c < std::size(codes); ++c)
      EXPECT_EQ(Width(font, codes[c]), rows[f].widths[c]) << font.name << " code " << codes[c];
  }
}

TEST(BuiltinFonts, UnassignedCodesAreZeroExceptInTheNewerThielVerdana) {
  const int unassigned[] = {0x80, 0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E};
  for (const FontTable& font : BuiltinFonts()) {
    EXPECT_EQ(Width(font, 127), 0) << font.name;
    const bool measured = std::string_view(font.name).starts_with("ThielVerdana 1.2");
    for (int code : unassigned) EXPECT_EQ(Width(font, code) != 0, measured) << font.name << " " << code;
    for (std::uint8_t w : font.charWidths) EXPECT_LE(w, 29) << font.name;
    // Every assigned character has a width: nothing is measured as nothing.
    for (int code = 32; code < 255; ++code) {
      if (code == 127) continue;
      if (!measured && std::find(std::begin(unassigned), std::end(unassigned), code) != std::end(unassigned))
        continue;
      EXPECT_GT(Width(font, code), 0) << font.name << " " << code;
    }
  }
}

TEST(BuiltinFonts, FoundByNameInAnyLetterCase) {
  ASSERT_NE(FindBuiltinFont("nOzTiMeS 1.0 LARGE"), nullptr);
  EXPECT_EQ(FindBuiltinFont("nOzTiMeS 1.0 LARGE")->name, "NozTimes 1.0 large");
  EXPECT_EQ(FindBuiltinFont(kEveryBreakFont), nullptr);
}

TEST(ActiveFontWidths, BeforeLoadingHoldTheDefaultFont) {
  const ActiveFontWidths& w = BuiltinActiveFontWidths();
  EXPECT_EQ(w.hyphLineWidth, 312);
  EXPECT_EQ(w.activeCharWidths[0x41], 11);  // A
  EXPECT_EQ(w.activeCharWidths[0x89], 21);  // per mille
  EXPECT_EQ(w.activeCharWidths[0xFE], 12);  // ю
  EXPECT_EQ(w.activeCharWidths[0xFF], 8);   // я, not part of the stored table
  EXPECT_EQ(w.activeCharWidths['\t'], 5);   // control codes as a space
  EXPECT_EQ(w.activeCharWidths[0], 5);
}

TEST(StoredFontFormat, RoundTripsAndCopiesTheSpaceToControlCodes) {
  const FontTable& font = *FindBuiltinFont("NozTimes 1.0 large");
  const FontKeyValues stored = StoredValuesOf(font);
  ASSERT_TRUE(stored.charWidths);
  EXPECT_EQ(stored.charWidths->size(), 223u);
  EXPECT_EQ(stored.shortWidth, 314u);
  EXPECT_EQ(stored.longWidth, 474u);

  ActiveFontWidths w = BuiltinActiveFontWidths();
  ApplyCharWidths(*stored.charWidths, w);
  for (int code = 32; code < 255; ++code) EXPECT_EQ(w.activeCharWidths[code], Width(font, code));
  EXPECT_EQ(w.activeCharWidths[255], 8);
  EXPECT_EQ(w.activeCharWidths[31], 5);  // NozTimes large space
  EXPECT_EQ(w.activeCharWidths['\t'], 5);
}

TEST(StoredFontFormat, ShortLongAndOverlongValuesAreReadSafely) {
  ActiveFontWidths w = BuiltinActiveFontWidths();
  // A short value changes only what it covers.
  ApplyCharWidths({20, 21}, w);
  EXPECT_EQ(w.activeCharWidths[32], 20);
  EXPECT_EQ(w.activeCharWidths[33], 21);
  EXPECT_EQ(w.activeCharWidths[34], 6);
  EXPECT_EQ(w.activeCharWidths[10], 20);
  // One byte more than usual reaches code 255; anything beyond is ignored.
  std::vector<std::uint8_t> overlong(300, 7);
  overlong[223] = 17;
  ApplyCharWidths(overlong, w);
  EXPECT_EQ(w.activeCharWidths[255], 17);
  EXPECT_EQ(w.activeCharWidths[254], 7);
}

struct Loading : ::testing::Test {
  MemoryFontStore store;
  Options options;
  ActiveFontWidths widths = BuiltinActiveFontWidths();
  void Choose(std::string font, bool vertical = true) {
    options.SetText(Opt::HyphFont, std::move(font));
    options.SetFlag(Opt::ILikeOrientation, vertical);
  }
};

TEST_F(Loading, FirstStartStoresTheEightFontsAndLoadsTheDefault) {
  LoadFontWidths(store, options, widths);
  const std::vector<std::string> names = store.FontNames();
  EXPECT_EQ(names.size(), 8u);
  for (const FontTable& font : BuiltinFonts()) {
    const auto key = store.ReadFont(font.name, false);
    ASSERT_TRUE(key) << font.name;
    ASSERT_TRUE(key->charWidths);
    EXPECT_EQ(key->charWidths->size(), 223u);
    EXPECT_EQ(key->shortWidth, 314u);
    EXPECT_EQ(key->longWidth, 474u);
  }
  EXPECT_EQ(widths.hyphLineWidth, 314);  // vertical by default
  EXPECT_EQ(widths.activeCharWidths, BuiltinActiveFontWidths().activeCharWidths);
}

TEST_F(Loading, TheOrientationChoosesTheLineWidth) {
  Choose("Rocket font large", false);
  LoadFontWidths(store, options, widths);
  EXPECT_EQ(widths.hyphLineWidth, 474);
  EXPECT_EQ(widths.activeCharWidths['M'], 16);
  EXPECT_EQ(widths.activeCharWidths[0], 7);  // its space width
  Choose("Rocket font large", true);
  ReloadFontWidths(store, options, widths);
  EXPECT_EQ(widths.hyphLineWidth, 314);
}

TEST_F(Loading, AMissingBuiltinFontRestoresAllEightOverwritingEdits) {
  WriteDefaultFontWidths(store);
  store.WriteFont("NozTimes 1.0 small", {std::vector<std::uint8_t>(223, 1), 100, 200});
  store.DeleteFont("Rocket font small");
  LoadFontWidths(store, options, widths);
  EXPECT_EQ(store.FontNames().size(), 8u);
  EXPECT_EQ(store.ReadFont("NozTimes 1.0 small", false)->shortWidth, 314u);
  EXPECT_EQ((*store.ReadFont("NozTimes 1.0 small", false)->charWidths)[0], 4);
}

TEST_F(Loading, ACompleteSetIsLeftAsTheUserEditedIt) {
  WriteDefaultFontWidths(store);
  store.WriteFont("ThielVerdana 1.2 small", {std::nullopt, 300, std::nullopt});
  LoadFontWidths(store, options, widths);
  EXPECT_EQ(widths.hyphLineWidth, 300);
}

TEST_F(Loading, FontNamesCompareWithoutLetterCase) {
  for (const FontTable& font : BuiltinFonts()) {
    FontKeyValues values = StoredValuesOf(font);
    values.shortWidth = 290;
    store.WriteFont(LowerCase(font.name), values);
  }
  LoadFontWidths(store, options, widths);
  EXPECT_EQ(store.FontNames().size(), 8u);
  EXPECT_EQ(widths.hyphLineWidth, 290);  // not rewritten
}

TEST_F(Loading, AUserFontCanBeChosen) {
  std::vector<std::uint8_t> mine(223, 3);
  store.WriteFont("My font", {mine, 200, 400});
  Choose("My font", false);
  LoadFontWidths(store, options, widths);
  EXPECT_EQ(widths.hyphLineWidth, 400);
  EXPECT_EQ(widths.activeCharWidths['a'], 3);
  EXPECT_EQ(widths.activeCharWidths[255], 8);
  EXPECT_EQ(store.FontNames().size(), 9u);
}

TEST_F(Loading, TheEveryBreakModeLoadsNoTable) {
  Choose(std::string(kEveryBreakFont), false);
  LoadFontWidths(store, options, widths);
  EXPECT_EQ(store.FontNames().size(), 8u);  // the tables are still ensured
  EXPECT_EQ(widths.hyphLineWidth, 312);
  ReloadFontWidths(store, options, widths);
  EXPECT_EQ(widths.hyphLineWidth, 312);
}

TEST_F(Loading, AFontWithoutWidthsRewritesTheBuiltinsAndKeepsTheTable) {
  WriteDefaultFontWidths(store);
  store.WriteFont("Broken", {std::nullopt, 250, 450});
  Choose("Broken");
  store.WriteFont("NozTimes 1.0 small", {std::nullopt, 1, std::nullopt});
  LoadFontWidths(store, options, widths);
  EXPECT_EQ(store.ReadFont("NozTimes 1.0 small", false)->shortWidth, 314u);
  EXPECT_EQ(widths.activeCharWidths, BuiltinActiveFontWidths().activeCharWidths);
  EXPECT_EQ(widths.hyphLineWidth, 250);
}

TEST_F(Loading, AMissingLineWidthKeepsTheCurrentOne) {
  store.WriteFont("Narrow", {std::vector<std::uint8_t>(223, 2), std::nullopt, std::nullopt});
  Choose("Narrow");
  widths.hyphLineWidth = 333;
  LoadFontWidths(store, options, widths);
  EXPECT_EQ(widths.activeCharWidths['x'], 2);
  EXPECT_EQ(widths.hyphLineWidth, 333);
}

TEST_F(Loading, AnUnknownFontGetsAnEmptyKeyAndChangesNothing) {
  Choose("No such font");
  LoadFontWidths(store, options, widths);
  const auto key = store.ReadFont("No such font", false);
  ASSERT_TRUE(key);
  EXPECT_FALSE(key->charWidths);
  EXPECT_EQ(widths.hyphLineWidth, 312);
  EXPECT_EQ(widths.activeCharWidths, BuiltinActiveFontWidths().activeCharWidths);
}

TEST_F(Loading, ReloadingNeverWrites) {
  Choose("NozTimes 1.0 large");
  ReloadFontWidths(store, options, widths);
  EXPECT_TRUE(store.FontNames().empty());
  EXPECT_EQ(widths.hyphLineWidth, 312);
}

TEST_F(Loading, AHugeStoredLineWidthIsNotNegative) {
  store.WriteFont("Wide", {std::vector<std::uint8_t>(223, 2), 0xFFFFFFFFu, 0xFFFFFFFFu});
  Choose("Wide");
  LoadFontWidths(store, options, widths);
  EXPECT_EQ(widths.hyphLineWidth, INT_MAX);
}

}  // namespace
}  // namespace norvella
