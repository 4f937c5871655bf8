#include "core/convert/simplify_html.h"

#include <array>
#include <string_view>

#include "core/base/text.h"

namespace norvella {
namespace {

constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";
constexpr std::array<std::string_view, 7> kInlineClosingTags = {
    "</sub>", "</sup>", "</i>", "</em>", "</strong>", "</font>", "</b>"};

// The pending text of the split: source text not yet made into items. It is
// consumed from the front, so it keeps a read offset instead of erasing, and
// remembers how far each search has already looked, so that a long line or
// a tag spread over many lines is scanned once, not once per round.
class Pending {
 public:
  std::string_view View() const { return std::string_view(buf_).substr(pos_); }
  bool Empty() const { return pos_ == buf_.size(); }
  std::size_t Size() const { return buf_.size() - pos_; }

  void Append(std::string_view text) { buf_.append(text); }

  // Tabs become two spaces and non-breaking spaces plain ones, in every part
  // of the pending text not cleaned before.
  void Clean() {
    if (buf_.find_first_of("\t\xA0", clean_) != std::string::npos) {
      std::string tail;
      tail.reserve(buf_.size() - clean_ + 16);
      for (std::size_t k = clean_; k < buf_.size(); ++k) {
        const char c = buf_[k];
        if (c == '\t') tail += "  ";
        else if (c == '\xA0') tail += ' ';
        else tail += c;
      }
      buf_.resize(clean_);
      buf_ += tail;
      ForgetSearchesFrom(clean_);
    }
    clean_ = buf_.size();
  }

  void Consume(std::size_t count) {
    pos_ += count;
    if (pos_ >= buf_.size()) Reset({}, true);
  }

  void SkipSpaces() {
    while (pos_ < buf_.size() && buf_[pos_] == ' ') ++pos_;
    if (pos_ >= buf_.size()) Reset({}, true);
  }

  // Replaces the pending text; a text that comes from a source line not yet
  // reached by the loop is not clean.
  void Reset(std::string text, bool clean) {
    buf_ = std::move(text);
    pos_ = 0;
    clean_ = clean ? buf_.size() : 0;
    commentSeen_ = ltSeen_ = gtSeen_ = 0;
  }

  // Offsets relative to View(), npos when absent.
  std::size_t FindCommentOpen() { return Find(kCommentOpen, commentSeen_); }
  std::size_t FindLt() { return Find("<", ltSeen_); }
  std::size_t FindGt() { return Find(">", gtSeen_); }

 private:
  // Finds the needle at or after the read offset; `seen` is the absolute
  // position before which the needle is known not to start.
  std::size_t Find(std::string_view needle, std::size_t& seen) {
    const std::size_t from = std::max(pos_, seen);
    const std::size_t at = buf_.find(needle, from);
    if (at != std::string::npos) {
      seen = at;
      return at - pos_;
    }
    // The needle may still start in the last few characters once more text
    // is appended.
    const std::size_t safe = buf_.size() >= needle.size() - 1 ? buf_.size() - (needle.size() - 1) : 0;
    seen = std::max(from, safe);
    return std::string_view::npos;
  }

  void ForgetSearchesFrom(std::size_t at) {
    const std::size_t back = at >= 3 ? at - 3 : 0;
    commentSeen_ = std::min(commentSeen_, back);
    ltSeen_ = std::min(ltSeen_, at);
    gtSeen_ = std::min(gtSeen_, at);
  }

  std::string buf_;
  std::size_t pos_ = 0;
  std::size_t clean_ = 0;
  std::size_t commentSeen_ = 0;
  std::size_t ltSeen_ = 0;
  std::size_t gtSeen_ = 0;
};

bool EndsWithInlineClosingTag(std::string_view tagText) {
  for (const auto closing : kInlineClosingTags) {
    if (tagText.size() < closing.size()) continue;
    const auto tail = tagText.substr(tagText.size() - closing.size());
    bool same = true;
    for (std::size_t k = 0; k < closing.size() && same; ++k) same = LowerChar(tail[k]) == closing[k];
    if (same) return true;
  }
  return false;
}

class Splitter {
 public:
  Splitter(std::vector<std::string> source, StageContext& ctx)
      : source_(std::move(source)), ctx_(ctx) {}

  WorkingList Run() {
    ctx_.status.Task("SimplyfyHTML");
    for (;;) {
      if (line_ < source_.size()) {
        if (!reached_) Reach();
      } else if (!pending_.Empty()) {
        // Text left after the last line (the rest of a line that closed a
        // comment) is still made into items rather than dropped.
        if (!finalRound_) pending_.Clean();
        finalRound_ = true;
      } else {
        break;
      }
      Round();
    }
    return std::move(out_);
  }

 private:
  void Reach() {
    reached_ = true;
    pending_.Append(source_[line_]);
    pending_.Clean();
    ctx_.status.Progress(line_, source_.size());
  }

