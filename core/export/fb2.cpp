#include "core/export/fb2.h"

#include "core/export/xml_text.h"

namespace norvella {
namespace {

constexpr InlineTags kTags{"emphasis", "strong", "sup", "sub"};

class Fb2Writer {
 public:
  Fb2Writer(const BookStructure& book, const std::string& date)
      : book_(book), date_(date), identifierSoon_(IdentifierInBackground(book)) {}

  std::string Run() {
    out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\" "
           "xmlns:l=\"http://www.w3.org/1999/xlink\">\n";
    Description();
    out_ += "<body>\n<title>";
    Line("p", book_.title);
    if (!book_.author.empty()) Line("p", book_.author);
    out_ += "</title>\n";
    for (const BookQuote& q : book_.body.epigraphs) Quote("epigraph", q);
    if (!book_.body.blocks.empty() || book_.body.children.empty()) {
      // The text before the first header, as an untitled section.
      out_ += "<section>\n";
      Blocks(book_.body);
      out_ += "</section>\n";
    }
    for (const BookSection& s : book_.body.children) Section(s);
    out_ += "</body>\n";
    if (!book_.notes.empty()) Notes();
    if (book_.cover) {
      out_ += "<binary id=\"cover." + book_.cover->extension + "\" content-type=\"" +
              book_.cover->mediaType + "\">" + Base64(book_.cover->bytes) + "</binary>\n";
    }
    out_ += "</FictionBook>\n";
    // The identifier goes into the description now that it is ready: the
    // text was written meanwhile.
    std::string id;
    Line(id, "id", identifierSoon_.get());
    out_.insert(idAt_, id);
    return std::move(out_);
  }

 private:
  static void Line(std::string& out, std::string_view tag, std::string_view text) {
    out.append("<").append(tag).append(">");
    AppendXmlEscaped(out, text);
    out.append("</").append(tag).append(">");
  }
  void Line(std::string_view tag, std::string_view text) { Line(out_, tag, text); }

  void Author() {
    const PersonName name = SplitPersonName(book_.author);
    out_ += "<author>";
    if (!name.nickname.empty()) {
      Line("nickname", name.nickname);
    } else {
      Line("first-name", name.first);
      if (!name.middle.empty()) Line("middle-name", name.middle);
      Line("last-name", name.last);
    }
    out_ += "</author>\n";
  }

  void Description() {
    out_ += "<description>\n<title-info>\n";
    Line("genre", book_.genre);
    out_ += '\n';
    Author();
    Line("book-title", book_.title);
    out_ += '\n';
    if (book_.cover) out_ += "<coverpage><image l:href=\"#cover." + book_.cover->extension + "\"/></coverpage>\n";
    Line("lang", book_.language);
    out_ += "\n</title-info>\n<document-info>\n";
    Author();
    Line("program-used", "Norvella");
    out_ += "\n<date value=\"" + date_ + "\">" + date_ + "</date>\n";
    idAt_ = out_.size();
    out_ += "\n<version>1.0</version>\n</document-info>\n</description>\n";
  }

  void Runs(const BookParagraph& p) {
    AppendRuns(out_, p.runs, kTags,
               [](int note) { return "<a l:href=\"#note" + std::to_string(note + 1) + "\" type=\"note\">"; },
               "</a>");
  }

  void Paragraph(std::string_view tag, const BookParagraph& p) {
    out_.append("<").append(tag).append(">");
    Runs(p);
    out_.append("</").append(tag).append(">\n");
  }

  void Quote(std::string_view tag, const BookQuote& q) {
    out_.append("<").append(tag).append(">\n");
    for (const BookParagraph& line : q.lines) Paragraph("p", line);
    for (const BookParagraph& line : q.authors) Paragraph("text-author", line);
    out_.append("</").append(tag).append(">\n");
  }

  void Blocks(const BookSection& s) {
    for (const BookBlock& b : s.blocks) {
      if (b.kind == BookBlock::Kind::kParagraph) Paragraph("p", b.paragraph);
      else Quote("cite", b.quote);
    }
  }

  void Section(const BookSection& s) {
    out_ += "<section>\n<title>\n";
    for (const BookParagraph& line : s.title) Paragraph("p", line);
    out_ += "</title>\n";
    for (const BookQuote& q : s.epigraphs) Quote("epigraph", q);
    if (s.children.empty()) {
      // A section holds text or sections, and a title alone is not enough.
      if (s.blocks.empty()) out_ += "<empty-line/>\n";
      Blocks(s);
    } else {
      // Nor may it hold both: its own text goes into an untitled first part.
      if (!s.blocks.empty()) {
        out_ += "<section>\n";
        Blocks(s);
        out_ += "</section>\n";
      }
      for (const BookSection& c : s.children) Section(c);
    }
    out_ += "</section>\n";
  }

  void Notes() {
    out_ += "<body name=\"notes\">\n<title><p>Notes</p></title>\n";
    for (std::size_t i = 0; i < book_.notes.size(); ++i) {
      const std::string number = std::to_string(i + 1);
      out_ += "<section id=\"note" + number + "\">\n<title><p>" + number + "</p></title>\n";
      const std::vector<BookParagraph>& body = book_.notes[i].body;
      if (body.empty()) out_ += "<empty-line/>\n";
      for (const BookParagraph& p : body) Paragraph("p", p);
      out_ += "</section>\n";
    }
    out_ += "</body>\n";
  }

  const BookStructure& book_;
  const std::string& date_;
  std::future<std::string> identifierSoon_;
  std::size_t idAt_ = 0;  // where the identifier goes
  std::string out_;
};

}  // namespace

std::string WriteFb2(const BookStructure& book, const std::string& date) { return Fb2Writer(book, date).Run(); }

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve(bytes.size() / 3 * 4 + bytes.size() / 57 + 8);
  std::size_t column = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t v = static_cast<std::uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i + 1])) << 8;
    if (i + 2 < bytes.size()) v |= static_cast<std::uint8_t>(bytes[i + 2]);
    out += kDigits[(v >> 18) & 63];
    out += kDigits[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[v & 63] : '=';
    column += 4;
    if (column == 76 && i + 3 < bytes.size()) {
      out += '\n';
      column = 0;
    }
  }
  return out;
}

}  // namespace norvella
