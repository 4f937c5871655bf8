#include "core/settings/registry.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace norvella {
namespace {

TEST(Registry, TypedValuesAndNamesIgnoringCase) {
  Registry r;
  RegKey& key = r.Create("Software\\Marn Soft\\Norvella\\1.00");
  key.WriteString("last reader file", "a.htm");
  key.WriteString("Last reader file", "b.htm");  // the same value
  key.WriteInteger("Londg strings min", -5);
  key.WriteBinary("Widths", std::string("\x05\x00\xff", 3));

  EXPECT_EQ(key.ValueCount(), 3u);
  EXPECT_EQ(key.ValueNames().front(), "last reader file");  // keeps its first spelling
  EXPECT_EQ(key.ReadString("LAST READER FILE"), "b.htm");
  EXPECT_EQ(key.ReadInteger("londg strings min"), -5);
  EXPECT_EQ(key.ReadBinary("widths"), std::string("\x05\x00\xff", 3));
  // Another type or no value at all both read as nothing.
  EXPECT_FALSE(key.ReadInteger("Last reader file"));
  EXPECT_FALSE(key.ReadString("Widths"));
  EXPECT_FALSE(key.ReadString("missing"));
  // A value may change its type.
  key.WriteInteger("Last reader file", 7);
  EXPECT_EQ(key.ReadInteger("last reader file"), 7);
  EXPECT_TRUE(key.DeleteValue("LAST reader FILE"));
  EXPECT_FALSE(key.HasValue("Last reader file"));
  EXPECT_FALSE(key.DeleteValue("Last reader file"));
}

TEST(Registry, CyrillicNamesIgnoreCaseToo) {
  Registry r;
  RegKey& key = r.Create("\xCA\xEB\xFE\xF7");  // "Ключ"
  key.WriteString("\xC8\xEC\xFF", "1");          // "Имя"
  EXPECT_NE(r.Open("\xEA\xcb\xde\xd7"), nullptr);  // "кЛЮЧ"
  EXPECT_EQ(key.ReadString("\xE8\xCC\xDF"), "1");  // "иМЯ"
}

TEST(Registry, OpenNeverCreatesAndSubkeysEnumerateInNameOrder) {
  Registry r;
  EXPECT_EQ(r.Open("Software\\Marn Soft"), nullptr);
  EXPECT_TRUE(r.Empty());
  RegKey& fonts = r.Create("Software\\Marn Soft\\Norvella\\1.00\\Fonts");
  fonts.CreateSubKey("ThielVerdana 1.2 small");
  fonts.CreateSubKey("arial 1");
  fonts.CreateSubKey("Thiel 1");
  fonts.CreateSubKey("thiel 1");  // the same key
  EXPECT_EQ(fonts.SubKeyCount(), 3u);
  EXPECT_EQ(fonts.SubKeyNames(), (std::vector<std::string>{"arial 1", "Thiel 1", "ThielVerdana 1.2 small"}));
  EXPECT_EQ(r.Open("software\\MARN SOFT\\norvella\\1.00\\fonts"), &fonts);
  EXPECT_EQ(r.Open("\\Software\\\\Marn Soft\\"), r.Open("Software\\Marn Soft"));  // empty parts are ignored
  EXPECT_EQ(r.Open("Software\\Marn Soft\\Norvella\\1.00\\Fonts\\none"), nullptr);
}

TEST(Registry, DeleteTreeTakesEverythingBelow) {
  Registry r;
  r.Create("Software\\Marn Soft\\Norvella\\1.00\\interface\\messages").WriteString("Error", "x");
  r.Create("Software\\Marn Soft\\Other").WriteInteger("n", 1);
  EXPECT_TRUE(r.DeleteTree("software\\marn soft\\norvella"));
  EXPECT_EQ(r.Open("Software\\Marn Soft\\Norvella\\1.00\\interface"), nullptr);
  ASSERT_NE(r.Open("Software\\Marn Soft"), nullptr);
  EXPECT_EQ(r.Open("Software\\Marn Soft")->SubKeyNames(), std::vector<std::string>{"Other"});
  EXPECT_FALSE(r.DeleteTree("Software\\Marn Soft\\Norvella"));
  EXPECT_FALSE(r.DeleteTree(""));  // the hive itself stays
}

TEST(Registry, WritingTheSameTextKeepsCharactersWindows1251Lacks) {
  Registry r;
  RegKey& key = r.Create("k");
  key.SetUtf8(RegValue::String("Hyph string", "\xE2\x86\x92"));  // U+2192, not in Windows-1251
  const std::string seen = *key.ReadString("Hyph string");
  EXPECT_EQ(seen, "&#8594;");
  key.WriteString("Hyph string", seen);  // the program saves what it read
  EXPECT_EQ(key.FindUtf8("Hyph string")->data, "\xE2\x86\x92");
  key.WriteString("Hyph string", "-");
  EXPECT_EQ(key.FindUtf8("Hyph string")->data, "-");
  // Windows-1251 text is stored as UTF-8.
  key.WriteString("t", "\xC0\xE1\xE2");
  EXPECT_EQ(key.FindUtf8("t")->data, "\xD0\x90\xD0\xB1\xD0\xB2");
}

TEST(Registry, NamesAFileLineCannotHoldAreRefused) {
  Registry r;
  RegKey& key = r.Create("k");
  EXPECT_THROW(key.WriteString("a\nb", "x"), std::invalid_argument);
  EXPECT_THROW(key.CreateSubKey("a\\b"), std::invalid_argument);
  EXPECT_THROW(key.SetUtf8(RegValue::String("n", "\xFF")), std::invalid_argument);
  EXPECT_EQ(key.ValueCount(), 0u);
}

}  // namespace
}  // namespace norvella
