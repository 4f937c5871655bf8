#include "core/export/book_builder.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <unordered_map>

#include "core/base/cp1251.h"
#include "core/base/text.h"
#include "core/convert/context.h"
#include "core/export/html_tree.h"

namespace norvella {
namespace {

constexpr std::string_view kNbsp = "\xC2\xA0";

using Node = HtmlTree::Node;

// The level of a header element, 0 for any other name.
int HeaderLevel(std::string_view name) {
  if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') return name[1] - '0';
  return 0;
}

std::uint8_t StyleOf(std::string_view name) {
  if (name == "i" || name == "em") return kStyleItalic;
  if (name == "b" || name == "strong") return kStyleBold;
  if (name == "sup") return kStyleSup;
  if (name == "sub") return kStyleSub;
  return 0;
}

// Elements whose content is not text of the book.
bool IsSkipped(std::string_view name) {
  static constexpr std::string_view kSkipped[] = {
      "head", "script", "style", "title", "noscript", "img", "object", "embed", "iframe",
      "select", "textarea", "button", "input", "map", "applet", "frameset", "frame",
      "svg", "math", "template"};
  for (const std::string_view s : kSkipped)
    if (name == s) return true;
  return false;
}

// Elements that end the paragraph before them and start a new one after.
bool IsBlock(std::string_view name) {
  static constexpr std::string_view kBlocks[] = {
      "p", "div", "li", "ul", "ol", "dl", "dt", "dd", "table", "tr", "td", "th", "tbody",
      "thead", "tfoot", "caption", "center", "pre", "address", "form", "fieldset", "body",
      "html", "section", "article", "header", "footer", "nav", "aside", "main", "figure",
      "figcaption", "hr", "blockquote", "h1", "h2", "h3", "h4", "h5", "h6", "br"};
  for (const std::string_view s : kBlocks)
    if (name == s) return true;
  return false;
}

bool IsHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Appends text to a paragraph the way a browser shows it: runs of white
// space become one space, and none starts a paragraph.
void AppendText(BookParagraph& p, std::string_view text, std::uint8_t style, int note) {
  bool lastSpace = p.runs.empty() || p.runs.back().text.empty() || p.runs.back().text.back() == ' ';
  BookRun* run = nullptr;
  for (const char c : text) {
    const bool space = IsHtmlSpace(c);
    if (space && lastSpace) continue;
    if (!run) {
      if (p.runs.empty() || p.runs.back().style != style || p.runs.back().note != note || note >= 0)
        p.runs.push_back(BookRun{{}, style, note});
      run = &p.runs.back();
    }
    run->text += space ? ' ' : c;
    lastSpace = space;
  }
}

bool StripFront(std::string& s) {
  std::size_t at = 0;
  while (at < s.size()) {
    if (s[at] == ' ') ++at;
    else if (s.compare(at, kNbsp.size(), kNbsp) == 0) at += kNbsp.size();
    else break;
  }
  s.erase(0, at);
  return !s.empty();
}

bool StripBack(std::string& s) {
  for (;;) {
    if (!s.empty() && s.back() == ' ') s.pop_back();
    else if (EndsWith(s, kNbsp)) s.resize(s.size() - kNbsp.size());
    else break;
  }
  return !s.empty();
}

// Trims spaces and no-break spaces (the conversion's paragraph indent) from
// both ends; empty runs go.
void Trim(BookParagraph& p) {
  while (!p.runs.empty() && !StripFront(p.runs.front().text)) p.runs.erase(p.runs.begin());
  while (!p.runs.empty() && !StripBack(p.runs.back().text)) p.runs.pop_back();
}

// Trimmed, non-empty lines only.
void Tidy(std::vector<BookParagraph>& lines) {
  std::vector<BookParagraph> kept;
  for (BookParagraph& line : lines) {
    Trim(line);
    if (!line.empty()) kept.push_back(std::move(line));
  }
  lines = std::move(kept);
}

bool StartsWithDash(const BookParagraph& p) {
  const std::string& t = p.runs.front().text;
  return t[0] == '-' || StartsWith(t, "\xE2\x80\x94") || StartsWith(t, "\xE2\x80\x93");
}

bool AnyItalic(const BookParagraph& p) {
  for (const BookRun& r : p.runs)
    if (r.style & kStyleItalic) return true;
  return false;
}

class Builder {
 public:
  Builder(const HtmlTree& tree, BookStructure& book) : tree_(tree), book_(book) { stack_.push_back(&book_.body); }

