#include "core/convert/paragraphs.h"

#include <cstdint>
#include <initializer_list>

#include "core/base/text.h"
#include "core/convert/typography.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

bool ContainsAny(std::string_view s, std::initializer_list<std::string_view> needles) {
  for (const std::string_view n : needles)
    if (Contains(s, n)) return true;
  return false;
}

// Whether "&nbsp;" starts at one of the first `positions` characters.
bool NbspStartsWithin(std::string_view s, std::size_t positions) {
  for (std::size_t k = 0; k < positions && k < s.size(); ++k)
    if (s.substr(k).starts_with(kNbsp)) return true;
  return false;
}

// Whether line k is a barrier that paragraph building never joins text
// with, takes into a block or carries text into: the document end (the last
// line of the list), a protected comment (joined into a paragraph it would
// be rewritten by the later stages and shown as text) or a finished line (a
// header, an epigraph, a paragraph).
bool IsBarrier(const WorkingList& list, std::size_t k) {
  return k + 1 >= list.size() || list.tag(k) == kTagComment || list.tag(k) == kTagFinished;
}

// Line lengths against the signed length options ("Londg strings min",
// "Short strings max"), which may hold any 32-bit value.
bool LongerThan(std::size_t length, int limit) { return static_cast<std::int64_t>(length) > limit; }
bool ShorterThan(std::size_t length, int limit) { return static_cast<std::int64_t>(length) < limit; }

// ---------------------------------------------------------------------------
// Blocks the source already marks.

// A line that a block may not run into: the next block's start or a closer.
bool EndsAbsorbedBlock(const std::string& next) {
  return next.empty() || next == "</div>" || next == "<div>" || next == "</center>" ||
         next == "</p>" || next == "<p>" || next == "<br>" || next.starts_with("</h") ||
         next.starts_with("</t") || next.starts_with("<h") || next.starts_with("<t") ||
         next.starts_with("</blockquote>");
}

// A line that a <br> paragraph does not reach back over.
bool EndsBrRun(const std::string& before) {
  return Contains(before, "</div>") || Contains(before, "<div") || before == "</p>" ||
         before == "<p>" || before == "<br>" || before.starts_with("<p ") ||
         before.starts_with("</h") || before.starts_with("</t") || before.starts_with("<h") ||
         Contains(before, "<blockquote>") || before.starts_with("<blockquote ");
}

struct BlockSettings {
  ParagraphTags tags;
  bool pToDiv;
  bool brToDiv;
  bool addNbsp;
};

// Gathers the block that line i opens onto line i and tags it finished.
void AbsorbBlock(WorkingList& list, std::size_t i, const BlockSettings& st) {
  if (list.text(i) == "<center>") list.text(i) = "<div align=\"center\">";

  if (st.addNbsp && !Contains(list.text(i), "<blockquote") && !Contains(list.text(i), "<h")) {
    const bool nextHasNbsp = i + 1 < list.size() && NbspStartsWithin(list.text(i + 1), 4);
    if (!nextHasNbsp) list.text(i) += st.tags.nbsp;
  }

  // At most 51 lines are taken in, so an unclosed block cannot swallow the
  // book; the rest stays for the plain-text stage. A barrier is never taken
  // in: the block ends before it.
  int count = 0;
  while (!IsBarrier(list, i + 1)) {
    std::string piece = std::move(list.text(i + 1));
    const bool nextIsTag = list.tag(i + 1) == kTagHtml;
    list.erase(i + 1);
    std::string& line = list.text(i);
    if (!nextIsTag && list.tag(i) != kTagComment) line += ' ';
    line += piece;
    ++count;
    if (i + 3 > list.size() || count > 50 || EndsAbsorbedBlock(list.text(i + 1))) break;
  }

  // The next line closes the block; a comment or a finished line there is
  // no closer and stays, and only a <div> block gets its closing tag. At the
  // document end the block stays open.
  if (i + 2 < list.size()) {
    std::string& line = list.text(i);
    const std::string& next = list.text(i + 1);
    const bool closer = !IsBarrier(list, i + 1);
    if (next == "</p>") {
      line += st.pToDiv ? st.tags.close : next;
      list.erase(i + 1);
    } else if (next == "<p>") {
      line += st.pToDiv ? st.tags.close : std::string("</p>");
    } else if (closer && Contains(next, "</h")) {
      line += next;
      list.erase(i + 1);
    } else if (closer && Contains(next, "</center")) {
      line += st.tags.close;
      list.erase(i + 1);
    } else if (closer && Contains(next, "</blockquote>")) {
      while (!IsBarrier(list, i + 1) && Contains(list.text(i + 1), "</blockquote>")) {
        list.text(i) += list.text(i + 1);
        list.erase(i + 1);
      }
    } else if (Contains(line, "<div")) {
      line += st.tags.close;
      if (next == "</div>") list.erase(i + 1);
    }
  }
  list[i].tag = kTagFinished;
}

