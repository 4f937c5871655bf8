#include "core/export/epub.h"

#include <cstdio>

#include "core/export/xml_text.h"

namespace norvella {
namespace {

constexpr InlineTags kTags{"em", "strong", "sup", "sub"};

constexpr std::string_view kStyleSheet =
    "body { margin: 0 0.5em; }\n"
    "p { margin: 0; text-indent: 1.5em; text-align: justify; }\n"
    "h1, h2, h3, h4, h5, h6 { text-align: center; margin: 1.5em 0 1em; page-break-after: avoid; }\n"
    "h1 { font-size: 1.5em; }\n"
    "h2 { font-size: 1.3em; }\n"
    "h3, h4, h5, h6 { font-size: 1.1em; }\n"
    "blockquote { margin: 1em 0 1em 2em; }\n"
    "blockquote p { text-indent: 0; text-align: left; }\n"
    "blockquote.epigraph { margin: 1em 0 1.5em 40%; font-style: italic; }\n"
    "p.author { text-align: right; font-style: normal; margin-top: 0.3em; }\n"
    "p.book-author { text-indent: 0; text-align: center; margin: 2em 0 0; font-size: 1.2em; }\n"
    "h1.book-title { margin-top: 30%; font-size: 1.8em; }\n"
    "aside p { text-indent: 0; }\n"
    "div.cover { text-align: center; }\n"
    "div.cover img { max-width: 100%; max-height: 100%; }\n";

std::string FileName(std::size_t part) {
  char name[32];
  std::snprintf(name, sizeof name, "part%04zu.xhtml", part);
  return name;
}

std::string XhtmlStart(const BookStructure& book, std::string_view title) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
      "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\" "
      "xml:lang=\"" + book.language + "\" lang=\"" + book.language + "\">\n<head>\n<title>";
  AppendXmlEscaped(out, title);
  out += "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n</head>\n";
  return out;
}

// Writes the XHTML files and records where each section and note link went,
// for the navigation and for the notes' links back.
class EpubWriter {
 public:
  EpubWriter(const BookStructure& book, const std::string& modified)
      : book_(book), modified_(modified), identifierSoon_(IdentifierInBackground(book)) {
    firstRef_.assign(book.notes.size(), std::string());
  }

  std::vector<ZipEntry> Run() {
    files_.push_back({"mimetype", "application/epub+zip", false});
    files_.push_back({"META-INF/container.xml",
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
                      "<rootfiles><rootfile full-path=\"OEBPS/content.opf\" "
                      "media-type=\"application/oebps-package+xml\"/></rootfiles>\n</container>\n"});
    files_.push_back({"OEBPS/style.css", std::string(kStyleSheet)});
    if (book_.cover) {
      files_.push_back({"OEBPS/cover." + book_.cover->extension, book_.cover->bytes, false});
      std::string page = XhtmlStart(book_, book_.title);
      page += "<body epub:type=\"cover\">\n<div class=\"cover\"><img src=\"cover." + book_.cover->extension +
              "\" alt=\"";
      AppendXmlEscaped(page, book_.title, true);
      page += "\"/></div>\n</body>\n</html>\n";
      AddPage("cover", "cover.xhtml", std::move(page));
    }
    TitlePage();
    for (const BookSection& section : book_.body.children) {
      const std::string name = FileName(++parts_);
      file_ = name;
      std::string page = XhtmlStart(book_, section.TitleText());
      page += "<body>\n";
      Section(page, section, 1);
      page += "</body>\n</html>\n";
      AddPage("part" + std::to_string(parts_), name, std::move(page));
    }
    if (!book_.notes.empty()) NotesPage();
    identifier_ = identifierSoon_.get();
    files_.push_back({"OEBPS/nav.xhtml", Navigation()});
    files_.push_back({"OEBPS/toc.ncx", Ncx()});
    files_.insert(files_.begin() + 2, ZipEntry{"OEBPS/content.opf", Package()});
    return std::move(files_);
  }

 private:
  struct NavEntry {
    std::string title, href;
    int depth;
  };
  struct SpineItem {
    std::string id, href;
  };

  void AddPage(std::string id, std::string href, std::string page) {
    spine_.push_back({std::move(id), href});
    files_.push_back({"OEBPS/" + href, std::move(page)});
  }

