#include "core/convert/inline_markup.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

// The inline stages work inside text. Tag lines, comments and the lines of
// the document frame are left as they are: a "[" in a comment must not take
// the "]" of the text below it, and the title line is not markup.
bool IsTextLine(int tag) { return tag == kTagText; }

std::string EmptyParagraph(const Options& options, std::string_view run) {
  const std::string& start = options.Text(Opt::ParagraphStartTag);
  std::string para = start.empty() ? std::string("<div align=\"justify\">") : start;
  para += run;
  para += options.Text(Opt::ParagraphEndTag);
  return para;
}

// ---------------------------------------------------------------------------
// Italic.
//
// The rule deletes underscores one at a time and inserts "<i>" and "</i>" in
// the middle of the line; done on a string, that is quadratic on a line of
// underscores. Here the line is a linked list of characters, so that every
// deletion and insertion costs O(1), and two "next at or after" structures
// over the original positions (path-halving union-find) find the first
// underscore left and, for the scan, the next underscore or terminator
// without walking the letters in between. Every scan step then deletes an
// underscore or ends the scan, so the whole line costs O(n α(n)).

bool IsItalicTerminator(char c) {
  return c == ' ' || c == '!' || c == ',' || c == '.' || c == ':' || c == '?';
}

// For each position the next position at or after it that is still "live";
// positions are only ever taken out. Position n is a sentinel.
class NextLive {
 public:
  void Reset(std::size_t n) {
    parent_.resize(n + 1);
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
  }
  std::size_t Find(std::size_t i) {
    while (parent_[i] != i) {
      parent_[i] = parent_[parent_[i]];
      i = parent_[i];
    }
    return i;
  }
  void Remove(std::size_t i) { parent_[i] = i + 1; }

 private:
  std::vector<std::size_t> parent_;
};

class ItalicLine {
 public:
  explicit ItalicLine(std::string_view s) : n_(s.size()) {
    const auto count = static_cast<std::size_t>(std::count(s.begin(), s.end(), '_'));
    nodes_.reserve(n_ + 7 * count);
    underscores_.Reset(n_);
    stops_.Reset(n_);
    for (std::size_t i = 0; i < n_; ++i) {
      const long k = static_cast<long>(i);
      nodes_.push_back(Node{s[i], k - 1, i + 1 < n_ ? k + 1 : kNone, i});
      if (s[i] != '_') {
        underscores_.Remove(i);
        if (!IsItalicTerminator(s[i])) stops_.Remove(i);
      }
    }
    head_ = n_ > 0 ? 0 : kNone;
    tail_ = n_ > 0 ? static_cast<long>(n_) - 1 : kNone;
  }

  std::string Run() {
    for (std::size_t u = underscores_.Find(0); u < n_; u = underscores_.Find(u)) {
      const long before = nodes_[u].prev;
      const long letter = nodes_[u].next;
      Delete(static_cast<long>(u));
      // "<i>" goes before the letter after a space, otherwise before the
      // character that preceded the underscore.
      if (before != kNone && nodes_[before].c == ' ') InsertBefore(letter, "<i>");
      else InsertBefore(before != kNone ? before : head_, "<i>");
      CloseItalic(letter);
    }
    std::string out;
    out.reserve(nodes_.size());
    for (long k = head_; k != kNone; k = nodes_[k].next) out += nodes_[k].c;
    return out;
  }

 private:
  static constexpr long kNone = -1;
  struct Node {
    char c;
    long prev, next;
    std::size_t orig;  // original position, or for an inserted character the
                       // original position of the first original one after it
  };

  void Delete(long k) {
    Node& node = nodes_[k];
    if (node.prev != kNone) nodes_[node.prev].next = node.next;
    else head_ = node.next;
    if (node.next != kNone) nodes_[node.next].prev = node.prev;
    else tail_ = node.prev;
    underscores_.Remove(node.orig);
    stops_.Remove(node.orig);
  }

  // Inserts the text before node `at`, or at the end when `at` is kNone.
  void InsertBefore(long at, std::string_view text) {
    const std::size_t orig = at == kNone ? n_ : nodes_[at].orig;
    for (const char c : text) {
      const long k = static_cast<long>(nodes_.size());
      const long prev = at == kNone ? tail_ : nodes_[at].prev;
      nodes_.push_back(Node{c, prev, at, orig});
      if (prev != kNone) nodes_[prev].next = k;
      else head_ = k;
      if (at != kNone) nodes_[at].prev = k;
      else tail_ = k;
    }
  }

