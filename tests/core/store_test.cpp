#include "core/settings/store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/base/file_io.h"
#include "tests/support/file_size_limit.h"

namespace norvella {
namespace {

namespace fs = std::filesystem;

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(std::getenv("XDG_CONFIG_HOME")).parent_path() /
           ("store-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_);
    path_ = (dir_ / "norvella" / "registry.reg").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  bool WriteStore(std::string_view data) {
    fs::create_directories(fs::path(path_).parent_path());
    return WriteFileAtomically(path_, data).ok();
  }
  std::string Read(const std::string& path) {
    std::string data;
    EXPECT_TRUE(ReadWholeFile(path, data).ok()) << path;
    return data;
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(StoreTest, DefaultPathFollowsXdgConfigHome) {
  const std::string saved = std::getenv("XDG_CONFIG_HOME");
  ::setenv("XDG_CONFIG_HOME", "/somewhere/cfg/", 1);
  EXPECT_EQ(DefaultStorePath(), "/somewhere/cfg/norvella/registry.reg");
  ::setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // not absolute: ignored
  EXPECT_EQ(DefaultStorePath(), std::string(std::getenv("HOME")) + "/.config/norvella/registry.reg");
  ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST_F(StoreTest, FirstStartIsEmptyAndSavingCreatesTheFolderAndFile) {
  SettingsStore store(path_);
  const auto loaded = store.Load();
  EXPECT_FALSE(loaded.found);
  EXPECT_TRUE(loaded.warning.empty());
  EXPECT_TRUE(store.Keys().Empty());
  store.Keys().Create("Software\\Marn Soft\\Norvella\\1.00").WriteString("Hyph font", "\xD8\xF0\xE8\xF4\xF2");
  ASSERT_TRUE(store.Save().ok());

  SettingsStore again(path_);
  EXPECT_TRUE(again.Load().found);
  EXPECT_EQ(again.Keys().Open("Software\\Marn Soft\\Norvella\\1.00")->ReadString("Hyph font"),
            "\xD8\xF0\xE8\xF4\xF2");
  EXPECT_NE(Read(path_).find("\"Hyph font\"=\"\xD0\xA8\xD1\x80\xD0\xB8\xD1\x84\xD1\x82\""), std::string::npos)
      << "the file is UTF-8";
  // A store emptied (by an uninstall) leaves no file behind.
  again.Keys().DeleteTree("Software");
  ASSERT_TRUE(again.Save().ok());
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(StoreTest, DamagedFileIsKeptAsideWithOneWarning) {
  ASSERT_TRUE(WriteStore("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\a]\n\"x\"=dword:zz\n"));
  SettingsStore store(path_);
  const auto loaded = store.Load();
  EXPECT_FALSE(loaded.found);
  EXPECT_NE(loaded.warning.find("line 3"), std::string::npos) << loaded.warning;
  EXPECT_NE(loaded.warning.find(path_ + ".bad"), std::string::npos) << loaded.warning;
  EXPECT_TRUE(store.Keys().Empty());
  EXPECT_FALSE(fs::exists(path_));
  EXPECT_NE(Read(path_ + ".bad").find("dword:zz"), std::string::npos);

  // A second damaged file does not replace the first one kept aside.
  ASSERT_TRUE(WriteStore("garbage"));
  EXPECT_NE(SettingsStore(path_).Load().warning.find(path_ + ".2.bad"), std::string::npos);
  EXPECT_NE(Read(path_ + ".bad").find("dword:zz"), std::string::npos);
  EXPECT_EQ(Read(path_ + ".2.bad"), "garbage");
}

TEST_F(StoreTest, AnInterruptedSaveLeavesTheOldStore) {
  SettingsStore store(path_);
  store.Keys().Create("k").WriteInteger("n", 1);
  ASSERT_TRUE(store.Save().ok());
  // A save that stopped between writing the temporary file and renaming it
  // leaves a partial temporary file beside the store.
  ASSERT_TRUE(WriteFileAtomically((fs::path(path_).parent_path() / ".registry.reg.Ab12Cd").string(),
                                  "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\k]\n\"n\"=dwo")
                  .ok());
  SettingsStore after(path_);
  const auto loaded = after.Load();
  EXPECT_TRUE(loaded.found);
  EXPECT_TRUE(loaded.warning.empty());
  EXPECT_EQ(after.Keys().Open("k")->ReadInteger("n"), 1);
  // Saving again replaces the store in one step and leaves no temporary file of its own.
  after.Keys().Open("k")->WriteInteger("n", 2);
  ASSERT_TRUE(after.Save().ok());
  int temporaries = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(path_).parent_path()))
    if (entry.path().filename().string().starts_with(".registry.reg.")) ++temporaries;
  EXPECT_EQ(temporaries, 1);  // only the one left by the interrupted save
}

TEST_F(StoreTest, ASaveThatFailsHalfwayKeepsTheOldStoreAndSaysSo) {
  SettingsStore store(path_);
  store.Keys().Create("k").WriteString("s", "old");
  ASSERT_TRUE(store.Save().ok());
  const std::string before = Read(path_);
  store.Keys().Open("k")->WriteString("s", std::string(20000, 'x'));
  FileResult saved;
  {
    test::FileSizeLimit limit(before.size() + 100);
    saved = store.Save();
  }
  EXPECT_FALSE(saved.ok());
  EXPECT_NE(saved.error().reason.find("registry.reg"), std::string::npos);
  EXPECT_EQ(Read(path_), before);
  int files = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(path_).parent_path())) (void)entry, ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(StoreTest, AStoreThatCannotBeReadIsNeverOverwritten) {
  // Something that cannot be read as a file stands where the store should be.
  fs::create_directories(path_);
  EXPECT_FALSE(WriteStore("x"));  // path_ is a folder
  std::ofstream(path_ + "/keep") << "data";
  SettingsStore store(path_);
  const auto loaded = store.Load();
  EXPECT_FALSE(loaded.found);
  EXPECT_NE(loaded.warning.find("cannot read"), std::string::npos) << loaded.warning;
  store.Keys().Create("new");
  const FileResult saved = store.Save();
  EXPECT_FALSE(saved.ok());
  EXPECT_NE(saved.error().reason.find("not saved"), std::string::npos);
  EXPECT_EQ(Read(path_ + "/keep"), "data");
}

TEST_F(StoreTest, ImportMergesAndABadFileChangesNothing) {
  SettingsStore store(path_);
  store.Keys().Create("Software\\Marn Soft\\Norvella\\1.00").WriteInteger("KillLinks", 0);
  const auto ok = store.Import(
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Marn Soft\\Norvella\\1.00\\html]\n\"name\"=\"Skin\"\n");
  EXPECT_TRUE(ok.ok);
  EXPECT_EQ(ok.values, 1);
  const RegKey* settings = store.Keys().Open("Software\\Marn Soft\\Norvella\\1.00");
  EXPECT_EQ(settings->ReadInteger("KillLinks"), 0);
  EXPECT_EQ(settings->SubKey("html")->ReadString("name"), "Skin");

  const auto bad = store.Import("REGEDIT4\n[HKCU\\x]\n\"a\"=\"1\"\n\"b\"=oops\n");
  EXPECT_FALSE(bad.ok);
  EXPECT_EQ(store.Keys().Open("x"), nullptr);
}

}  // namespace
}  // namespace norvella