  void Runs(std::string& out, const BookParagraph& p) {
    AppendRuns(out, p.runs, kTags, [this](int note) { return NoteOpen(note); }, "</a>");
  }

  std::string NoteOpen(int note) {
    const std::string id = "ref" + std::to_string(++refs_);
    if (firstRef_[static_cast<std::size_t>(note)].empty())
      firstRef_[static_cast<std::size_t>(note)] = file_ + "#" + id;
    return "<a epub:type=\"noteref\" id=\"" + id + "\" href=\"notes.xhtml#note" + std::to_string(note + 1) +
           "\">";
  }

  void Paragraph(std::string& out, const BookParagraph& p, std::string_view cls = {}) {
    out += cls.empty() ? "<p>" : "<p class=\"" + std::string(cls) + "\">";
    Runs(out, p);
    out += "</p>\n";
  }

  void Quote(std::string& out, const BookQuote& q, bool epigraph) {
    out += epigraph ? "<blockquote class=\"epigraph\">\n" : "<blockquote>\n";
    for (const BookParagraph& line : q.lines) Paragraph(out, line);
    for (const BookParagraph& line : q.authors) Paragraph(out, line, "author");
    out += "</blockquote>\n";
  }

  void Content(std::string& out, const BookSection& s) {
    for (const BookQuote& q : s.epigraphs) Quote(out, q, true);
    for (const BookBlock& b : s.blocks) {
      if (b.kind == BookBlock::Kind::kParagraph) Paragraph(out, b.paragraph);
      else Quote(out, b.quote, false);
    }
  }

  void Section(std::string& out, const BookSection& s, int depth) {
    const std::string id = "s" + std::to_string(++sections_);
    nav_.push_back({s.TitleText(), file_ + "#" + id, depth});
    const std::string h = "h" + std::to_string(depth < 6 ? depth : 6);
    out += "<section id=\"" + id + "\">\n<" + h + ">";
    for (std::size_t i = 0; i < s.title.size(); ++i) {
      if (i) out += "<br/>";
      Runs(out, s.title[i]);
    }
    out += "</" + h + ">\n";
    Content(out, s);
    for (const BookSection& c : s.children) Section(out, c, depth + 1);
    out += "</section>\n";
  }

  void TitlePage() {
    file_ = "title.xhtml";
    std::string page = XhtmlStart(book_, book_.title);
    page += "<body>\n<h1 class=\"book-title\">";
    AppendXmlEscaped(page, book_.title);
    page += "</h1>\n";
    if (!book_.author.empty()) {
      page += "<p class=\"book-author\">";
      AppendXmlEscaped(page, book_.author);
      page += "</p>\n";
    }
    Content(page, book_.body);
    page += "</body>\n</html>\n";
    AddPage("title", file_, std::move(page));
  }

  void NotesPage() {
    file_ = "notes.xhtml";
    std::string page = XhtmlStart(book_, "Notes");
    page += "<body>\n<section epub:type=\"endnotes\">\n";
    for (std::size_t i = 0; i < book_.notes.size(); ++i) {
      const std::string number = std::to_string(i + 1);
      page += "<aside epub:type=\"footnote\" id=\"note" + number + "\">\n";
      const std::vector<BookParagraph>& body = book_.notes[i].body;
      for (std::size_t k = 0; k < body.size() || k == 0; ++k) {
        page += "<p>";
        if (k == 0) {
          // The number links back to the place that refers to the note.
          if (!firstRef_[i].empty()) page += "<a href=\"" + firstRef_[i] + "\">" + number + ".</a> ";
          else page += number + ". ";
        }
        if (k < body.size()) Runs(page, body[k]);
        page += "</p>\n";
      }
      page += "</aside>\n";
    }
    page += "</section>\n</body>\n</html>\n";
    AddPage("notes", file_, std::move(page));
  }

  std::string Navigation() const {
    std::string out = XhtmlStart(book_, book_.title);
    out += "<body>\n<nav epub:type=\"toc\" id=\"toc\">\n<h1>";
    AppendXmlEscaped(out, book_.title);
    out += "</h1>\n<ol>\n<li><a href=\"title.xhtml\">";
    AppendXmlEscaped(out, book_.title);
    out += "</a></li>\n";
    int depth = 1;
    bool open = false;  // an <li> at `depth` waits for its close
    for (const NavEntry& e : nav_) {
      if (e.depth > depth && open) {
        for (; depth < e.depth; ++depth) out += "\n<ol>\n";
      } else {
        if (open) out += "</li>\n";
        for (; depth > e.depth; --depth) out += "</ol>\n</li>\n";
      }
      depth = e.depth;
      out += "<li><a href=\"" + e.href + "\">";
      AppendXmlEscaped(out, e.title);
      out += "</a>";
      open = true;
    }
    if (open) out += "</li>\n";
    for (; depth > 1; --depth) out += "</ol>\n</li>\n";
    out += "</ol>\n</nav>\n</body>\n</html>\n";
    return out;
  }