  void Run(const Node* root) {
    CollectNotes(root);
    lines_.emplace_back();
    Walk(root, 0);
    Flush();
  }

  const std::string& TitleHeading() const { return titleHeading_; }
  std::size_t Cyrillic() const { return cyrillic_; }
  std::size_t Latin() const { return latin_; }

 private:
  // The end notes: <a id="NorvellaEndlink" name="ID">body</a>, each linked
  // from <a href="#ID"> in the text and linking back to "#IDback".
  void CollectNotes(const Node* node) {
    for (; node; node = tree_.Next(node)) {
      if (IsEndNote(node) && !tree_.Attr(node, "name").empty()) {
        const std::string name(tree_.Attr(node, "name"));
        if (noteIndex_.count(name)) continue;
        BookNote note;
        note.body.emplace_back();
        Inline(tree_.FirstChild(node), 0, note.body);
        Tidy(note.body);
        noteIndex_.emplace(name, static_cast<int>(book_.notes.size()));
        book_.notes.push_back(std::move(note));
        continue;
      }
      if (tree_.IsElement(node)) CollectNotes(tree_.FirstChild(node));
    }
  }

  // The conversion writes attribute values in lower case, so the note's
  // anchor reads "norvellaendlink" in a converted document.
  bool IsEndNote(const Node* node) const {
    if (!tree_.Is(node, "a")) return false;
    const std::string_view id = tree_.Attr(node, "id");
    constexpr std::string_view kEndNoteId = "norvellaendlink";
    return id.size() == kEndNoteId.size() &&
           std::equal(id.begin(), id.end(), kEndNoteId.begin(), [](char a, char b) {
             return std::tolower(static_cast<unsigned char>(a)) == b;
           });
  }

  // -1 when the link is no note link.
  int NoteOf(const Node* a) const {
    const std::string_view href = tree_.Attr(a, "href");
    if (href.size() < 2 || href[0] != '#') return -1;
    const auto it = noteIndex_.find(std::string(href.substr(1)));
    return it == noteIndex_.end() ? -1 : it->second;
  }

  // Links that are part of the document's own navigation: back to the top,
  // back from a note to its link, and the end notes themselves.
  bool IsNavigationLink(const Node* a) const {
    const std::string_view href = tree_.Attr(a, "href");
    if (href == "#start000" || IsEndNote(a)) return true;
    if (href.size() > 5 && href[0] == '#' && EndsWith(href, "back"))
      return noteIndex_.count(std::string(href.substr(1, href.size() - 5))) > 0;
    return false;
  }

  // A line of the contents block: a header holding a link to a header.
  bool IsContentsEntry(const Node* node) const {
    for (const Node* c = tree_.FirstChild(node); c; c = tree_.Next(c)) {
      if (tree_.Is(c, "a") && StartsWith(tree_.Attr(c, "href"), "#linktostr")) return true;
      if (tree_.IsElement(c) && IsContentsEntry(c)) return true;
    }
    return false;
  }

  bool HoldsHeader(const Node* node) const {
    for (const Node* c = tree_.FirstChild(node); c; c = tree_.Next(c)) {
      if (!tree_.IsElement(c)) continue;
      if (HeaderLevel(tree_.Name(c)) && !IsContentsEntry(c)) return true;
      if (HoldsHeader(c)) return true;
    }
    return false;
  }

  void Count(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') ++latin_;
      else if ((c == 0xD0 || c == 0xD1) && i + 1 < text.size()) ++cyrillic_, ++i;
    }
  }

