#include <gtest/gtest.h>

#include <filesystem>

#include "core/export/book_builder.h"
#include "core/export/epub.h"
#include "core/export/fb2.h"
#include "core/export/xml_text.h"
#include "core/export/zip_package.h"
#include "tests/core/export/export_support.h"

namespace norvella {
namespace {

const std::string kSchema = std::string(NORVELLA_FORMATS_DIR) + "/fb2/FictionBook.xsd";

bool HaveSchema() { return std::filesystem::exists(kSchema); }

// A small book with what the writers must get right: nested sections, a
// section with both text and subsections, a header with nothing under it,
// epigraphs, a quotation, styles, a note, and markup characters in titles.
BookStructure SampleBook() {
  BookStructure book = BuildBookFromHtml(
      "<body><a name=\"start000\"><h1>t</h1></a>"
      "<blockquote><i>BookStructure motto</i><br>Sage</blockquote>"
      "<h1>Part &amp; \"one\" &lt;1&gt;</h1><div>Part text with <b>bold</b>, <i>it</i>, x<sup>2</sup>, "
      "H<sub>2</sub>O and a <a href=\"#n1\" name=\"n1back\" id=\"Norvella~link\">note</a>.</div>"
      "<h2>Chapter</h2><blockquote><i>Epigraph line</i><br>&nbsp;&nbsp;Its author</blockquote>"
      "<div>Chapter text.</div><blockquote>Quoted<br>- Someone</blockquote>"
      "<h2>Empty chapter</h2>"
      "<h1>Part two</h1><div>End.</div>"
      "<hr size=\"0\" id=\"norvella\"><a id=\"NorvellaEndlink\" name=\"n1\">Note &amp; body</a> "
      "<a href=\"#n1back\">[^^Back^^]</a></body>",
      {});
  book.title = "Tom & \"Jerry\" <1>";
  book.author = "Lev Nikolaevich Tolstoy";
  return book;
}

TEST(Fb2Writer, SampleBookIsValidFictionBook) {
  const std::string fb2 = WriteFb2(SampleBook(), "2026-12-09");
  ASSERT_TRUE(test::WellFormedXml(fb2)) << fb2;
  if (!HaveSchema()) GTEST_SKIP() << "no FictionBook schema at " << kSchema;
  EXPECT_EQ(test::SchemaErrors(kSchema, fb2), 0) << fb2;
}

TEST(Fb2Writer, WritesTheStructureInFictionBookTerms) {
  const std::string fb2 = WriteFb2(SampleBook(), "2026-12-09");
  for (const char* part : {
           "<genre>prose_classic</genre>",
           "<first-name>Lev</first-name><middle-name>Nikolaevich</middle-name><last-name>Tolstoy</last-name>",
           "<book-title>Tom &amp; \"Jerry\" &lt;1&gt;</book-title>",
           "<program-used>Norvella</program-used>",
           "<date value=\"2026-12-09\">",
           "<epigraph>\n<p>BookStructure motto</p>\n<text-author>Sage</text-author>\n</epigraph>",
           "<title>\n<p>Part &amp; \"one\" &lt;1&gt;</p>\n</title>",
           "<strong>bold</strong>", "<emphasis>it</emphasis>", "<sup>2</sup>", "<sub>2</sub>",
           "<a l:href=\"#note1\" type=\"note\">note</a>",
           "<epigraph>\n<p>Epigraph line</p>\n<text-author>Its author</text-author>",
           "<cite>\n<p>Quoted</p>\n<text-author>- Someone</text-author>\n</cite>",
           "<p>Empty chapter</p>\n</title>\n<empty-line/>",
           "<body name=\"notes\">", "<section id=\"note1\">", "<p>Note &amp; body</p>",
       })
    EXPECT_NE(fb2.find(part), std::string::npos) << part;
  // The part's own text goes into an untitled section before its chapters.
  EXPECT_NE(fb2.find("</title>\n<section>\n<p>Part text"), std::string::npos);
}

TEST(Fb2Writer, CoverIsABase64Binary) {
  BookStructure book = SampleBook();
  book.cover = RecognisePicture("\x89PNG\r\n\x1a\n-picture-");
  const std::string fb2 = WriteFb2(book, "2026-12-09");
  EXPECT_NE(fb2.find("<coverpage><image l:href=\"#cover.png\"/></coverpage>"), std::string::npos);
  EXPECT_NE(fb2.find("<binary id=\"cover.png\" content-type=\"image/png\">" +
                     Base64("\x89PNG\r\n\x1a\n-picture-") + "</binary>"),
            std::string::npos);
  if (HaveSchema()) {
    EXPECT_EQ(test::SchemaErrors(kSchema, fb2), 0);
  }
}

TEST(Fb2Writer, Base64) {
  EXPECT_EQ(Base64(""), "");
  EXPECT_EQ(Base64("f"), "Zg==");
  EXPECT_EQ(Base64("fo"), "Zm8=");
  EXPECT_EQ(Base64("foobar"), "Zm9vYmFy");
  const std::string wrapped = Base64(std::string(120, 'x'));
  EXPECT_EQ(wrapped.find('\n'), 76u);
  EXPECT_EQ(wrapped.size(), 160u + 2u);  // 160 digits in lines of 76
}

class EpubPackage : public ::testing::Test {
 protected:
  void SetUp() override {
    BookStructure book = SampleBook();
    book.cover = RecognisePicture("\xFF\xD8\xFF\xE0-jpeg-");
    const ZipResult zip = PackZip(EpubFiles(book, "2026-12-09T10:20:30Z"), 1'800'000'000);
    ASSERT_TRUE(zip.ok) << zip.error;
    entries_ = test::ReadArchive(zip.bytes);
    ASSERT_FALSE(entries_.empty());
  }
  const std::string& File(const std::string& name) {
    const test::ArchiveEntry* e = test::FindEntry(entries_, name);
    static const std::string none;
    EXPECT_TRUE(e) << name;
    return e ? e->data : none;
  }
  std::vector<test::ArchiveEntry> entries_;
};

TEST_F(EpubPackage, MimetypeComesFirstStoredAndPlain) {
  EXPECT_EQ(entries_[0].name, "mimetype");
  EXPECT_EQ(entries_[0].data, "application/epub+zip");
  EXPECT_TRUE(entries_[0].stored);
  EXPECT_EQ(entries_[0].extraFieldBytes, 0);
  for (const test::ArchiveEntry& e : entries_) {
    if (e.name.ends_with(".xhtml") || e.name.ends_with(".opf") || e.name.ends_with(".ncx") ||
        e.name.ends_with(".xml")) {
      EXPECT_TRUE(test::WellFormedXml(e.data)) << e.name << "\n" << e.data;
    }
  }
}

TEST_F(EpubPackage, PackageNamesTheBookAndItsFiles) {
  const std::string& opf = File("OEBPS/content.opf");
  for (const char* part : {
           "<dc:title>Tom &amp; \"Jerry\" &lt;1&gt;</dc:title>",
           "<dc:creator>Lev Nikolaevich Tolstoy</dc:creator>",
           "<dc:language>en</dc:language>",  // the sample text holds no Cyrillic
           "<meta property=\"dcterms:modified\">2026-12-09T10:20:30Z</meta>",
           "href=\"cover.jpg\" media-type=\"image/jpeg\" properties=\"cover-image\"",
           "properties=\"nav\"",
           "<spine toc=\"ncx\">\n<itemref idref=\"cover\"/>\n<itemref idref=\"title\"/>\n<itemref idref=\"part1\"/>\n"
           "<itemref idref=\"part2\"/>\n<itemref idref=\"notes\"/>\n</spine>",
       })
    EXPECT_NE(opf.find(part), std::string::npos) << part << "\n" << opf;
  EXPECT_NE(opf.find(SampleBook().Identifier()), std::string::npos);
  EXPECT_EQ(File("OEBPS/cover.jpg"), "\xFF\xD8\xFF\xE0-jpeg-");
}

TEST_F(EpubPackage, NavigationFollowsTheHeaders) {
  const std::string& nav = File("OEBPS/nav.xhtml");
  EXPECT_NE(nav.find("<li><a href=\"part0001.xhtml#s1\">Part &amp; \"one\" &lt;1&gt;</a>\n<ol>\n"
                     "<li><a href=\"part0001.xhtml#s2\">Chapter</a></li>\n"
                     "<li><a href=\"part0001.xhtml#s3\">Empty chapter</a></li>\n</ol>\n</li>\n"
                     "<li><a href=\"part0002.xhtml#s4\">Part two</a></li>\n</ol>"),
            std::string::npos)
      << nav;
  const std::string& ncx = File("OEBPS/toc.ncx");
  EXPECT_NE(ncx.find("<navPoint id=\"np3\" playOrder=\"3\"><navLabel><text>Chapter</text></navLabel>"
                     "<content src=\"part0001.xhtml#s2\"/>\n</navPoint>"),
            std::string::npos)
      << ncx;
  EXPECT_NE(ncx.find("<meta name=\"dtb:depth\" content=\"2\"/>"), std::string::npos);
}

TEST_F(EpubPackage, TextEpigraphsAndNotes) {
  const std::string& part = File("OEBPS/part0001.xhtml");
  for (const char* piece : {
           "<h1>Part &amp; \"one\" &lt;1&gt;</h1>",
           "<strong>bold</strong>", "<em>it</em>", "x<sup>2</sup>", "H<sub>2</sub>O",
           "<a epub:type=\"noteref\" id=\"ref1\" href=\"notes.xhtml#note1\">note</a>",
           "<section id=\"s2\">\n<h2>Chapter</h2>\n<blockquote class=\"epigraph\">\n<p>Epigraph line</p>\n"
           "<p class=\"author\">Its author</p>\n</blockquote>",
           "<blockquote>\n<p>Quoted</p>\n<p class=\"author\">- Someone</p>",
       })
    EXPECT_NE(part.find(piece), std::string::npos) << piece << "\n" << part;
  const std::string& notes = File("OEBPS/notes.xhtml");
  EXPECT_NE(notes.find("<aside epub:type=\"footnote\" id=\"note1\">\n<p><a href=\"part0001.xhtml#ref1\">1.</a> "
                       "Note &amp; body</p>"),
            std::string::npos)
      << notes;
  const std::string& title = File("OEBPS/title.xhtml");
  EXPECT_NE(title.find("<blockquote class=\"epigraph\">\n<p>BookStructure motto</p>\n<p class=\"author\">Sage</p>"),
            std::string::npos);
}

TEST(XmlText, EscapesMarkupAndDropsWhatXmlCannotHold) {
  EXPECT_EQ(XmlEscaped("a<b>&\"c\"\x01\r\n\t"), "a&lt;b&gt;&amp;\"c\"\n\t");
  EXPECT_EQ(XmlEscaped("\"", true), "&quot;");
}

}  // namespace
}  // namespace norvella