  std::string Ncx() const {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\">\n<head>\n"
        "<meta name=\"dtb:uid\" content=\"";
    AppendXmlEscaped(out, identifier_, true);
    int maxDepth = 1;
    for (const NavEntry& e : nav_) maxDepth = e.depth > maxDepth ? e.depth : maxDepth;
    out += "\"/>\n<meta name=\"dtb:depth\" content=\"" + std::to_string(maxDepth) +
           "\"/>\n<meta name=\"dtb:totalPageCount\" content=\"0\"/>\n"
           "<meta name=\"dtb:maxPageNumber\" content=\"0\"/>\n</head>\n<docTitle><text>";
    AppendXmlEscaped(out, book_.title);
    out += "</text></docTitle>\n<navMap>\n";
    int order = 0;
    auto point = [&](const std::string& title, const std::string& href) {
      ++order;
      out += "<navPoint id=\"np" + std::to_string(order) + "\" playOrder=\"" + std::to_string(order) +
             "\"><navLabel><text>";
      AppendXmlEscaped(out, title);
      out += "</text></navLabel><content src=\"" + href + "\"/>";
    };
    point(book_.title, "title.xhtml");
    out += "</navPoint>\n";
    int depth = 0;
    for (const NavEntry& e : nav_) {
      for (; depth >= e.depth; --depth) out += "</navPoint>\n";
      point(e.title, e.href);
      out += '\n';
      depth = e.depth;
    }
    for (; depth >= 1; --depth) out += "</navPoint>\n";
    out += "</navMap>\n</ncx>\n";
    return out;
  }

  std::string Package() const {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"book-id\" "
        "xml:lang=\"" + book_.language + "\">\n"
        "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n<dc:identifier id=\"book-id\">";
    AppendXmlEscaped(out, identifier_);
    out += "</dc:identifier>\n<dc:title>";
    AppendXmlEscaped(out, book_.title);
    out += "</dc:title>\n";
    if (!book_.author.empty()) {
      out += "<dc:creator>";
      AppendXmlEscaped(out, book_.author);
      out += "</dc:creator>\n";
    }
    out += "<dc:language>" + book_.language + "</dc:language>\n<meta property=\"dcterms:modified\">" +
           modified_ + "</meta>\n";
    if (book_.cover) out += "<meta name=\"cover\" content=\"cover-image\"/>\n";
    out += "</metadata>\n<manifest>\n"
           "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" properties=\"nav\"/>\n"
           "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n"
           "<item id=\"css\" href=\"style.css\" media-type=\"text/css\"/>\n";
    if (book_.cover)
      out += "<item id=\"cover-image\" href=\"cover." + book_.cover->extension + "\" media-type=\"" +
             book_.cover->mediaType + "\" properties=\"cover-image\"/>\n";
    for (const SpineItem& item : spine_)
      out += "<item id=\"" + item.id + "\" href=\"" + item.href + "\" media-type=\"application/xhtml+xml\"/>\n";
    out += "</manifest>\n<spine toc=\"ncx\">\n";
    for (const SpineItem& item : spine_) out += "<itemref idref=\"" + item.id + "\"/>\n";
    out += "</spine>\n</package>\n";
    return out;
  }

  const BookStructure& book_;
  const std::string& modified_;
  std::future<std::string> identifierSoon_;
  std::string identifier_;  // once the pages are written
  std::vector<ZipEntry> files_;
  std::vector<SpineItem> spine_;
  std::vector<NavEntry> nav_;
  std::vector<std::string> firstRef_;
  std::string file_;
  std::size_t parts_ = 0;
  int sections_ = 0;
  int refs_ = 0;
};

}  // namespace

std::vector<ZipEntry> EpubFiles(const BookStructure& book, const std::string& modified) {
  return EpubWriter(book, modified).Run();
}

}  // namespace norvella