// Turns the lines before the "<br>" line i into one paragraph and moves i to
// it. Walks back at most 21 lines and never below index 4 (the document
// head), stopping at the line after a block boundary or a barrier; with a
// barrier right before it the "<br>" stays as it is. The lines are joined
// once instead of prepending each one to the growing paragraph.
void BuildBrParagraph(WorkingList& list, std::size_t& i, const BlockSettings& st) {
  if (i < 5 || list.text(i - 1).empty() || IsBarrier(list, i - 1)) return;
  std::size_t first = i;
  int count = 0;
  do {
    --first;
    ++count;
  } while (!(count > 20 || first < 5 || EndsBrRun(list.text(first - 1)) || IsBarrier(list, first - 1)));

  std::size_t size = st.tags.close.size() + 1;
  for (std::size_t k = first; k < i; ++k) size += list.text(k).size() + 1;
  std::string& head = list.text(first);
  head.reserve(size);
  for (std::size_t k = first + 1; k < i; ++k) {
    head += ' ';
    head += list.text(k);
  }
  head += ' ';
  head += st.tags.close;
  list.erase(first + 1, i - first);

  std::string& line = list.text(first);
  std::string opening = st.tags.open;
  if (!NbspStartsWithin(line, 5)) opening += st.tags.nbsp;
  line.insert(0, opening);
  list[first].tag = kTagFinished;
  i = first;
}

// ---------------------------------------------------------------------------
// Paragraphs from plain text.

// The leading white space of a line: spaces first, then tabs, up to the first
// other character; `restEmpty` when nothing follows them.
struct LineStart {
  std::size_t spaces = 0;
  std::size_t tabs = 0;
  bool restEmpty = true;

  bool Blank() const { return tabs == 0 && restEmpty; }  // only spaces, or empty
  std::size_t Indentation() const { return spaces + 2 * tabs; }

  static LineStart Of(std::string_view s) {
    LineStart ls;
    std::size_t k = 0;
    while (k < s.size() && s[k] == ' ') ++k;
    ls.spaces = k;
    while (k < s.size() && s[k] == '\t') ++k;
    ls.tabs = k - ls.spaces;
    ls.restEmpty = k == s.size();
    return ls;
  }

  // The start of this line followed by `separator` spaces (0 or 1) and a
  // line starting with `next`.
  LineStart Joined(std::size_t separator, const LineStart& next) const {
    if (!restEmpty) return *this;
    LineStart ls = *this;
    if (tabs == 0) {
      ls.spaces = spaces + separator + next.spaces;
      ls.tabs = next.tabs;
      ls.restEmpty = next.restEmpty;
    } else if (separator == 0 && next.spaces == 0) {
      ls.tabs = tabs + next.tabs;
      ls.restEmpty = next.restEmpty;
    } else {
      ls.restEmpty = separator == 0 && next.spaces == 0 && next.restEmpty;
    }
    return ls;
  }
};

struct TextSettings {
  ParagraphTags tags;
  int longMin;
  int shortMax;
  int blankRun;
  std::string divider;
  bool spacesToDiv;
  bool dialogsToDiv;
  bool emptyToDiv;
  bool restoreBroken;
};

class ParagraphMaker {
 public:
  ParagraphMaker(WorkingList& list, const TextSettings& st, StatusReporter& status)
      : list_(list), st_(st), status_(status) {}

  void Run() {
    while (i_ < list_.size()) {
      status_.Progress(i_, list_.size());
      HandleLine();
    }
  }

 private:
  static constexpr std::size_t kNone = SIZE_MAX;

  std::size_t Count() const { return list_.size(); }
  std::string& Text() { return list_.text(i_); }
  std::string& NextText() { return list_.text(i_ + 1); }

  // Moves on to the next line; Advance keeps the flag that lets the
  // long-line rule apply, Skip raises it.
  void Advance() {
    ++i_;
    startValid_ = false;
  }
  void Skip() {
    Advance();
    lineStartsParagraph_ = true;
  }

  const LineStart& Start() {
    if (!startValid_) {
      start_ = LineStart::Of(Text());
      startValid_ = true;
    }
    return start_;
  }

  // Only when the next line is no barrier may line i take it in or be
  // carried onto it.
  bool CanJoinNext() const { return !IsBarrier(list_, i_ + 1); }