  // The scan after the letter that followed the underscore: further
  // underscores are deleted (the character moving into the place of one is
  // skipped) and "</i>" goes before the first terminator, or at the end.
  void CloseItalic(long letter) {
    long k = letter == kNone ? kNone : nodes_[letter].next;
    while (k != kNone) {
      const std::size_t at = stops_.Find(nodes_[k].orig);
      if (at >= n_) break;
      const long node = static_cast<long>(at);
      if (nodes_[node].c != '_') {
        InsertBefore(node, "</i>");
        return;
      }
      const long skipped = nodes_[node].next;
      Delete(node);
      k = skipped == kNone ? kNone : nodes_[skipped].next;
    }
    InsertBefore(kNone, "</i>");
  }

  std::size_t n_;
  std::vector<Node> nodes_;
  long head_ = kNone, tail_ = kNone;
  NextLive underscores_, stops_;
};

// ---------------------------------------------------------------------------
// Upper index.
//
// The rule handles one "[" at a time, each time looking for the first "]"
// of the line and of the three lines below and rewriting the line in the
// middle. The "]" are taken in order, line by line, so it is enough to know
// how many each of the four lines has left: every line is counted once and
// rewritten once, when the walk leaves it.

struct BracketLine {
  std::size_t closers = 0;  // "]" in the line
  std::size_t taken = 0;    // of them, the first `taken` become "</sup>"
  bool counted = false;
};

// The line with its first `closers` "]" replaced by "</sup>" and its first
// `openers` "[" replaced by "&nbsp;<sup>", together with the spaces on both
// sides of each such "[".
std::string RewriteBrackets(std::string_view s, std::size_t closers, std::size_t openers) {
  std::string out;
  out.reserve(s.size() + closers * 5 + openers * 10);
  for (std::size_t k = 0; k < s.size();) {
    const char c = s[k++];
    if (c == ']' && closers > 0) {
      --closers;
      out += "</sup>";
    } else if (c == '[' && openers > 0) {
      --openers;
      while (k < s.size() && s[k] == ' ') ++k;
      while (!out.empty() && out.back() == ' ') out.pop_back();
      out += "&nbsp;<sup>";
    } else {
      out += c;
    }
  }
  return out;
}

// ---------------------------------------------------------------------------
// Unneeded text.

struct TidyPattern {
  std::string_view pattern;
  std::size_t offset;
};

// In this order; each deletes one space or hyphen of its pattern.
constexpr std::array<TidyPattern, 25> kTidyPatterns = {{
    {"  ", 0},        {"> <", 1},        {"< ", 1},      {" >", 0},        {" </div>", 0},
    {" </p>", 0},     {" <h", 0},        {" <p", 0},     {" </i>", 0},     {" </b>", 0},
    {" </font>", 0},  {" </strong>", 0}, {" </sub>", 0}, {" </sup>", 0},   {" </em>", 0},
    {"<i> ", 3},      {"<b> ", 3},       {"<font> ", 6}, {"<strong> ", 8}, {"<sub> ", 5},
    {"<sup> ", 5},    {"<em> ", 4},      {" <div", 0},   {"&nbsp; ", 6},   {"--", 0},
}};

std::string ApplyTidyPatterns(std::string line) {
  for (const TidyPattern& p : kTidyPatterns) line = DeleteCharAfterEach(p.pattern, std::move(line), p.offset);
  return line;
}

}  // namespace

namespace {

// The first occurrence of pattern in text. Most patterns begin with a
// space, which a book's text is full of, so the search runs on the
// pattern's first other character ('<', '>', '&', '-') and looks back for
// the spaces before it.
std::size_t FindPattern(std::string_view text, std::string_view pattern) {
  const std::size_t anchor = std::min(pattern.find_first_not_of(' '), pattern.size() - 1);
  const std::string_view head = pattern.substr(0, anchor);
  const std::string_view rest = pattern.substr(anchor);
  for (std::size_t at = text.find(rest, anchor); at != std::string_view::npos; at = text.find(rest, at + 1)) {
    if (text.substr(at - anchor, anchor) == head) return at - anchor;
  }
  return std::string_view::npos;
}

}  // namespace

std::string DeleteCharAfterEach(std::string_view pattern, std::string text, std::size_t offset) {
  const std::size_t m = pattern.size();
  if (offset >= m) return text;
  const std::size_t first = FindPattern(text, pattern);
  if (first == std::string::npos) return text;
  // The kept prefix never holds the pattern, so the first occurrence is the
  // first one to end at the newest character. After a deletion the
  // characters behind the deleted one are looked at again, as a new
  // occurrence may start before them.
  std::string out;
  out.reserve(text.size());
  std::string again;  // characters to look at again, the next one last
  // Up to the character that completes the first occurrence nothing can
  // match, so that part is copied at once.
  std::size_t k = first + m - 1;
  out.assign(text, 0, k);
  for (;;) {
    char c;
    if (!again.empty()) {
      c = again.back();
      again.pop_back();
    } else if (k < text.size()) {
      c = text[k++];
    } else {
      break;
    }
    out += c;
    if (c == pattern.back() && out.size() >= m &&
        std::string_view(out).substr(out.size() - m) == pattern) {
      const std::size_t cut = out.size() - m + offset;
      for (std::size_t t = out.size(); t-- > cut + 1;) again += out[t];
      out.resize(cut);
    }
  }
  return out;
}

