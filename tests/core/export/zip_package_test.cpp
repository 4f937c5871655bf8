#include "core/export/zip_package.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/export/export_support.h"

namespace norvella {
namespace {

// Text that deflate shrinks a little and not too well: a few thousand
// different lines.
std::string Lines(int count, int seed) {
  std::string text;
  unsigned x = static_cast<unsigned>(seed) * 2654435761u + 1;
  for (int i = 0; i < count; ++i) {
    x = x * 1103515245u + 12345u;
    text += "<p>line " + std::to_string(i) + " of " + std::to_string(x % 100000) + "</p>\n";
  }
  return text;
}

TEST(PackZip, EveryEntryReadsBackWholeInItsOrderAndMethod) {
  // More entries than processors, of every size, compressed and stored
  // mixed, as the packer spreads the compressing over threads.
  std::vector<ZipEntry> entries{{"mimetype", "application/epub+zip", false}, {"empty.txt", "", true}};
  for (int i = 0; i < 12; ++i)
    entries.push_back({"OEBPS/part" + std::to_string(i) + ".xhtml", Lines(i * i * 400, i), i % 5 != 4});
  entries.push_back({"OEBPS/cover.jpg", std::string(70'000, '\xFF'), false});

  const ZipResult zip = PackZip(entries, 1'800'000'000);
  ASSERT_TRUE(zip.ok) << zip.error;
  const std::vector<test::ArchiveEntry> read = test::ReadArchive(zip.bytes);
  ASSERT_EQ(read.size(), entries.size());
  std::size_t total = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(entries[i].path);
    EXPECT_EQ(read[i].name, entries[i].path);
    EXPECT_TRUE(read[i].intact);
    EXPECT_EQ(read[i].data, entries[i].data);
    if (!entries[i].data.empty()) {
      EXPECT_EQ(read[i].stored, !entries[i].compress);
    }
    total += entries[i].data.size();
  }
  EXPECT_LT(zip.bytes.size(), total / 2) << "the text is compressed";
}

TEST(PackZip, TheSameEntriesGiveTheSameBytes) {
  const std::vector<ZipEntry> entries{{"a.xhtml", Lines(3000, 1), true}, {"b.xhtml", Lines(5, 2), true}};
  const ZipResult first = PackZip(entries, 1'800'000'000);
  const ZipResult second = PackZip(entries, 1'800'000'000);
  ASSERT_TRUE(first.ok && second.ok);
  EXPECT_EQ(first.bytes, second.bytes);
}

}  // namespace
}  // namespace norvella