  // Erases line i+1, keeping the index of the known non-blank line current.
  void EraseNext() {
    const std::size_t at = i_ + 1;
    if (nonBlankAt_ != kNone) {
      if (nonBlankAt_ == at) nonBlankAt_ = kNone;
      else if (nonBlankAt_ > at) --nonBlankAt_;
    }
    list_.erase(at);
  }

  // Appends line i+1 to line i (after one space when `separator`), gives
  // line i the tag of line i+1 when `takeTag`, and erases line i+1.
  void AppendNext(bool separator, bool takeTag) {
    const LineStart nextStart = LineStart::Of(NextText());
    if (startValid_) start_ = start_.Joined(separator ? 1 : 0, nextStart);
    std::string piece = std::move(NextText());
    const int nextTag = list_.tag(i_ + 1);
    EraseNext();
    std::string& line = Text();
    if (separator) line += ' ';
    line += piece;
    if (takeTag) list_[i_].tag = nextTag;
  }

  // Line i, broken in the middle of a sentence, goes in front of line i+1
  // and is handled again as part of it. Appending line i+1 to line i and
  // giving it line i+1's tag yields the same line as prepending, without
  // copying the growing text again for every line carried.
  void CarryForward() {
    AppendNext(true, true);
    lineStartsParagraph_ = false;
  }

  void Finish(std::string paragraph) {
    Text() = std::move(paragraph);
    list_[i_].tag = kTagFinished;
  }

  // Whether line i (blank) starts a run of at least "Detect two empty lines"
  // blank lines. The first non-blank line found is remembered: every later
  // line of the same run is nearer to it, so the test fails there at once,
  // and no run of blank lines is scanned more than once.
  bool StartsBlankRun() {
    if (st_.blankRun <= 1) return true;
    const std::size_t last = i_ + static_cast<std::size_t>(st_.blankRun - 1);
    if (last >= Count()) return false;
    if (nonBlankAt_ != kNone && nonBlankAt_ > i_ && nonBlankAt_ <= last) return false;
    for (std::size_t k = i_ + 1; k <= last; ++k) {
      if (!IsBlank(list_.text(k))) {
        nonBlankAt_ = k;
        return false;
      }
    }
    return true;
  }

  void HandleLine() {
    if (list_.tag(i_) == kTagComment) return Skip();

    if (i_ + 2 < Count() && st_.blankRun != 0 && Start().Blank() && StartsBlankRun()) {
      list_[i_].tag = kTagHtml;
      Text() = st_.divider;
      while (i_ + 1 < Count() && IsBlank(NextText())) EraseNext();
      return Skip();
    }

    if (list_.tag(i_) != kTagText) return Skip();
    if (Text().empty() && !st_.emptyToDiv) return Skip();

    // Inline markup is split onto lines of its own by the first stage; the
    // tag and the line after it join this line again.
    if (CanJoinNext() && ContainsAny(NextText(), {"<sub", "<sup", "<i>", "<em", "<strong", "<font", "<b>"})) {
      AppendNext(false, false);
      if (CanJoinNext()) AppendNext(false, false);
    }

    HandleText();
  }

  void HandleText() {
    const std::size_t length = Text().size();

    if (LongerThan(length, st_.longMin) && lineStartsParagraph_) {
      if (EndsSentence(Text()) || !st_.restoreBroken || !CanJoinNext()) {
        Finish(st_.tags.Make(Text()));
        return Skip();
      }
      return CarryForward();
    }

    const LineStart& ls = Start();
    const bool restEmpty = ls.restEmpty;
    const bool dash = !restEmpty && Text()[ls.spaces + ls.tabs] == '-';
    if ((!restEmpty && ls.Indentation() >= 2 && st_.spacesToDiv) || (restEmpty && st_.emptyToDiv) ||
        (dash && st_.dialogsToDiv)) {
      CollectParagraph();
      return Skip();
    }

    if (st_.shortMax > 0 && length > 0 && ShorterThan(length, st_.shortMax)) {
      if (EndsSentence(Text())) {
        Finish(st_.tags.Make(Text()));
        return Advance();
      }
      if (CanJoinNext()) {
        const std::string& next = NextText();
        if (ShorterThan(next.size(), st_.shortMax) &&
            (next.empty() || EndsSentence(next) || !st_.restoreBroken)) {
          std::string joined;
          joined.reserve(length + 1 + next.size());
          joined += Text();
          joined += ' ';
          joined += next;
          EraseNext();
          Finish(st_.tags.Make(joined));
          return Skip();
        }
        return CarryForward();
      }
      // Nothing to carry the line onto: it is a paragraph by itself.
      Finish(st_.tags.Make(Text()));
      return Skip();
    }

    Advance();
  }

