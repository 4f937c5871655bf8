#include <filesystem>

#include <gtest/gtest.h>

#include "core/reader/recent_files.h"
#include "core/reader/snapshot.h"
#include "core/settings/options.h"
#include "tests/support/scratch_folder.h"

namespace norvella {
namespace {

std::string Path(int n) { return "/books/" + std::to_string(n) + ".html"; }

TEST(RecentList, ElevenInMemoryTenKept) {
  Options options;
  RecentList list;
  list.Load(options);
  EXPECT_EQ(list.Entries().size(), 10u);
  for (int i = 0; i < 11; ++i) EXPECT_TRUE(list.Add(Path(i)));
  EXPECT_EQ(list.Entries().size(), 21u);  // the ten empty entries stay behind
  EXPECT_EQ(list.Entry(0), Path(10));
  list.Store(options);
  EXPECT_EQ(options.Text(Opt::RecentReaderFile0), Path(10));
  EXPECT_EQ(options.Text(Opt::RecentReaderFile9), Path(1));
  RecentList again;
  again.Load(options);
  EXPECT_FALSE(again.Contains(Path(0)));  // the oldest is forgotten
  EXPECT_EQ(again.Entries().size(), 10u);
}

TEST(RecentList, AKnownDocumentKeepsItsPlace) {
  RecentList list;
  list.Add("/books/first.html");
  list.Add("/books/Second.html");
  // Letter case aside, including Cyrillic names in 8-bit text.
  EXPECT_FALSE(list.Add("/BOOKS/FIRST.HTML"));
  EXPECT_EQ(list.Entry(1), "/books/first.html");
  list.Add("/books/\xCA\xED\xE8\xE3\xE0.html");
  EXPECT_FALSE(list.Add("/books/\xEA\xED\xE8\xE3\xE0.html"));
  EXPECT_FALSE(list.Add(""));
  EXPECT_EQ(list.Entry(0), "/books/\xCA\xED\xE8\xE3\xE0.html");
  EXPECT_EQ(list.Entry(-1), "");
  EXPECT_EQ(list.Entry(99), "");
}

TEST(RecentList, MenuCaptionsAndDigits) {
  const std::string sixty = "/home/reader/library/" + std::string(29, 'x') + "/a.html";
  ASSERT_EQ(sixty.size(), 57u);
  const std::string path60 = sixty + "abc";
  const std::string caption = RecentMenuCaption(path60);
  EXPECT_EQ(caption.size(), 43u);
  EXPECT_EQ(caption, "/hom..." + path60.substr(24));
  const std::string fifty(50, 'y');
  EXPECT_EQ(RecentMenuCaption(fifty), fifty);

  RecentList list;
  for (int i = 7; i >= 0; --i) list.Add(Path(i));
  // Entries whose file is gone are left out with their digit; only the
  // first six entries are looked at.
  const auto items = RecentMenuEntries(list, [](const std::string& p) { return p != Path(1); });
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0], (RecentMenuEntry{0, Path(0), 1}));
  EXPECT_EQ(items[1], (RecentMenuEntry{2, Path(2), 3}));
  EXPECT_EQ(items.back().digit, 6);
  EXPECT_TRUE(RecentMenuEntries(RecentList(), [](const std::string&) { return true; }).empty());
}

class Snapshot : public test::ScratchFolderTest {};

TEST_F(Snapshot, TheCopyTakesAFreeNameBesideTheDocument) {
  const std::string folder = dir_.string() + "/";
  EXPECT_EQ(SnapshotName(folder + "book.html"), folder + "~$$$.html");
  EXPECT_EQ(SnapshotName(folder + "book.html", 2), folder + "~$$$~$$$.html");
  EXPECT_EQ(SnapshotName("book.html"), "~$$$.html");

  auto first = ReserveSnapshotFile(folder + "book.html");
  ASSERT_TRUE(first.ok());
  EXPECT_EQ(first.value(), folder + "~$$$.html");
  EXPECT_TRUE(std::filesystem::exists(first.value()));
  // A folder that holds that name already: the stem twice, and the file
  // that was there is left as it was.
  std::filesystem::remove(first.value());
  Write("~$$$.html", "someone else's");
  auto second = ReserveSnapshotFile(folder + "book.html");
  ASSERT_TRUE(second.ok());
  EXPECT_EQ(second.value(), folder + "~$$$~$$$.html");
  std::string kept;
  ASSERT_TRUE(ReadWholeFile(folder + "~$$$.html", kept).ok());
  EXPECT_EQ(kept, "someone else's");

  // A dangling link of the name counts as taken: nothing is written
  // through it.
  std::filesystem::create_symlink(folder + "elsewhere.html", folder + "~$$$~$$$~$$$.html");
  auto third = ReserveSnapshotFile(folder + "book.html");
  ASSERT_TRUE(third.ok());
  EXPECT_EQ(third.value(), folder + "~$$$~$$$~$$$~$$$.html");
  EXPECT_FALSE(std::filesystem::exists(folder + "elsewhere.html"));

  // A folder that cannot be written gives the system's reason.
  auto missing = ReserveSnapshotFile(folder + "no/such/folder/book.html");
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.error().reason.find("No such file"), std::string::npos);
}

}  // namespace
}  // namespace norvella
