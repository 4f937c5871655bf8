#include "core/reader/bookmarks.h"

#include <gtest/gtest.h>

#include "core/i18n/templates.h"
#include "core/reader/page_markup.h"

namespace norvella {
namespace {

TEST(ReaderBookmarks, NumberIsPositionPlusARandomStep) {
  int next = 0;
  const BookmarkRandom sequence = [&] { return next++; };
  EXPECT_EQ(BookmarkNumber(1000, sequence), 1000);
  EXPECT_EQ(BookmarkNumber(1000, sequence), 1001);
  const BookmarkRandom nineteen = [] { return 19; };
  EXPECT_EQ(BookmarkNumber(kPositionScale, nineteen), kPositionScale);  // no overflow
  const BookmarkRandom real = DefaultBookmarkRandom();
  for (int i = 0; i < 200; ++i) {
    const std::int32_t n = BookmarkNumber(0, real);  // a bookmark at the top
    EXPECT_GE(n, 0);
    EXPECT_LE(n, 19);
  }
}

TEST(ReaderBookmarks, ListStaysSortedByPlace) {
  std::vector<Bookmark> list;
  EXPECT_EQ(InsertBookmarkSorted(list, {50, "b"}), 0u);
  EXPECT_EQ(InsertBookmarkSorted(list, {10, "a"}), 0u);   // above the others: first
  EXPECT_EQ(InsertBookmarkSorted(list, {90, "c"}), 2u);   // further down: last
  EXPECT_EQ(InsertBookmarkSorted(list, {50, "b2"}), 1u);  // before an equal number
  EXPECT_EQ(list, (std::vector<Bookmark>{{10, "a"}, {50, "b2"}, {50, "b"}, {90, "c"}}));
}

TEST(ReaderBookmarks, NameFromSelection) {
  EXPECT_EQ(BookmarkNameFromSelection("<i>first</i>&nbsp;second"), "firstsecond");
  EXPECT_EQ(BookmarkNameFromSelection("a\r\nb\xAD" "c&shy;d"), "abcd");
  EXPECT_EQ(BookmarkNameFromSelection("<p class=\"x\">\xCF\xF0\xE8</p>"), "\xCF\xF0\xE8");
  EXPECT_EQ(BookmarkNameFromSelection("kept <unclosed tag"), "kept ");
  EXPECT_EQ(BookmarkNameFromSelection("&amp;&lt;"), "&amp;&lt;");  // other entities stay
}

TEST(ReaderBookmarks, NamesThatWouldBreakTheBlockAreChanged) {
  EXPECT_EQ(StorableBookmarkName("plain \"quoted\" name"), "plain \"quoted\" name");
  EXPECT_EQ(StorableBookmarkName("a\">b"), "a\"\x9B" "b");
  EXPECT_EQ(StorableBookmarkName("x-->y --!>z"), "x--\x9By --!\x9Bz");
  EXPECT_EQ(StorableBookmarkName("a > b - > c"), "a > b - > c");
  EXPECT_EQ(StorableBookmarkName("<!-- x"), "\x8B!-- x");
  // Whatever the user typed, the changed name reads back as it is shown.
  for (const std::string typed : {"\">", "-->", "a\"\">\"--> -- >", "\"", "--", ">"}) {
    const std::string name = StorableBookmarkName(typed);
    const std::string text = "<body>" + BuildBookmarkBlock({{1, name}, {2, "next"}}, 0);
    EXPECT_EQ(ParseBookmarkBlock(text).bookmarks, (std::vector<Bookmark>{{1, name}, {2, "next"}}))
        << typed;
  }
}

TEST(ReaderBookmarks, NoteTextFromTheDialogsLines) {
  EXPECT_EQ(NoteTextFromLines({"it's", "say \"a\" and \"b\""}),
            "it&rsquo;s<br>say &quot;a&quot; and &quot;b&quot;");
  EXPECT_EQ(NoteTextFromLines({"one'"}), "one&rsquo;");
  EXPECT_EQ(NoteTextFromLines({"a", ""}), "a<br>");
  EXPECT_EQ(NoteTextFromLines({}), "");
}

TEST(ReaderBookmarks, MarkupForThePage) {
  const HtmlTemplates templates;
  const std::string note = NoteMarkup(templates, "it&rsquo;s<br>b", EscapeHtmlText("x < y & z"));
  EXPECT_EQ(note, templates.scriptCode1 + "it&rsquo;s<br>b" + templates.scriptCode2 +
                      "x &lt; y &amp; z" + templates.scriptCode3);
  // The link reads back as the note and the text it is attached to.
  // The browser decodes the references of the address.
  EXPECT_EQ(FindNotes("<p>" + note + "</p>"), (std::vector<PageNote>{{"it\x92s<br>b", "x < y & z"}}));
  EXPECT_EQ(BookmarkMarkup(templates, -12, "<i>w</i>"),
            "<A style=\"background-color: Red; color: White;\" id=-12 name=-12><i>w</i></a>");
}

}  // namespace
}  // namespace norvella
