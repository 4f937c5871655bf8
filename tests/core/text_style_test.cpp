#include "core/convert/text_style.h"

#include <gtest/gtest.h>

#include "core/settings/options.h"

namespace norvella {
namespace {

std::string Repeat(const std::string& line, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += line + "\r\n";
  return out;
}

// A text whose sample (characters 2000 on) consists of the given lines.
std::string WithSample(const std::string& sampleLines) {
  return std::string(1997, 'x') + "\r\n" + sampleLines;  // the sample starts at the first line
}

TEST(DetectTextStyle, ShortTextsAreFixedWidth) {
  EXPECT_EQ(DetectTextStyle(std::string(1999, 'a')), kStyleFixedWidth);
  // A sample with fewer than five lines after the first is dropped.
  EXPECT_EQ(DetectTextStyle(WithSample(Repeat(std::string(3000, 'a'), 4))), kStyleFixedWidth);
}

TEST(DetectTextStyle, EightyCharacterLinesRoundDownToFixed) {
  // 12 lines in the sample: the first and last are dropped, 10 remain with
  // one point each; 10 / 1.3 rounds to 8.
  std::string text = WithSample(Repeat(std::string(80, 'a'), 12));
  text.resize(text.size() - 2);
  EXPECT_EQ(DetectTextStyle(text), kStyleFixedWidth);
}

TEST(DetectTextStyle, LongLinesAreOneLinePerParagraph) {
  EXPECT_EQ(DetectTextStyle(WithSample(Repeat(std::string(300, 'a'), 30))), kStyleLinePerParagraph);
}

TEST(DetectTextStyle, TagsAreHtml) {
  EXPECT_EQ(DetectTextStyle(WithSample(Repeat("short <BR>", 200))), kStyleHtml);
  EXPECT_EQ(DetectTextStyle(WithSample(Repeat("<P>short", 200))), kStyleHtml);
}

TEST(DetectTextStyle, NothingCountedIsOneLinePerParagraph) {
  // fixed 0 <= html 0.
  EXPECT_EQ(DetectTextStyle(WithSample(Repeat("short", 500))), kStyleLinePerParagraph);
}

TEST(DetectTextStyle, FixedScoreIsDividedByOnePointThree) {
  // Lines of length 76 score 1 each: 13 of them give 13 / 1.3 = 10. Ten
  // html lines against fixed 10 give style 1 (fixed <= html), nine give 0.
  auto build = [](int fixedLines, int htmlLines) {
    std::string lines = "cut\r\n" + Repeat(std::string(76, 'a'), fixedLines) +
                        Repeat("<div>x", htmlLines) + Repeat(std::string(200, 'b'), 0) + "last";
    return WithSample(lines + "\r\n" + Repeat("zz", 2));
  };
  EXPECT_EQ(DetectTextStyle(build(13, 10)), kStyleLinePerParagraph);
  EXPECT_EQ(DetectTextStyle(build(13, 9)), kStyleFixedWidth);
}

TEST(ApplyTextStyle, PresetsSetTheParagraphOptions) {
  Options o;
  ApplyTextStyle(o, kStyleHtml);
  EXPECT_FALSE(o.LongStringsOn());
  EXPECT_FALSE(o.ShortStringsOn());
  EXPECT_FALSE(o.Flag(Opt::SpacesAtStartToDiv));
  EXPECT_FALSE(o.Flag(Opt::DialogsToDiv));
  EXPECT_FALSE(o.Flag(Opt::EmptyLineToDiv));
  ApplyTextStyle(o, kStyleFixedWidth);
  EXPECT_EQ(o.Number(Opt::LongStringsMin), 81);
  EXPECT_EQ(o.Number(Opt::ShortStringsMax), 0);
  EXPECT_TRUE(o.Flag(Opt::EmptyLineToDiv));
  ApplyTextStyle(o, kStyleLinePerParagraph);
  EXPECT_EQ(o.Number(Opt::LongStringsMin), 80);
  EXPECT_EQ(o.Number(Opt::ShortStringsMax), 81);
}

}  // namespace
}  // namespace norvella