  // Takes the following lines into line i up to the next paragraph start,
  // block, barrier or line that is a sentence of its own.
  void CollectParagraph() {
    const std::size_t ownLength = Text().size();
    while (i_ + 1 < Count()) {
      const std::string& next = NextText();
      if (ContainsAny(next, {"<div", "<center", "<h1", "<h2", "<h3", "<h4", "<h5", "<blockquote"}))
        break;
      if (next.empty() || IsBarrier(list_, i_ + 1)) break;
      if (st_.spacesToDiv && next.starts_with("  ")) break;
      // A line that ends a sentence and differs in length from this line (as
      // it stands in the list, not as collected so far) is a paragraph of
      // its own when it is short or long.
      const bool ownSentence = EndsSentence(next) && next.size() != ownLength;
      if ((ShorterThan(next.size(), st_.shortMax) || LongerThan(next.size(), st_.longMin)) && ownSentence)
        break;
      std::string piece = std::move(NextText());
      EraseNext();
      Text() += ' ';
      Text() += piece;
    }
    const std::string& s = Text();
    const std::size_t textStart = s.find_first_not_of(' ');
    if (textStart == std::string::npos) {
      // Only spaces were collected: the line keeps its own text.
      Text().resize(ownLength);
      return;
    }
    Finish(st_.tags.Make(std::string_view(s).substr(textStart)));
  }

  WorkingList& list_;
  const TextSettings& st_;
  StatusReporter& status_;
  std::size_t i_ = 0;
  bool lineStartsParagraph_ = true;
  LineStart start_;          // the start of line i, when startValid_
  bool startValid_ = false;
  std::size_t nonBlankAt_ = kNone;  // a line known not to be blank
};

}  // namespace

ParagraphTags ParagraphTags::From(const Options& options) {
  ParagraphTags tags;
  tags.open = options.Text(Opt::ParagraphStartTag);
  if (tags.open.empty()) tags.open = "<div align=\"justify\">";
  tags.close = options.Text(Opt::ParagraphEndTag);
  tags.nbsp = NbspRun(options);
  return tags;
}

std::string ParagraphTags::Make(std::string_view text) const {
  std::string out;
  out.reserve(open.size() + nbsp.size() + text.size() + close.size());
  out += open;
  out += nbsp;
  const std::size_t body = out.size();
  for (const char c : text)
    if (c != ' ' || out.size() == body || out.back() != ' ') out += c;
  // Of the spaces at the start only one was kept; it goes as well.
  if (out.size() > body && out[body] == ' ') out.erase(body, 1);
  out += close;
  return out;
}

bool EndsSentence(std::string_view line) {
  if (line.empty()) return false;
  const char c = line.back();
  return c == '!' || c == '.' || c == ':' || c == '?' || c == '"' || c == kRightGuillemet ||
         c == kEllipsis;
}

void DetectExistingParagraphs(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("DetectingParagraphs");
  const Options& o = ctx.options;
  const BlockSettings st{ParagraphTags::From(o), o.Flag(Opt::ConvertPToDiv), o.Flag(Opt::ConvertBrToDiv),
                         o.Flag(Opt::AddNbsp)};
  for (std::size_t i = 0; i < list.size(); ++i) {
    ctx.status.Progress(i, list.size());
    if (list.tag(i) != kTagHtml) continue;
    if (Contains(list.text(i), "<p")) {
      if (st.pToDiv) list.text(i) = st.tags.open;
      AbsorbBlock(list, i, st);
    } else if (ContainsAny(list.text(i), {"<div", "<center", "<h1", "<h2", "<h3", "<h4", "<h5", "<blockquote"})) {
      AbsorbBlock(list, i, st);
    }
    if (st.brToDiv && list.text(i) == "<br>") BuildBrParagraph(list, i, st);
  }
}

void CreateParagraphs(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("CreatingParagraphs");
  const Options& o = ctx.options;
  const TextSettings st{ParagraphTags::From(o),
                        o.Number(Opt::LongStringsMin),
                        o.Number(Opt::ShortStringsMax),
                        o.Number(Opt::DetectTwoEmptyLines),
                        o.Text(Opt::EmptyLinesReplaceWith),
                        o.Flag(Opt::SpacesAtStartToDiv),
                        o.Flag(Opt::DialogsToDiv),
                        o.Flag(Opt::EmptyLineToDiv),
                        o.Flag(Opt::TryToRestoreDirs)};
  ParagraphMaker(list, st, ctx.status).Run();
}

}  // namespace norvella