std::string ItalicizeUnderscores(std::string_view line) {
  if (line.find('_') == std::string_view::npos) return std::string(line);
  return ItalicLine(line).Run();
}

std::string TidyLine(std::string line, std::string_view nbspRun) {
  std::string y = ApplyTidyPatterns(std::move(line));
  // What is left: the "<br>" right after "<div>" and the run goes, and the
  // line is tidied again, until a round changes nothing. The tidied line
  // holds no pattern, so after a "<br>" is cut out only the space after it
  // can go, by "&nbsp; " (or, with no run, by "> <", which cannot follow a
  // tidied "<br>"); when another "<br>" follows, it goes the same way. So
  // all of them are cut in one walk instead of one round each.
  const std::string divBr = "<div>" + std::string(nbspRun) + "<br>";
  std::size_t d = y.find(divBr);
  if (d == std::string::npos) return y;
  std::string out;
  out.reserve(y.size());
  std::size_t pos = 0;
  while (d != std::string::npos) {
    const std::size_t cut = d + divBr.size() - 4;
    std::size_t q = cut;
    while (y.compare(q, 4, "<br>") == 0) {
      q += 4;
      if (q < y.size() && y[q] == ' ' && (!nbspRun.empty() || (q + 1 < y.size() && y[q + 1] == '<')))
        ++q;
    }
    out.append(y, pos, cut - pos);
    pos = q;
    d = y.find(divBr, q);
  }
  out.append(y, pos);
  return out;
}

void DetectItalic(WorkingList& list, StageContext& ctx) {
  if (!ctx.options.Flag(Opt::UnderscoreToItalic)) return;
  ctx.status.Task("DetectingItalic");
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (!IsTextLine(list.tag(i))) continue;
    std::string& text = list.text(i);
    if (!Contains(text, "_") || Contains(text, "<meta name=\"")) continue;
    ctx.status.Progress(i, list.size());
    text = ItalicizeUnderscores(text);
  }
}

void DetectUpperIndex(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("DetectingUpperText");
  if (!ctx.options.Flag(Opt::ConvertBracketText)) return;
  const std::size_t count = list.size();
  if (count < 5) return;
  // The four lines i..i+3, by index modulo 4.
  std::array<BracketLine, 4> window{};
  auto slot = [&](std::size_t j) -> BracketLine& {
    BracketLine& b = window[j % 4];
    if (!b.counted) {
      b.counted = true;
      if (IsTextLine(list.tag(j))) {
        const std::string& t = list.text(j);
        b.closers = static_cast<std::size_t>(std::count(t.begin(), t.end(), ']'));
      }
    }
    return b;
  };
  auto leave = [&](std::size_t j, std::size_t openers) {
    BracketLine& b = slot(j);
    if (b.taken > 0 || openers > 0) list.text(j) = RewriteBrackets(list.text(j), b.taken, openers);
    b = BracketLine{};
  };
  const std::size_t end = count - 4;  // the last four lines are never looked at for "["
  for (std::size_t i = 0; i < end; ++i) {
    ctx.status.Progress(i, count);
    std::size_t openers = 0;
    if (IsTextLine(list.tag(i))) {
      const std::string& t = list.text(i);
      std::size_t wanted = static_cast<std::size_t>(std::count(t.begin(), t.end(), '['));
      // Each "[" takes the first "]" left in line i, then i+1, i+2, i+3;
      // the first "[" that finds none ends the line.
      for (std::size_t j = i; j < i + 4 && wanted > 0; ++j) {
        BracketLine& b = slot(j);
        const std::size_t take = std::min(wanted, b.closers - b.taken);
        b.taken += take;
        wanted -= take;
        openers += take;
      }
    }
    leave(i, openers);
  }
  for (std::size_t j = end; j < count; ++j) leave(j, 0);
}

void RemoveUnneededText(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("RemovingUnneededText");
  const std::string run = NbspRun(ctx.options);
  const std::string emptyParagraph = EmptyParagraph(ctx.options, run);
  std::size_t i = 0;
  while (i < list.size()) {
    ctx.status.Progress(i, list.size());
    if (list.tag(i) == kTagComment) {
      ++i;
      continue;
    }
    std::string text = TidyLine(list.text(i), run);
    if (text.empty() || text == emptyParagraph || text == " ") {
      list.erase(i);
      continue;
    }
    list.text(i) = std::move(text);
    ++i;
  }
}

}  // namespace norvella
