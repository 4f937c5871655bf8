#include "core/settings/options.h"

#include <gtest/gtest.h>

#include <set>

#include "core/base/text.h"

namespace norvella {
namespace {

TEST(OptionTable, NamesAreUniqueExceptTheOneCaseTwin) {
  std::set<std::string> lower;
  int twins = 0;
  for (const auto& info : OptionTable())
    if (!lower.insert(LowerCase(info.name)).second) ++twins;
  EXPECT_EQ(twins, 1);  // "last reader file" / "Last reader file"
  EXPECT_EQ(OptionTable().size(), 95u);
}

TEST(OptionTable, WriteOrderAndDefaultsOfKnownRows) {
  const auto& t = OptionTable();
  EXPECT_EQ(t.front().name, "KillLinks");
  EXPECT_EQ(t.back().name, "Apply reader style for new docs");
  EXPECT_EQ(Info(Opt::LongStringsMin).name, "Londg strings min");
  EXPECT_EQ(Info(Opt::RecentReaderFile9).name, "Recent reader file 9");
  Options o;
  EXPECT_EQ(o.Number(Opt::Language), 34);
  EXPECT_EQ(o.Text(Opt::HeadStartTag), "<h1 align=\"center\">");
  EXPECT_EQ(o.Text(Opt::OpenEpigraph).size(), 6 * std::string("<blockquote>").size());
  EXPECT_EQ(o.Text(Opt::HyphFont), "ThielVerdana 1.2 small");
  EXPECT_FALSE(o.Flag(Opt::KillFontTags));
  EXPECT_TRUE(o.Flag(Opt::ApplyReaderStyleForNewDocs));
}

TEST(FindOption, ExactFirstThenIgnoringCase) {
  EXPECT_EQ(FindOption("last reader file")->id, Opt::LastReaderFileLower);
  EXPECT_EQ(FindOption("Last reader file")->id, Opt::LastReaderFile);
  EXPECT_EQ(FindOption("LONDG STRINGS MIN")->id, Opt::LongStringsMin);
  EXPECT_EQ(FindOption("Long strings min"), nullptr);
}

class Recorder : public OptionsListener {
 public:
  void OptionChanged(Opt id) override { changed.push_back(id); }
  std::vector<Opt> changed;
};

TEST(OptionSetters, EmptyCustomTagsBringBackTheBuiltInCloseTags) {
  Options o;
  Recorder r;
  o.SetListener(&r);
  o.StoreText(Opt::HeadCloseTag, "</h2>");
  o.SetText(Opt::HeadStartTag, "");
  EXPECT_EQ(o.Text(Opt::HeadCloseTag), "</h1>");
  o.StoreText(Opt::ParagraphEndTag, "</p>");
  o.SetText(Opt::ParagraphStartTag, "<p>");
  EXPECT_EQ(o.Text(Opt::ParagraphEndTag), "</p>");
  o.SetText(Opt::ParagraphStartTag, "");
  EXPECT_EQ(o.Text(Opt::ParagraphEndTag), "</div>");
  EXPECT_NE(std::find(r.changed.begin(), r.changed.end(), Opt::HeadCloseTag), r.changed.end());
}

TEST(OptionSetters, FromText) {
  Options o;
  std::string error;
  EXPECT_TRUE(o.SetFromText("Londg strings min", "81", &error));
  EXPECT_EQ(o.Number(Opt::LongStringsMin), 81);
  EXPECT_TRUE(o.SetFromText("KillLinks", "off", &error));
  EXPECT_FALSE(o.Flag(Opt::KillLinks));
  EXPECT_TRUE(o.SetFromText("kill font tags", "TRUE", &error));
  EXPECT_TRUE(o.Flag(Opt::KillFontTags));
  EXPECT_FALSE(o.SetFromText("KillLinks", "maybe", &error));
  EXPECT_NE(error.find("on or off"), std::string::npos);
  EXPECT_FALSE(o.SetFromText("Nimber of nbsp", "2x", &error));
  EXPECT_FALSE(o.SetFromText("Nimber of nbsp", "99999999999", &error));
  EXPECT_FALSE(o.SetFromText("No such option", "1", &error));
  EXPECT_TRUE(o.SetFromText("Hyph string", "", &error));
  EXPECT_EQ(o.Text(Opt::HyphString), "");
}

TEST(OptionSetters, LengthOptionsOffThresholds) {
  Options o;
  o.SetNumber(Opt::LongStringsMin, kLengthOff);
  EXPECT_FALSE(o.LongStringsOn());
  o.SetNumber(Opt::LongStringsMin, kLengthOff - 1);
  EXPECT_TRUE(o.LongStringsOn());
  o.SetNumber(Opt::ShortStringsMax, 0);
  EXPECT_FALSE(o.ShortStringsOn());
  o.SetNumber(Opt::ShortStringsMax, 1);
  EXPECT_TRUE(o.ShortStringsOn());
}

}  // namespace
}  // namespace norvella
