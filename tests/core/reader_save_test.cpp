#include "core/reader/reader_save.h"

#include <gtest/gtest.h>

#include "core/base/cp1251.h"
#include "core/reader/page_markup.h"
#include "tests/support/scratch_folder.h"

namespace norvella {
namespace {

const std::string kHead =
    "<!doctype html><html><head><meta name=\"Generator\" content=\"Norvella\">"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
    "<title>\xCA\xED\xE8\xE3\xE0</title></head>\r\n";
const std::string kTail = "\r\n</html>\r\n\x1A";

TEST(ReaderSave, DeclaredCharset) {
  EXPECT_EQ(DeclaredCharset(kHead), DocumentCharset::Windows1251);
  EXPECT_EQ(DeclaredCharset("<meta charset=\"UTF-8\">"), DocumentCharset::Utf8);
  EXPECT_EQ(DeclaredCharset("<meta http-equiv=content-type content='text/html;charset = koi8-r'>"),
            DocumentCharset::Koi8r);
  EXPECT_EQ(DeclaredCharset("<meta charset=\"iso-8859-5\">"), DocumentCharset::Other);
  EXPECT_EQ(DeclaredCharset("<head><title>charset</title>"), DocumentCharset::Other);
}

TEST(ReaderSave, HeadAndTailAsReadBodyInTheDocumentsCharset) {
  const ReaderDocumentParts parts{kHead, kTail, DocumentCharset::Windows1251};
  // Cyrillic, an arrow the code page lacks, and the body end tag in upper case.
  const std::string body = "<body><p>\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0 \xE2\x86\x92</p></BODY>";
  const auto file = ComposeReaderDocument(parts, body, {{5, "\xC7\xE0\xEA\xEB\xE0\xE4\xEA\xE0"}}, 7);
  ASSERT_TRUE(file);
  EXPECT_EQ(*file, kHead + "<body><p>\xCA\xED\xE8\xE3\xE0 &#8594;</p>" +
                       BuildBookmarkBlock({{5, "\xC7\xE0\xEA\xEB\xE0\xE4\xEA\xE0"}}, 7) + kTail);

  const ReaderDocumentParts utf8{"<meta charset=utf-8>", "", DocumentCharset::Utf8};
  const auto u = ComposeReaderDocument(utf8, "<body>\xE2\x86\x92 \xD0\x9A</body>", {{1, "\xCA"}}, 0);
  ASSERT_TRUE(u);
  EXPECT_TRUE(IsValidUtf8(*u));
  EXPECT_NE(u->find("\xE2\x86\x92 \xD0\x9A"), std::string::npos);
  EXPECT_NE(u->find("NM=\"\xD0\x9A\">"), std::string::npos);  // the name in UTF-8 too

  const ReaderDocumentParts other{"", "", DocumentCharset::Other};
  EXPECT_EQ(ComposeReaderDocument(other, "<body>\xD0\x9A</body>", {}, 0).value().substr(0, 13),
            "<body>&#1050;");
}

TEST(ReaderSave, SavingAgainCutsOnlyAWholeOldBlock) {
  const ReaderDocumentParts parts{kHead, kTail, DocumentCharset::Windows1251};
  const std::vector<Bookmark> marks{{3, "a"}, {9, "b"}};
  const std::string first = ComposeReaderDocument(parts, "<body>text</body>", marks, 42).value();
  // The browser shows the saved file and serialises the body again, with the
  // block's CR as LF and the tail's line break as text at the end.
  std::string reserialised = first.substr(kHead.size(), first.size() - kHead.size() - kTail.size());
  for (char& c : reserialised)
    if (c == '\r') c = '\n';
  reserialised.insert(reserialised.size() - 7, "\n");
  EXPECT_EQ(ComposeReaderDocument(parts, reserialised, marks, 42), first);

  // A body that holds the opening marker alone keeps everything after it.
  const std::string quoted = "<body>see <!-- Marn's Norvella bookmarks here --> and more</body>";
  const std::string kept = ComposeReaderDocument(parts, quoted, {}, 0).value();
  EXPECT_NE(kept.find("and more"), std::string::npos);
  // ... also when the file is saved again with the new block after it.
  const std::string keptBody = kept.substr(kHead.size(), kept.size() - kHead.size() - kTail.size());
  EXPECT_EQ(ComposeReaderDocument(parts, keptBody, {}, 0), kept);
  // Opening and closing markers without the position comment: not a block we wrote.
  EXPECT_EQ(WithoutOldBlock("a<!-- Marn's Norvella bookmarks \n Marn's Norvella bookmarks -->b"),
            "a<!-- Marn's Norvella bookmarks \n Marn's Norvella bookmarks -->b");
}

TEST(ReaderSave, NothingToWrite) {
  const ReaderDocumentParts parts{kHead, kTail, DocumentCharset::Windows1251};
  EXPECT_FALSE(ComposeReaderDocument(parts, "</body>", {}, 0));
  EXPECT_FALSE(ComposeReaderDocument(parts, "", {}, 0));
}

class ReaderSaveFile : public test::ScratchFolderTest {};

TEST_F(ReaderSaveFile, WritesTheWholeFileAndReportsFailure) {
  const std::string path = Write("book.html", "old");
  const ReaderDocumentParts parts{kHead, kTail, DocumentCharset::Windows1251};
  bool written = false;
  ASSERT_TRUE(SaveReaderDocument(path, parts, "<body>x</body>", {{1, "n"}}, 10, &written).ok());
  EXPECT_TRUE(written);
  std::string back;
  ASSERT_TRUE(ReadWholeFile(path, back).ok());
  EXPECT_EQ(back, kHead + "<body>x" + BuildBookmarkBlock({{1, "n"}}, 10) + kTail);
  EXPECT_EQ(ParseBookmarkBlock(back).bookmarks, (std::vector<Bookmark>{{1, "n"}}));
  EXPECT_EQ(ReadSavedPosition(back), 10);

  // An empty page writes nothing and leaves the file alone.
  ASSERT_TRUE(SaveReaderDocument(path, parts, "</body>", {}, 0, &written).ok());
  EXPECT_FALSE(written);
  // A folder that does not exist: the system's reason, nothing written.
  const FileResult failed =
      SaveReaderDocument((dir_ / "missing/book.html").string(), parts, "<body>x</body>", {}, 0, &written);
  EXPECT_FALSE(failed.ok());
  EXPECT_FALSE(failed.error().reason.empty());
  EXPECT_FALSE(written);
}

TEST(PageMarkup, TitleAuthorNotesAndAnchorsAsTheBrowserWritesThem) {
  const std::string page =
      "<html><head><META NAME=author CONTENT='A &amp; B'><title>T&quot;x</title></head>"
      "<body><p>before <a style=\"background-color: Lime; color: Black;\" "
      "href=\"javascript:newwin = window.open('', 'NewWin', 'scrollbars=1, width=400, "
      "height=210');newwin.document.write('<html><head><title>Comment</title></head><body>"
      "it\x92s &quot;so&quot;<br>two</body></html>')\">the <i>text</i></a> after "
      "<a style=\"x\" id=\"-5\" name=\"-5\">mark</a> <a href=\"#x\">plain</a>"
      "<a id=\"1\" name=\"2\">not</a> <!-- <a id=9 name=9> --></p></body></html>";
  EXPECT_EQ(DocumentTitle(page), "T\"x");
  EXPECT_EQ(DocumentAuthor(page), "A & B");
  const auto notes = FindNotes(page);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].text, "it\x92s \"so\"<br>two");
  EXPECT_EQ(notes[0].anchor, "the text");
  EXPECT_EQ(MarkupToText(notes[0].text, " / "), "it\x92s \"so\" / two");
  EXPECT_EQ(FindBookmarkAnchors(page), std::vector<std::int32_t>{-5});
  EXPECT_TRUE(DocumentTitle("<html>").empty());
}

}  // namespace
}  // namespace norvella