  void NextLine() {
    if (inserted_) {
      // The part of the line from "<!--" on, split off earlier, is the next
      // line; the current one is done with, so it takes its place.
      inserted_ = false;
      if (line_ < source_.size()) source_[line_] = std::move(insertedText_);
      else source_.push_back(std::move(insertedText_));
      insertedText_.clear();
    } else if (line_ < source_.size()) {
      ++line_;
    }
    reached_ = false;
  }

  void AddText(std::string_view text) {
    out_.push_back(IsBlank(text) ? std::string() : std::string(text), kTagText);
  }

  void Round() {
    const std::size_t comment = pending_.FindCommentOpen();
    if (comment != std::string_view::npos) {
      if (comment == 0) {
        Comment();
      } else {
        // The text before the comment is handled first; the comment becomes
        // the next line.
        insertedText_ = std::string(pending_.View().substr(comment));
        inserted_ = true;
        std::string before(pending_.View().substr(0, comment));
        pending_.Reset(std::move(before), true);
      }
      return;
    }
    const std::size_t lt = pending_.FindLt();
    if (lt == std::string_view::npos) {
      AddText(pending_.View());
      pending_.Reset({}, true);
      NextLine();
      return;
    }
    if (lt > 0) {
      AddText(pending_.View().substr(0, lt));
      pending_.Consume(lt);
      return;
    }
    Tag();
  }

  void Comment() {
    const std::string_view text = pending_.View();
    const std::size_t close = text.find(kCommentClose);
    if (close != std::string_view::npos) {
      const std::size_t end = close + kCommentClose.size();
      out_.push_back(std::string(text.substr(0, end)), kTagComment);
      pending_.Consume(end);
      if (pending_.Empty()) NextLine();
      return;
    }
    // A comment over several lines: gather lines up to the one holding
    // "-->", or up to the last line. A comment that the source never closes
    // is closed where it stops, so that in the document it hides what it
    // hid in the source and not the document's end after it.
    std::string comment(text);
    const std::size_t n = source_.size();
    std::size_t j = line_ + 1;
    if (j >= n) {
      comment += kCommentClose;
      out_.push_back(std::move(comment), kTagComment);
      pending_.Reset({}, true);
      line_ = n;
      return;
    }
    while (j < n - 1 && source_[j].find(kCommentClose) == std::string::npos) {
      comment += '\n';
      comment += source_[j];
      ++j;
    }
    const std::string& stop = source_[j];
    const std::size_t at = stop.find(kCommentClose);
    const std::size_t end = at == std::string::npos ? std::min<std::size_t>(2, stop.size())
                                                    : at + kCommentClose.size();
    comment += '\n';
    comment += stop.substr(0, end);
    if (at == std::string::npos) comment += kCommentClose;
    out_.push_back(std::move(comment), kTagComment);
    pending_.Reset(stop.substr(end), false);
    line_ = j + 1;
    reached_ = false;
  }

  void Tag() {
    const std::size_t gt = pending_.FindGt();
    if (gt == std::string_view::npos) {
      // The tag goes on in the next line, glued on directly. At the very end
      // an unfinished tag is dropped, and so is one standing right before a
      // split-off comment: glued to the comment it would be split off again
      // and again, for ever.
      if (finalRound_ || inserted_) pending_.Reset({}, true);
      NextLine();
      return;
    }
    const std::string_view text = pending_.View();
    if (EndsWithInlineClosingTag(text.substr(0, gt + 1))) {
      const std::size_t next = text.find('<', 1);
      if (next == std::string_view::npos) {
        AddText(text);
        pending_.Reset({}, true);
        NextLine();
      } else {
        AddText(text.substr(0, next));
        pending_.Consume(next);
      }
      return;
    }
    out_.push_back(NormaliseTag(text.substr(0, gt + 1)), kTagHtml);
    pending_.Consume(gt + 1);
    if (pending_.Empty()) {
      NextLine();
      return;
    }
    pending_.SkipSpaces();
    // When only spaces followed, the next round adds an empty text item.
    if (pending_.Empty()) AddEmptyThenNext();
  }

  void AddEmptyThenNext() {
    out_.push_back(std::string(), kTagText);
    NextLine();
  }

  std::vector<std::string> source_;
  StageContext& ctx_;
  WorkingList out_;
  Pending pending_;
  std::size_t line_ = 0;
  bool reached_ = false;
  bool inserted_ = false;
  std::string insertedText_;
  bool finalRound_ = false;
};

}  // namespace

std::string NormaliseTag(std::string_view tag) {
  std::string out;
  out.reserve(tag.size());
  for (const char c : tag) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    if (c == '<')
      while (!out.empty() && out.back() == ' ') out.pop_back();
    out += LowerChar(c);
  }
  return out;
}

WorkingList SimplifyHtml(std::vector<std::string> source, StageContext& ctx) {
  return Splitter(std::move(source), ctx).Run();
}

}  // namespace norvella
