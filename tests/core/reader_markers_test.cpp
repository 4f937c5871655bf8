#include "core/reader/reader_markers.h"

#include <gtest/gtest.h>

namespace norvella {
namespace {

// A block exactly as the program writes it, line breaks LF CR.
const std::string kTwoBookmarks =
    "<!-- Marn's Norvella bookmarks \n\r"
    "<BOOKMARK ID=\"12\" NM=\"First\">\n\r"
    "<BOOKMARK ID=\"-7\" NM=\"Second \xCF\xE5\xF0\xE2\xFB\xE9\">\n\r"
    " Marn's Norvella bookmarks --><!-- Marn's Norvella position=\"1073741824\" --></body>";

TEST(ReaderMarkers, BlockIsByteExact) {
  const std::vector<Bookmark> list{{12, "First"}, {-7, "Second \xCF\xE5\xF0\xE2\xFB\xE9"}};
  EXPECT_EQ(BuildBookmarkBlock(list, 1073741824), kTwoBookmarks);
  EXPECT_EQ(BuildBookmarkBlock({}, 0),
            "<!-- Marn's Norvella bookmarks \n\r Marn's Norvella bookmarks -->"
            "<!-- Marn's Norvella position=\"0\" --></body>");
  // The marker lengths other readers of the format rely on.
  EXPECT_EQ(kBookmarksOpening.size(), 31u);
  EXPECT_EQ(kBookmarksClosing.size(), 30u);
  EXPECT_EQ(kPositionOpening.size(), 31u);
}

TEST(ReaderMarkers, WrittenBlockReadsBack) {
  const std::vector<Bookmark> list{{0, ""}, {-2147483647 - 1, "a \"quoted\" name"}, {2147483647, "x"}};
  const BookmarkBlock read = ParseBookmarkBlock("<body>text" + BuildBookmarkBlock(list, 5));
  EXPECT_TRUE(read.markerFound);
  EXPECT_TRUE(read.error.empty());
  EXPECT_EQ(read.bookmarks, list);
  EXPECT_EQ(ReadSavedPosition(BuildBookmarkBlock(list, 2147483647)), 2147483647);
}

TEST(ReaderMarkers, BlockParsingFollowsTheFormatsRules) {
  auto names = [](std::string_view text) {
    std::vector<std::string> out;
    for (const auto& b : ParseBookmarkBlock(text).bookmarks) out.push_back(std::to_string(b.number) + ":" + b.name);
    return out;
  };
  const std::string open(kBookmarksOpening), close(kBookmarksClosing);
  // Tag and ID in any case; NM only in upper case.
  EXPECT_EQ(names(open + "<bookmark id=\"3\" NM=\"low\">" + close), std::vector<std::string>{"3:low"});
  EXPECT_TRUE(names(open + "<BOOKMARK ID=\"3\" nm=\"low\">" + close).empty());
  // A name ends at the first quote followed by ">".
  EXPECT_EQ(names(open + "<BOOKMARK ID=\"1\" NM=\"say \"hi\" now\">" + close),
            std::vector<std::string>{"1:say \"hi\" now"});
  EXPECT_EQ(names(open + "<BOOKMARK ID=\"1\" NM=\"cut\">here\">" + close), std::vector<std::string>{"1:cut"});
  // Line breaks that a browser rewrote, and other tags in between, do not matter.
  EXPECT_EQ(names(open + "\n\n<b><BOOKMARK ID=\"4\" NM=\"a\">\n<BOOKMARK ID=\"5\" NM=\"b\">\n" + close),
            (std::vector<std::string>{"4:a", "5:b"}));
  // No closing marker: no bookmark, although the marker was seen.
  const BookmarkBlock open_only = ParseBookmarkBlock(open + "<BOOKMARK ID=\"1\" NM=\"a\">");
  EXPECT_TRUE(open_only.markerFound);
  EXPECT_TRUE(open_only.bookmarks.empty());
  // Only the first block counts; bookmarks after its closing marker do not.
  EXPECT_EQ(names(open + "<BOOKMARK ID=\"1\" NM=\"a\">" + close + "<BOOKMARK ID=\"2\" NM=\"b\">"),
            std::vector<std::string>{"1:a"});
  EXPECT_FALSE(ParseBookmarkBlock("<!-- Marn's Norvella bookmarks-->").markerFound);
}

TEST(ReaderMarkers, ANumberThatIsNotAnIntegerStopsReading) {
  const std::string text = std::string(kBookmarksOpening) + "<BOOKMARK ID=\"8\" NM=\"kept\">" +
                           "<BOOKMARK ID=\"1x\" NM=\"bad\"><BOOKMARK ID=\"9\" NM=\"after\">" +
                           std::string(kBookmarksClosing);
  const BookmarkBlock read = ParseBookmarkBlock(text);
  EXPECT_FALSE(read.error.empty());
  EXPECT_EQ(read.bookmarks, (std::vector<Bookmark>{{8, "kept"}}));
  EXPECT_FALSE(ParseBookmarkBlock(std::string(kBookmarksOpening) + "<BOOKMARK ID=\"2147483648\" NM=\"a\">" +
                                  std::string(kBookmarksClosing))
                   .error.empty());
}

TEST(ReaderMarkers, PositionComment) {
  EXPECT_EQ(ReadSavedPosition("x<!-- Marn's Norvella position=\"-15\" -->"), -15);
  EXPECT_EQ(ReadSavedPosition("<!-- Marn's Norvella position=\"12\" --><!-- Marn's Norvella position=\"13\" -->"), 12);
  EXPECT_FALSE(ReadSavedPosition("<!-- Marn's Norvella position=\"12a\" -->"));
  EXPECT_FALSE(ReadSavedPosition("<!-- Marn's Norvella position=\"\" -->"));
  EXPECT_FALSE(ReadSavedPosition("<!-- Marn's Norvella position=\"12"));  // no closing quote
  // The value must close within 36 characters.
  EXPECT_FALSE(ReadSavedPosition("<!-- Marn's Norvella position=\"" + std::string(36, '1') + "\""));
  EXPECT_FALSE(ReadSavedPosition("no comment"));
}

TEST(ReaderMarkers, SplitKeepsHeadAndTailBytes) {
  const std::string text = "<html><head><title>T</title></head>\r\n<Body bgcolor=x>a</BODY>b</body>\r\n</html>\r\n";
  const ReaderFileParts parts = SplitReaderFile(text);
  EXPECT_EQ(parts.head, "<html><head><title>T</title></head>\r\n");
  EXPECT_EQ(parts.tail, "\r\n</html>\r\n");  // after the last end tag
  const ReaderFileParts none = SplitReaderFile("plain text");
  EXPECT_TRUE(none.head.empty());
  EXPECT_TRUE(none.tail.empty());
}

TEST(ReaderMarkers, PositionAndItsInverse) {
  EXPECT_EQ(PositionFromScroll(0, 1000), 0);
  EXPECT_EQ(PositionFromScroll(500, 1000), 1073741824);  // 1073741823.5 to even
  EXPECT_EQ(PositionFromScroll(1, 2), 1073741824);
  EXPECT_EQ(PositionFromScroll(3, 4), 1610612735);       // 1610612735.25
  EXPECT_EQ(PositionFromScroll(1000, 1000), kPositionScale);
  EXPECT_EQ(PositionFromScroll(100, 0), 0);              // empty page
  EXPECT_EQ(PositionFromScroll(2000, 1000), kPositionScale);
  EXPECT_EQ(ScrollFromPosition(1000, 1073741824), 500);
  EXPECT_EQ(ScrollFromPosition(0, 1073741824), 0);
  // A fraction saved in one window opens at the same place in another.
  for (const long long height : {480LL, 12345LL, 987654LL}) {
    const std::int32_t p = PositionFromScroll(height / 3, height);
    EXPECT_LE(std::abs(ScrollFromPosition(height * 2, p) - 2 * (height / 3)), 1);
  }
}

}  // namespace
}  // namespace norvella