  // The text of inline content into lines; line breaks and block elements
  // start a new line.
  void Inline(const Node* node, std::uint8_t style, std::vector<BookParagraph>& lines,
              int note = -1) {
    for (; node; node = tree_.Next(node)) {
      if (tree_.IsText(node)) {
        const std::string_view text = tree_.Text(node);
        Count(text);
        AppendText(lines.back(), text, style, note);
        continue;
      }
      const std::string_view name = tree_.Name(node);
      if (IsSkipped(name)) continue;
      if (HeaderLevel(name) && IsContentsEntry(node)) continue;
      if (name == "a") {
        if (IsNavigationLink(node)) continue;
        if (const int n = NoteOf(node); n >= 0 && note < 0) {
          NoteLink(node, style, lines.back(), n);
          continue;
        }
      }
      const bool block = IsBlock(name);
      if (block && !lines.back().empty()) lines.emplace_back();
      Inline(tree_.FirstChild(node), static_cast<std::uint8_t>(style | StyleOf(name)), lines, note);
      if (block && !lines.back().empty()) lines.emplace_back();
    }
  }

  void NoteLink(const Node* a, std::uint8_t style, BookParagraph& into, int note) {
    std::vector<BookParagraph> text(1);
    Inline(tree_.FirstChild(a), style, text, note);
    Tidy(text);
    BookRun run{{}, style, note};
    for (const BookParagraph& line : text) {
      if (!run.text.empty()) run.text += ' ';
      run.text += line.PlainText();
    }
    if (run.text.empty()) run.text = std::to_string(note + 1);
    into.runs.push_back(std::move(run));
  }

  BookSection& Current() { return *stack_.back(); }

  // The pending lines become paragraphs of the current section.
  void Flush() {
    Tidy(lines_);
    for (BookParagraph& line : lines_) {
      BookBlock block;
      block.paragraph = std::move(line);
      Current().blocks.push_back(std::move(block));
    }
    lines_.clear();
    lines_.emplace_back();
  }

  void Header(const Node* node, int level) {
    std::vector<BookParagraph> title(1);
    Inline(tree_.FirstChild(node), 0, title);
    Tidy(title);
    if (titlePending_) {
      titlePending_ = false;
      BookSection s;
      s.title = std::move(title);
      titleHeading_ = s.TitleText();
      return;
    }
    if (title.empty()) return;
    while (stack_.size() > 1 && stack_.back()->level >= level) stack_.pop_back();
    BookSection section;
    section.level = level;
    section.title = std::move(title);
    Current().children.push_back(std::move(section));
    stack_.push_back(&Current().children.back());
  }

  void Quote(const Node* node, std::uint8_t style) {
    BookQuote quote;
    quote.lines.emplace_back();
    Inline(tree_.FirstChild(node), style, quote.lines);
    Tidy(quote.lines);
    if (quote.lines.empty()) return;
    // The author: the last line, set apart from italic lines above it, or
    // beginning with a dash.
    if (quote.lines.size() >= 2) {
      const BookParagraph& last = quote.lines.back();
      bool italicAbove = false;
      for (std::size_t i = 0; i + 1 < quote.lines.size(); ++i) italicAbove |= AnyItalic(quote.lines[i]);
      if ((italicAbove && !AnyItalic(last)) || StartsWithDash(last)) {
        quote.authors.push_back(std::move(quote.lines.back()));
        quote.lines.pop_back();
      }
    }
    // An epigraph is set in italics by its style; a line wholly in italics
    // loses the italic of its runs.
    for (BookParagraph& line : quote.lines) {
      bool all = true;
      for (const BookRun& r : line.runs) all &= (r.style & kStyleItalic) != 0;
      if (all)
        for (BookRun& r : line.runs) r.style = static_cast<std::uint8_t>(r.style & ~kStyleItalic);
    }
    BookSection& s = Current();
    if (s.blocks.empty() && s.children.empty()) {
      s.epigraphs.push_back(std::move(quote));
    } else {
      BookBlock block;
      block.kind = BookBlock::Kind::kQuote;
      block.quote = std::move(quote);
      s.blocks.push_back(std::move(block));
    }
  }

