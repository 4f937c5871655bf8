#include "core/reader/reader_style.h"

#include <gtest/gtest.h>

#include "core/i18n/strings.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

TEST(ReaderStyle, FixedSchemesSetNoFontSizeAndAreRemembered) {
  Options options;
  EXPECT_TRUE(LastStyle(options).Empty());
  SetLastStyle(options, {"Arial", "14pt", "#FF0000", "White"});
  // A fixed scheme replaces the whole remembered style: the size of an
  // earlier custom style must not come back with it.
  SetLastStyle(options, FixedScheme(kYellowSchemeTag));
  EXPECT_EQ(LastStyle(options), (ReaderStyle{"Verdana", "", "Yellow", "Black"}));
  EXPECT_EQ(options.Text(Opt::DefStyleFontSize), "");
  EXPECT_EQ(FixedScheme(kGreenSchemeTag), (ReaderStyle{"Verdana", "", "Lime", "Black"}));
  EXPECT_TRUE(FixedScheme(3).Empty());

  EXPECT_EQ(ChosenStyleSettings(FixedScheme(kGreenSchemeTag)),
            (std::vector<BodyStyleSetting>{{"color", "Lime"}, {"backgroundColor", "Black"}, {"fontFamily", "Verdana"}}));
  EXPECT_EQ(ChosenStyleSettings({"Georgia", "12pt", "#00FF00", "Black"}).back(),
            (BodyStyleSetting{"fontSize", "12pt"}));
}

TEST(ReaderStyle, TheRememberedStyleSetsOnlyWhatItHolds) {
  EXPECT_EQ(RememberedStyleSettings({"Verdana", "", "Yellow", "Black"}),
            (std::vector<BodyStyleSetting>{{"fontFamily", "Verdana"}, {"color", "Yellow"}, {"backgroundColor", "Black"}}));
  EXPECT_EQ(RememberedStyleSettings({"", "12pt", "", ""}), (std::vector<BodyStyleSetting>{{"fontSize", "12pt"}}));
  EXPECT_TRUE(RememberedStyleSettings({}).empty());
  EXPECT_EQ(NoStyleSettings(), (std::vector<BodyStyleSetting>{{"cssText", ""}}));
}

TEST(ReaderStyle, ColorToHtmlWritesRrGgBb) {
  EXPECT_EQ(ColorToHtml(255, 0, 0), "#FF0000");
  EXPECT_EQ(ColorToHtml(10, 171, 205), "#0AABCD");
  EXPECT_EQ(ColorToHtml(-4, 300, 0), "#00FF00");
}

TEST(ReaderStyle, TheStatusTextNamesTheFourTexts) {
  StringTable strings;
  EXPECT_EQ(ApplyStyleStatus(strings, FixedScheme(kYellowSchemeTag)),
            "CurrentTask: Applying style [\"Verdana, , Yellow\" on \"Black\"]. Please wait, this may take a while...");
}

TEST(ReaderStyle, TextSizeLevelsStayWithinTheFiveSteps) {
  for (int level = 0; level <= 4; ++level) EXPECT_EQ(FontSizeLevelFromTag(level, 2), level);
  EXPECT_EQ(FontSizeLevelFromTag(kIncreaseTextSizeTag, 2), 3);
  EXPECT_EQ(FontSizeLevelFromTag(kDecreaseTextSizeTag, 2), 1);
  EXPECT_EQ(FontSizeLevelFromTag(kIncreaseTextSizeTag, kLargestTextSize), kLargestTextSize);
  EXPECT_EQ(FontSizeLevelFromTag(kDecreaseTextSizeTag, kSmallestTextSize), kSmallestTextSize);
  // A stored level out of range counts as its nearest step.
  EXPECT_EQ(FontSizeLevelFromTag(kDecreaseTextSizeTag, 17), 3);
  EXPECT_EQ(FontSizeLevelFromTag(-1, 2), 0);
  double last = 0;
  for (int level = 0; level <= 4; ++level) {
    EXPECT_GT(TextSizeZoomFactor(level), last);
    last = TextSizeZoomFactor(level);
  }
  EXPECT_EQ(TextSizeZoomFactor(kNormalTextSize), 1.0);
  EXPECT_EQ(TextSizeZoomFactor(9), TextSizeZoomFactor(kLargestTextSize));
}

}  // namespace
}  // namespace norvella
