#include "core/settings/reg_file.h"

#include <gtest/gtest.h>

#include <random>

#include "core/base/cp1251.h"

namespace norvella {
namespace {

Registry Parsed(std::string_view bytes) {
  const RegFileContents contents = ParseRegFile(bytes);
  EXPECT_TRUE(contents.ok) << contents.error;
  Registry r;
  ApplyRegFile(contents, r);
  return r;
}

std::string Utf16Le(std::string_view utf8) {
  std::string out = "\xFF\xFE";
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    i += DecodeUtf8At(utf8, i, c);
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

// Two registries hold the same keys and values, names and types included.
void ExpectSame(const RegKey& a, const RegKey& b) {
  ASSERT_EQ(a.Name(), b.Name());
  ASSERT_EQ(a.ValueCount(), b.ValueCount()) << a.Name();
  for (std::size_t i = 0; i < a.ValueCount(); ++i) {
    const RegValue& x = a.Values()[i];
    const RegValue& y = b.Values()[i];
    EXPECT_EQ(x.name, y.name);
    EXPECT_EQ(x.type, y.type) << x.name;
    EXPECT_EQ(x.data, y.data) << x.name;
    EXPECT_EQ(x.dword, y.dword) << x.name;
    if (x.type == RegType::Binary) {
      EXPECT_EQ(x.hexType, y.hexType) << x.name;
    }
  }
  ASSERT_EQ(a.SubKeyCount(), b.SubKeyCount()) << a.Name();
  for (std::size_t i = 0; i < a.SubKeyCount(); ++i) ExpectSame(*a.SubKeys()[i], *b.SubKeys()[i]);
}

TEST(RegFile, WritesTheExportSyntax) {
  Registry r;
  RegKey& key = r.Create("Software\\Marn Soft\\Norvella\\1.00");
  key.WriteInteger("KillLinks", 31);
  key.WriteString("Head string start tag", "<h1 align=\"center\">");
  key.WriteString("Last edit open dir", "C:\\books");
  key.WriteBinary("w", "\x05\x06");
  key.SetUtf8(RegValue::String("", "default"));
  const std::string file = WriteRegFile(r);
  EXPECT_TRUE(file.starts_with("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software]\n"));
  EXPECT_NE(file.find("[HKEY_CURRENT_USER\\Software\\Marn Soft\\Norvella\\1.00]\n"
                      "\"KillLinks\"=dword:0000001f\n"
                      "\"Head string start tag\"=\"<h1 align=\\\"center\\\">\"\n"
                      "\"Last edit open dir\"=\"C:\\\\books\"\n"
                      "\"w\"=hex:05,06\n"
                      "@=\"default\"\n"),
            std::string::npos)
      << file;
}

TEST(RegFile, RoundTripsEveryKindOfValue) {
  Registry r;
  RegKey& key = r.Create("Software\\Marn Soft\\Norvella\\1.00\\interface\\messages");
  key.WriteString("LargeFile", "File is larger, than 2MB.\n\rProceed?");  // control characters
  key.WriteString("quote\"and\\slash", "a \"b\" c:\\ \\\\server\\");
  key.SetUtf8(RegValue::String("arrow", "\xE2\x86\x92 \xF0\x9F\x93\x96"));  // beyond Windows-1251 and the BMP
  key.WriteString("empty", "");
  key.WriteInteger("min", INT32_MIN);
  key.WriteInteger("max", INT32_MAX);
  key.WriteBinary("bytes", std::string(300, '\xA5'));  // spans several lines
  key.WriteBinary("none", "");
  key.SetUtf8(RegValue::Binary("multi", std::string("a\0b\0\0\0", 6), 7));
  r.Create("Software\\Marn Soft\\Norvella\\1.00\\Fonts\\Key]with]brackets ");
  r.Create("Software\\Empty");
  r.Root().WriteString("at hive", "x");

  const std::string file = WriteRegFile(r);
  const Registry back = Parsed(file);
  ExpectSame(r.Root(), back.Root());
  EXPECT_EQ(WriteRegFile(back), file);
  for (std::size_t at = file.find('\n'); at != std::string::npos; at = file.find('\n', at + 1))
    if (at + 1 < file.size() && file[at + 1] == ' ') {
      EXPECT_EQ(file[at - 1], '\\');
    }
}

TEST(RegFile, RandomRegistriesRoundTrip) {
  std::mt19937 rng(1234);
  const std::string alphabet[] = {"a", "Z", " ", "\"", "\\", "]", "[", "=", "@", ";", "\t", "\r", "\n",
                                  "\xD0\xAF", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", ",", "\x01"};
  enum Use { kKeyName, kValueName, kData };
  auto text = [&](std::size_t max, Use use) {
    std::string s;
    const std::size_t n = rng() % (max + 1);
    for (std::size_t i = 0; i < n; ++i) {
      const std::string& piece = alphabet[rng() % std::size(alphabet)];
      if (use != kData && (piece == "\r" || piece == "\n")) continue;
      if (use == kKeyName && piece == "\\") continue;
      s += piece;
    }
    return s;
  };
  for (int round = 0; round < 40; ++round) {
    Registry r;
    for (int k = 0; k < 6; ++k) {
      std::string path = "Software";
      for (int depth = static_cast<int>(rng() % 3); depth >= 0; --depth) {
        std::string name = text(6, kKeyName);
        if (name.empty() || name == " ") name = "k" + std::to_string(rng() % 5);
        path += "\\" + name;
      }
      RegKey& key = r.CreateUtf8(path);
      for (int v = static_cast<int>(rng() % 5); v > 0; --v) {
        const std::string name = text(8, kValueName);
        switch (rng() % 3) {
          case 0: key.SetUtf8(RegValue::String(name, text(20, kData))); break;
          case 1: key.SetUtf8(RegValue::Dword(name, static_cast<std::uint32_t>(rng()))); break;
          default: key.SetUtf8(RegValue::Binary(name, text(40, kData), rng() % 2 ? 3 : 0x0b)); break;
        }
      }
    }
    const std::string file = WriteRegFile(r);
    const RegFileContents contents = ParseRegFile(file);
    ASSERT_TRUE(contents.ok) << contents.error << "\n" << file;
    Registry back;
    ApplyRegFile(contents, back);
    ExpectSame(r.Root(), back.Root());
  }
}

TEST(RegFile, ReadsExportsOfEveryEncoding) {
  // An ANSI (Windows-1251) localisation in the old format.
  const Registry ansi = Parsed(
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Marn Soft\\Norvella\\1.00\\interface]\r\n"
      "\"target\"=dword:00000206\r\n\"name\"=\"\xD0\xF3\xF1\xF1\xEA\xE8\xE9\"\r\n");
  const RegKey* key = ansi.Open("Software\\Marn Soft\\Norvella\\1.00\\interface");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadInteger("target"), 518);
  EXPECT_EQ(key->ReadString("name"), "\xD0\xF3\xF1\xF1\xEA\xE8\xE9");  // "Русский"

  // The same text as UTF-8 with and without a byte-order mark, and as UTF-16LE.
  const std::string utf8 =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n"
      "\"name\"=\"\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9 \xE2\x86\x92\"\r\n";
  for (const std::string& file : {utf8, "\xEF\xBB\xBF" + utf8, Utf16Le(utf8)}) {
    const Registry r = Parsed(file);
    ASSERT_NE(r.Open("k"), nullptr);
    EXPECT_EQ(r.Open("k")->ReadString("name"), "\xD0\xF3\xF1\xF1\xEA\xE8\xE9 &#8594;");
  }
  EXPECT_EQ(ParseRegFile(utf8).unmappableStrings, 1);
  EXPECT_FALSE(ParseRegFile("\xFF\xFE\x00\xD8").ok);  // a lone surrogate
}

TEST(RegFile, HexFormsContinuationsDeletionsAndOtherHives) {
  const std::string file =
      "Windows Registry Editor Version 5.00\n"
      "; a comment\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer]\n"
      "\"Version\"=\"6.0\"\n"
      "[HKCU\\a]\n"
      "\"bin\"=hex:01,02,\\\n"
      "  03,04\n"
      "\"str\"=hex(1):48,00,69,00,00,00\n"
      "\"num\"=hex(4):1f,00,00,00\n"
      "\"qword\"=hex(b):01,00,00,00,00,00,00,00\n"
      "\"gone\"=\"x\"\n"
      "\"gone\"=-\n"
      "  \"spaced\" = dword:1\n"
      "[HKEY_CURRENT_USER\\b\\c]\n"
      "[-HKEY_CURRENT_USER\\b]\n"
      "\"after deletion\"=\"skipped\"\n";
  const RegFileContents contents = ParseRegFile(file);
  ASSERT_TRUE(contents.ok) << contents.error;
  EXPECT_EQ(contents.foreignKeys, 1);
  Registry r;
  ApplyRegFile(contents, r);
  const RegKey* a = r.Open("a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->ReadBinary("bin"), std::string("\x01\x02\x03\x04"));
  EXPECT_EQ(a->ReadString("str"), "Hi");
  EXPECT_EQ(a->ReadInteger("num"), 31);
  EXPECT_EQ(a->FindUtf8("qword")->hexType, 0x0b);
  EXPECT_FALSE(a->HasValue("gone"));
  EXPECT_EQ(a->ReadInteger("spaced"), 1);
  EXPECT_EQ(r.Open("b"), nullptr);
  EXPECT_EQ(r.Open("Software"), nullptr);  // the other hive was not taken
  // Applying a deletion to a registry that has the key removes its tree.
  Registry existing;
  existing.Create("b\\c\\d").WriteString("x", "y");
  ApplyRegFile(contents, existing);
  EXPECT_EQ(existing.Open("b"), nullptr);
}

TEST(RegFile, BadFilesAreRefusedWholeWithTheLine) {
  struct Case {
    const char* file;
    const char* error;
  };
  const Case cases[] = {
      {"", "line 1: the file is empty"},
      {"[HKEY_CURRENT_USER\\a]\n", "line 1: not a registry export file"},
      {"REGEDIT4\n\"a\"=\"b\"\n", "line 2: a value before the first key"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\a\n", "line 2: a key line must end"},
      {"REGEDIT4\n[Software\\a]\n", "line 2: the key \"Software\\a\" does not start with a registry hive"},
      {"REGEDIT4\n[HKCU\\a]\n\"a\"=\"b\n", "line 3: a quoted text has no closing quote"},
      {"REGEDIT4\n[HKCU\\a]\n\"a\"=dword:123456789\n", "line 3: dword: takes 1 to 8"},
      {"REGEDIT4\n[HKCU\\a]\n\"a\"=hex:01,xyz\n", "line 3: \"xyz\" is not a hexadecimal byte"},
      {"REGEDIT4\n[HKCU\\a]\n\"a\"=hex:01,\\\n", "line 3: hex data goes on past the end"},
      {"REGEDIT4\n[HKCU\\a]\n\"a\"\"b\"\n", "line 3: \"=\" expected"},
      {"REGEDIT4\n[HKCU\\a]\n\"a\"=word:1\n", "line 3: unknown kind of value data"},
      {"REGEDIT4\n[HKCU\\a]\nname=1\n", "line 3: not a key, a value or a comment"},
      {"REGEDIT4\n[HKCU\\a]\n\"a\"=\"b\" c\n", "line 3: text after the closing quote"},
  };
  for (const Case& c : cases) {
    const RegFileContents contents = ParseRegFile(c.file);
    EXPECT_FALSE(contents.ok) << c.file;
    EXPECT_TRUE(contents.error.starts_with(c.error)) << contents.error;
    EXPECT_TRUE(contents.operations.empty());
  }
}

}  // namespace
}  // namespace norvella