  void Walk(const Node* node, std::uint8_t style) {
    for (; node; node = tree_.Next(node)) {
      if (tree_.IsText(node)) {
        const std::string_view text = tree_.Text(node);
        Count(text);
        AppendText(lines_.back(), text, style, -1);
        continue;
      }
      const std::string_view name = tree_.Name(node);
      if (IsSkipped(name)) continue;
      if (name == "br") {
        if (!lines_.back().empty()) lines_.emplace_back();
        continue;
      }
      if (name == "a") {
        if (tree_.Attr(node, "name") == "start000") titlePending_ = true;
        if (IsNavigationLink(node)) continue;
        if (const int n = NoteOf(node); n >= 0) {
          NoteLink(node, style, lines_.back(), n);
          continue;
        }
      }
      if (const int level = HeaderLevel(name)) {
        Flush();
        if (!IsContentsEntry(node)) Header(node, level);
        continue;
      }
      if (name == "blockquote" && !HoldsHeader(node)) {
        Flush();
        Quote(node, style);
        continue;
      }
      const bool block = IsBlock(name);
      if (block) Flush();
      Walk(tree_.FirstChild(node), static_cast<std::uint8_t>(style | StyleOf(name)));
      if (block) Flush();
    }
  }

  const HtmlTree& tree_;
  BookStructure& book_;
  std::vector<BookSection*> stack_;
  std::vector<BookParagraph> lines_;
  std::unordered_map<std::string, int> noteIndex_;
  bool titlePending_ = false;
  std::string titleHeading_;
  std::size_t cyrillic_ = 0, latin_ = 0;
};

const BookSection* FirstTitled(const BookSection& s) {
  for (const BookSection& c : s.children) {
    if (!c.title.empty()) return &c;
    if (const BookSection* t = FirstTitled(c)) return t;
  }
  return nullptr;
}

void AppendAllText(const HtmlTree& tree, const Node* node, BookParagraph& into) {
  for (; node; node = tree.Next(node)) {
    if (tree.IsText(node)) AppendText(into, tree.Text(node), 0, -1);
    else if (!IsSkipped(tree.Name(node))) AppendAllText(tree, tree.FirstChild(node), into);
  }
}

}  // namespace

std::string HtmlToPlainText(std::string_view html) {
  if (html.find_first_of("&<") == std::string_view::npos) {
    BookParagraph p;
    AppendText(p, html, 0, -1);
    Trim(p);
    return p.PlainText();
  }
  // The text goes in a paragraph so that the parser reads it as body text.
  const HtmlTree tree = HtmlTree::Parse("<p>" + std::string(html) + "</p>");
  BookParagraph p;
  AppendAllText(tree, tree.Root(), p);
  Trim(p);
  return p.PlainText();
}

BookStructure BuildBookFromHtml(std::string_view html, const BookInfo& info) {
  BookStructure book;
  book.author = info.author;
  const HtmlTree tree = HtmlTree::Parse(html);
  Builder builder(tree, book);
  if (const Node* root = tree.Root()) builder.Run(root);
  book.title = info.title;
  if (book.title.empty()) book.title = builder.TitleHeading();
  if (book.title.empty())
    if (const BookSection* s = FirstTitled(book.body)) book.title = s->TitleText();
  if (book.title.empty()) book.title = info.fallbackTitle;
  if (book.title.empty()) book.title = "?";
  // Texts of this program are Russian unless they hold no Cyrillic at all.
  if (builder.Cyrillic() == 0 && builder.Latin() > 0) book.language = "en";
  return book;
}

BookStructure BuildBook(const std::vector<std::string>& lines, const DocumentProperties& document,
               const std::string& fallbackTitle) {
  BookInfo info;
  info.title = HtmlToPlainText(Cp1251ToUtf8(document.title));
  info.author = HtmlToPlainText(Cp1251ToUtf8(document.author));
  info.fallbackTitle = fallbackTitle;
  // The lines joined and in UTF-8 in one go. The string is reserved for the
  // longest the text can be; the room it does not use is never touched.
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() * kMaxUtf8PerCp1251 + 2;
  std::string html;
  html.reserve(size);
  for (const std::string& line : lines) {
    AppendCp1251AsUtf8(html, line);
    html += "\r\n";
  }
  return BuildBookFromHtml(html, info);
}

}  // namespace norvella
