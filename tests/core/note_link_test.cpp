#include "core/reader/note_link.h"

#include <gtest/gtest.h>

#include "core/i18n/templates.h"

namespace norvella {
namespace {

// The address of a link as the page holds it: the href attribute of the
// markup with the two character references a note carries decoded.
std::string HrefOf(const std::string& markup) {
  const std::size_t start = markup.find("href=\"") + 6;
  std::string value = markup.substr(start, markup.find('"', start) - start);
  for (const auto& [entity, text] : {std::pair<std::string, std::string>{"&quot;", "\""},
                                     {"&rsquo;", "\x92"}}) {
    for (std::size_t at = value.find(entity); at != std::string::npos; at = value.find(entity, at))
      value.replace(at, entity.size(), text);
  }
  return value;
}

TEST(NoteFromLink, ReadsTheNoteOfALinkBuiltFromTheTemplates) {
  const HtmlTemplates t;
  // A two-line note as the note command writes it: apostrophes and double
  // quotes replaced, lines joined with <br>; Cyrillic text in the code page.
  const std::string note = "it&rsquo;s <b>here</b><br>\xF1\xEA\xE0\xE7\xE0\xEB &quot;no&quot;";
  const std::string link = t.scriptCode1 + note + t.scriptCode2 + "selected" + t.scriptCode3;
  EXPECT_EQ(NoteFromLink(HrefOf(link)), "it\x92s <b>here</b><br>\xF1\xEA\xE0\xE7\xE0\xEB \"no\"");

  // The same script as the link's onclick, behind an ordinary address.
  EXPECT_EQ(NoteFromLink("#", HrefOf(link).substr(11)),
            "it\x92s <b>here</b><br>\xF1\xEA\xE0\xE7\xE0\xEB \"no\"");
}

TEST(NoteFromLink, ReadsTheAddressAsAWebBrowserDoes) {
  // Percent escapes are decoded, runs of them as UTF-8; a lone "%" stays.
  EXPECT_EQ(NoteFromLink("javascript:w.document.write('<body>50%25 %D0%96 100% sure</body>')"),
            "50% \xC6 100% sure");
  // Spaces around the address go, and so do tabs and line breaks inside
  // it; the scheme's letter case does not matter.
  EXPECT_EQ(NoteFromLink("  JavaScript:w.document.wr\nite('<body>a\tb%09c</body>') \n"), "ab\tc");
  // An onclick is a script, not an address: its percent signs are text.
  EXPECT_EQ(NoteFromLink("", "document.write('<body>%41</body>')"), "%41");
  // The address is read first; the onclick only when it writes nothing.
  EXPECT_EQ(NoteFromLink("javascript:document.write('<body>from href</body>')",
                         "document.write('<body>from onclick</body>')"),
            "from href");
  EXPECT_EQ(NoteFromLink("javascript:void(0)", "document.write('<body>from onclick</body>')"),
            "from onclick");
}

TEST(NoteFromScript, DecodesTheLiteralsItWrites) {
  EXPECT_EQ(NoteFromScript(R"(d.write("<body>say 'hi'</body>"))"), "say 'hi'");
  EXPECT_EQ(NoteFromScript(R"(d.write('<body>it\'s a \\ back\nslash</body>'))"),
            "it's a \\ back\nslash");
  EXPECT_EQ(NoteFromScript(R"(d.write('<body>\x41\u0416\u2192\u{1F600}\uD83D\uDE00</body>'))"),
            "A\xC6&#8594;&#128512;&#128512;");
  // Several calls and arguments, concatenation, writeln's line break.
  EXPECT_EQ(NoteFromScript("w = window.open('', 'N'); w.document.writeln('<html><body>one' + "
                           "\"-two\"); w.document.write('three', '</body></html>'); w.focus();"),
            "one-two\nthree");
  // A page without a body element is the note as it stands; a body tag
  // with attributes is cut like a bare one; "<bodyx" is no body tag.
  EXPECT_EQ(NoteFromScript("d.write('plain <i>note</i>')"), "plain <i>note</i>");
  EXPECT_EQ(NoteFromScript("d.write('<BODY bgcolor=\"x\">n</Body>')"), "n");
  EXPECT_EQ(NoteFromScript("d.write('<bodyx>n')"), "<bodyx>n");
  EXPECT_EQ(NoteFromScript("d.write('<body></body>')"), "");
}

TEST(NoteFromScript, IsNoNoteWhenNothingIsWrittenLiterally) {
  EXPECT_EQ(NoteFromScript("window.open('note.html')"), std::nullopt);
  EXPECT_EQ(NoteFromScript("d.write(secret)"), std::nullopt);
  EXPECT_EQ(NoteFromScript("d.write('a' + secret)"), std::nullopt);
  EXPECT_EQ(NoteFromScript("d.write(`<body>${x}</body>`)"), std::nullopt);
  EXPECT_EQ(NoteFromScript("d.write('<body>never closed"), std::nullopt);
  EXPECT_EQ(NoteFromScript("d.write('a'"), std::nullopt);
  EXPECT_EQ(NoteFromScript("d.write('line\nbreak')"), std::nullopt);
  EXPECT_EQ(NoteFromScript("d.write('\\u12')"), std::nullopt);
  // A ".write(" inside a string is text, not a call.
  EXPECT_EQ(NoteFromScript("alert('x.write(\"y\")')"), std::nullopt);
  EXPECT_EQ(NoteFromScript(""), std::nullopt);
  EXPECT_EQ(NoteFromLink("http://example.org/", ""), std::nullopt);
  EXPECT_EQ(NoteFromLink("chapter2.html#n1", "return false;"), std::nullopt);
  EXPECT_EQ(NoteFromLink("javascript:", ""), std::nullopt);
  // A call that cannot be read is skipped, the next one still counts.
  EXPECT_EQ(NoteFromScript("d.write(x); d.write('<body>kept</body>')"), "kept");
}

}  // namespace
}  // namespace norvella
