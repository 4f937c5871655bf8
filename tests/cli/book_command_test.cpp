#include "cli/book_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/i18n/templates.h"
#include "core/reader/bookmarks.h"
#include "core/reader/reader_save.h"
#include "tests/support/scratch_folder.h"

namespace norvella {
namespace {

class BookCommand : public test::ScratchFolderTest {
 protected:
  int Run(const std::vector<std::string>& args) {
    out_.str({});
    err_.str({});
    return RunBookCommand(args, out_, err_);
  }
  // A document as the reader saves it: a converted head, a note, a bookmark
  // anchor, the block and the position comment.
  std::string SavedBook(DocumentCharset charset, const std::string& head) {
    const HtmlTemplates templates;
    const std::string note = NoteMarkup(templates, NoteTextFromLines({"it's", "two"}), EscapeHtmlText("x < y"));
    const std::string body = "<body><p>\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0 " + note + " " +
                             BookmarkMarkup(templates, 1000, "here") + "</p></body>";
    return ComposeReaderDocument({head, "\r\n</html>\r\n", charset}, body,
                                 {{1000, "\xC3\xEB\xE0\xE2\xE0 \"1\""}, {-3, "top"}}, 1073741824)
        .value();
  }
  std::ostringstream out_, err_;
};

const std::string kCp1251Head =
    "<html><head><meta name=\"Generator\" content=\"Norvella\"><meta name=\"author\" "
    "content=\"\xC3\xEE\xE3\xEE\xEB\xFC\"><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1251\"><title>\xD8\xE8\xED\xE5\xEB\xFC &amp; co</title></head>";

TEST_F(BookCommand, ListsWhatTheDocumentCarries) {
  const std::string path = Write("book.html", SavedBook(DocumentCharset::Windows1251, kCp1251Head));
  ASSERT_EQ(Run({"info", path}), 0) << err_.str();
  EXPECT_EQ(out_.str(),
            "title: \xD0\xA8\xD0\xB8\xD0\xBD\xD0\xB5\xD0\xBB\xD1\x8C & co\n"
            "author: \xD0\x93\xD0\xBE\xD0\xB3\xD0\xBE\xD0\xBB\xD1\x8C\n"
            "position: 1073741824 (50.0%)\n"
            "bookmark: 1000 \xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0 \"1\"\n"
            "bookmark: -3 top\n"
            "note: it\xE2\x80\x99s / two => x < y\n");
  ASSERT_EQ(Run({"info", "--json", path}), 0);
  EXPECT_EQ(out_.str(),
            "{\"title\": \"\xD0\xA8\xD0\xB8\xD0\xBD\xD0\xB5\xD0\xBB\xD1\x8C & co\", \"author\": "
            "\"\xD0\x93\xD0\xBE\xD0\xB3\xD0\xBE\xD0\xBB\xD1\x8C\", \"position\": 1073741824, \"bookmarks\": "
            "[{\"number\": 1000, \"name\": \"\xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0 \\\"1\\\"\"}, "
            "{\"number\": -3, \"name\": \"top\"}], \"notes\": [{\"text\": \"it\xE2\x80\x99s / two\", "
            "\"anchor\": \"x < y\"}]}\n");
}

TEST_F(BookCommand, Utf8DocumentsAndPlainFiles) {
  const std::string head = "<html><head><meta charset=\"utf-8\"><title>\xE2\x86\x92 \xD0\x9A</title></head>";
  ASSERT_EQ(Run({"info", Write("u.html", SavedBook(DocumentCharset::Utf8, head))}), 0) << err_.str();
  EXPECT_NE(out_.str().find("title: \xE2\x86\x92 \xD0\x9A\n"), std::string::npos);
  EXPECT_NE(out_.str().find("bookmark: 1000 \xD0\x93\xD0\xBB"), std::string::npos);

  ASSERT_EQ(Run({"info", Write("plain.html", "<p>no head, no marks</p>")}), 0);
  EXPECT_EQ(out_.str(), "title: \nauthor: \nposition: none\n");
  ASSERT_EQ(Run({"info", "--json", Write("plain2.html", "")}), 0);
  EXPECT_EQ(out_.str(), "{\"title\": \"\", \"author\": \"\", \"position\": null, \"bookmarks\": [], \"notes\": []}\n");
}

TEST_F(BookCommand, FailuresAndUsage) {
  EXPECT_EQ(Run({"info", (dir_ / "missing.html").string()}), 1);
  EXPECT_NE(err_.str().find("missing.html"), std::string::npos);
  EXPECT_TRUE(out_.str().empty());
  const std::string bad = Write("bad.html", "<body><!-- Marn's Norvella bookmarks \n\r<BOOKMARK ID=\"x\" "
                                            "NM=\"n\">\n\r Marn's Norvella bookmarks --></body>");
  EXPECT_EQ(Run({"info", bad}), 1);
  EXPECT_FALSE(err_.str().empty());
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"info"}), 2);
  EXPECT_EQ(Run({"show", "x"}), 2);
  EXPECT_EQ(Run({"info", "--xml", "x"}), 2);
  EXPECT_EQ(Run({"info", "a", "b"}), 2);
  EXPECT_EQ(Run({"--help"}), 0);
}

}  // namespace
}  // namespace norvella
