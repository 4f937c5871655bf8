#include "core/convert/hyphenate.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::string_view kShy = "&shy;";
// Words shorter than this get no marks in the every-break mode.
constexpr std::size_t kShortestMarkedWord = 7;

constexpr std::array<LetterClass, 256> MakeClassTable() {
  std::array<LetterClass, 256> table{};
  for (auto& c : table) c = LetterClass::Other;
  auto set = [&table](std::string_view chars, LetterClass cls) {
    for (char c : chars) table[static_cast<unsigned char>(c)] = cls;
  };
  set("AEIJOUaeijou", LetterClass::Vowel);
  set("BCDFGHKLMNPQRSTVWXYZbcdfghklmnpqrstvwxyz", LetterClass::Consonant);
  // Windows-1251: Ё ё, then А Е И О У Ы Э Ю Я in both cases.
  set("\xA8\xB8\xC0\xC5\xC8\xCE\xD3\xDB\xDD\xDE\xDF\xE0\xE5\xE8\xEE\xF3\xFB\xFD\xFE\xFF",
      LetterClass::Vowel);
  // Б В Г Д Ж З Й К Л М Н П Р С Т Ф Х Ц Ч Ш Щ in both cases.
  set("\xC1\xC2\xC3\xC4\xC6\xC7\xC9\xCA\xCB\xCC\xCD\xCF\xD0\xD1\xD2\xD4\xD5\xD6\xD7\xD8\xD9"
      "\xE1\xE2\xE3\xE4\xE6\xE7\xE9\xEA\xEB\xEC\xED\xEF\xF0\xF1\xF2\xF4\xF5\xF6\xF7\xF8\xF9",
      LetterClass::Consonant);
  set("\xDA\xDC\xFA\xFC", LetterClass::Sign);  // Ъ Ь ъ ь
  set("-\xB7", LetterClass::Hyphen);
  return table;
}

constexpr std::array<LetterClass, 256> kClasses = MakeClassTable();

constexpr std::array<bool, 256> MakeDelimiterTable(std::string_view chars) {
  std::array<bool, 256> table{};
  for (char c : chars) table[static_cast<unsigned char>(c)] = true;
  return table;
}

constexpr std::array<bool, 256> kDelimiters = MakeDelimiterTable("\t\n\r !&,-./:;=?");
// Delimiters that belong to the word they end.
constexpr std::array<bool, 256> kAppended = MakeDelimiterTable("!,-./:;=?");

bool Appended(char c) { return kAppended[static_cast<unsigned char>(c)]; }

int WidthOf(char c, const ActiveFontWidths& widths) {
  return widths.activeCharWidths[static_cast<unsigned char>(c)];
}

// The entity name at `pos` (which holds "&"): the end of the name, at the
// ";" or space that closes it or at the end of the text.
std::size_t EntityNameEnd(std::string_view text, std::size_t pos) {
  std::size_t end = pos + 1;
  while (end < text.size() && text[end] != ' ' && text[end] != ';') ++end;
  return end;
}

// Predicts the line ends of one paragraph body and inserts the hyphenation
// text, in time linear in the body.
//
// The rule it follows, on a text that grows by every insertion: measure a
// line from its start until the width exceeds the line width, step back one
// character to the first one that does not fit; break at a space before or
// at it; otherwise take the word around the line end (`ExtractWord`) and
// either insert the text at its break point, move the word to the next line
// or, the second time the same word overflows, leave it to the device.
//
// Done literally, every insertion shifts the rest of the body, and every
// line of a long word rescans the whole word: quadratic for a long line that
// is one word. Here the text is the output built so far followed by the
// untouched rest of the input (every insertion lies before the current
// position, and a line never starts before the previous one), word ends
// come from a table of the next delimiter in the input, word starts from
// the delimiters seen while measuring, and what the break search has learnt
// about a word is kept while the word is the same.
class WidthHyphenator {
 public:
  WidthHyphenator(std::string_view body, const ActiveFontWidths& widths, std::string_view hyph)
      : body_(body), widths_(widths), hyph_(hyph), nextDelimiter_(body.size() + 1) {
    nextDelimiter_[body.size()] = body.size();
    for (std::size_t j = body.size(); j-- > 0;)
      nextDelimiter_[j] = IsWordDelimiter(body[j]) ? j : nextDelimiter_[j + 1];
    lastDelimInHyph_ = kNone;
    for (std::size_t j = 0; j < hyph.size(); ++j)
      if (IsWordDelimiter(hyph[j])) lastDelimInHyph_ = j;
  }

  std::string Run() {
    std::size_t pos = 0;
    std::size_t lastWord = kNone;
    std::size_t delimBeforeLine = kNone;  // the last delimiter before pos
    while (pos < Size()) {
      const std::size_t lineStart = pos;
      RecentDelimiters recent(delimBeforeLine);
      if (!MeasureLine(pos, recent)) break;  // the rest fits
      --pos;                                 // the first character that does not fit
      if (At(pos - 1) == ' ') {
        delimBeforeLine = pos - 1;
        continue;
      }
      if (At(pos) == ' ') {
        delimBeforeLine = pos;
        ++pos;
        continue;
      }
      // The word around pos - 2: it starts after the last delimiter at or
      // before pos - 2 and ends at the first delimiter from pos - 1 on.
      const std::size_t before = pos >= 2 ? recent.LastAtOrBefore(pos - 2) : kNone;
      const std::size_t start = before == kNone ? 0 : before + 1;
      const std::size_t end = NextDelimiterFrom(pos - 1);
      const bool hasEnd = end < Size();
      const std::size_t length = end - start + (hasEnd && Appended(At(end)) ? 1 : 0);

      std::size_t k = 0;
      if (hasEnd && At(end) == '-') {
        // A word with a hyphen moves whole (the hyphen is where it breaks).
      } else if (!(start > 0 && At(start - 1) == '&')) {
        // (An entity name is never broken.)
        k = FindBreak(start, length, pos - start - 1);
        // A break that would not leave the line start behind is no break.
        if (k > 0 && start + k + hyph_.size() <= lineStart) k = 0;
      }
      if (k > 0) {
        Insert(start + k, start);
        pos = start + k + hyph_.size();
        delimBeforeLine = lastDelimInHyph_ != kNone ? start + k + lastDelimInHyph_
                          : start > 0               ? start - 1
                                                    : kNone;
      } else if (start != lastWord) {
        pos = start;
        delimBeforeLine = start > 0 ? start - 1 : kNone;
      } else {
        delimBeforeLine = recent.LastAtOrBefore(pos - 1);
      }
      lastWord = start;
    }
    std::string result = std::move(out_);
    result.append(body_.substr(in_));
    return result;
  }

 private:
  // The positions of the last three delimiters seen on the line (or before
  // it). Two of them at most lie after pos - 2, which is all the word
  // search looks back past.
  class RecentDelimiters {
   public:
    explicit RecentDelimiters(std::size_t before) {
      if (before != kNone) Push(before);
    }
    void Push(std::size_t p) {
      last_[2] = last_[1];
      last_[1] = last_[0];
      last_[0] = p;
    }
    std::size_t LastAtOrBefore(std::size_t p) const {
      for (std::size_t d : last_)
        if (d != kNone && d <= p) return d;
      return kNone;
    }

   private:
    std::array<std::size_t, 3> last_{kNone, kNone, kNone};
  };

  // What the break search knows about the word that starts at `start`.
  struct WordMemo {
    std::size_t start = kNone;
    std::size_t scanned = 0;       // none of characters 1..scanned is an other one
    std::size_t firstOther = 0;    // position of the first other character, 0 if unknown
    std::size_t noBreakUpTo = 2;   // no break is allowed after 3..noBreakUpTo
  };

  std::size_t Size() const { return out_.size() + body_.size() - in_; }
  char At(std::size_t p) const {
    return p < out_.size() ? out_[p] : body_[in_ + (p - out_.size())];
  }
  LetterClass ClassAt(std::size_t p) const { return CharClass(At(p)); }

  std::size_t NextDelimiterFrom(std::size_t p) const {
    for (; p < out_.size(); ++p)
      if (IsWordDelimiter(out_[p])) return p;
    return out_.size() + (nextDelimiter_[in_ + (p - out_.size())] - in_);
  }

  // Adds widths from pos on until the sum exceeds the line width, leaving
  // pos after the character or entity that made it exceed; the first one of
  // a line always fits, so that every line makes progress even when the
  // line width is narrower than a character. Returns false when the text
  // ends first.
  bool MeasureLine(std::size_t& pos, RecentDelimiters& recent) const {
    long long sum = 0;
    bool first = true;
    for (;;) {
      if (pos >= Size()) return false;
      sum += MeasureUnit(pos, recent);
      if (sum > widths_.hyphLineWidth && !first) return true;
      first = false;
    }
  }

  int MeasureUnit(std::size_t& pos, RecentDelimiters& recent) const {
    const char c = At(pos);
    if (c != '&') {
      if (IsWordDelimiter(c)) recent.Push(pos);
      ++pos;
      return WidthOf(c, widths_);
    }
    recent.Push(pos);
    // No entity name this program knows is longer than 7 characters; a
    // longer one is unknown whatever follows.
    std::string name = "&";
    std::size_t j = pos + 1;
    for (; j < Size(); ++j) {
      const char d = At(j);
      if (d == ' ' || d == ';') break;
      if (IsWordDelimiter(d)) recent.Push(j);
      if (name.size() < 9) name += d;
    }
    if (j < Size()) {
      recent.Push(j);
      ++j;
    }
    pos = j;
    return WidthOf(EntityCharFor(name), widths_);
  }

  // `FindBreakPoint` for the word of `length` characters at `start`, using
  // and extending what is known about it from earlier lines.
  std::size_t FindBreak(std::size_t start, std::size_t length, std::size_t largest) {
    if (memo_.start != start) memo_ = WordMemo{start};
    if (length <= largest || length < 4) return 0;
    const std::size_t k = std::min(largest, length - 4);
    if (k < 3) return 0;
    if (memo_.firstOther == 0) {
      while (memo_.scanned + 1 < k) {
        const std::size_t j = memo_.scanned + 1;
        if (ClassAt(start + j - 1) == LetterClass::Other) {
          memo_.firstOther = j;
          break;
        }
        memo_.scanned = j;
      }
    }
    if (memo_.firstOther > 2 && k > memo_.firstOther) return 0;
    for (std::size_t at = k; at > memo_.noBreakUpTo; --at) {
      if (BreakAllowed(ClassAt(start + at - 2), ClassAt(start + at - 1), ClassAt(start + at),
                       ClassAt(start + at + 1)))
        return at;
    }
    memo_.noBreakUpTo = std::max(memo_.noBreakUpTo, k);
    return 0;
  }

  // Inserts the hyphenation text at q, inside the word that starts at
  // `start`, and forgets what was known about that word from q on.
  void Insert(std::size_t q, std::size_t start) {
    if (q >= out_.size()) {
      const std::size_t take = q - out_.size();
      out_.append(body_.substr(in_, take));
      in_ += take;
      out_.append(hyph_);
    } else {
      out_.insert(q, hyph_);
    }
    if (memo_.start == start) {
      const std::size_t kept = q - start;  // characters 1..kept are unchanged
      memo_.scanned = std::min(memo_.scanned, kept);
      if (memo_.firstOther > kept) memo_.firstOther = 0;
      // A break after k looks at characters up to k + 2.
      memo_.noBreakUpTo = std::min(memo_.noBreakUpTo, std::max<std::size_t>(kept, 4) - 2);
    }
  }

  std::string_view body_;
  const ActiveFontWidths& widths_;
  std::string_view hyph_;
  std::vector<std::size_t> nextDelimiter_;  // first delimiter at or after each input position
  std::size_t lastDelimInHyph_;
  std::string out_;     // the text before input position in_
  std::size_t in_ = 0;  // the first input character not yet copied to out_
  WordMemo memo_;
};

}  // namespace

LetterClass CharClass(char c) { return kClasses[static_cast<unsigned char>(c)]; }

bool IsWordDelimiter(char c) { return kDelimiters[static_cast<unsigned char>(c)]; }

char EntityCharFor(std::string_view name) {
  struct Entity {
    std::string_view name;
    char measuredAs;
  };
  static constexpr Entity kEntities[] = {
      {"&quot", '"'},      {"&amp", '&'},       {"&lt", '<'},        {"&gt", '>'},
      {"&iexcl", '!'},     {"&nbsp", ' '},      {"&sect", '\xA7'},   {"&curren", '\xA4'},
      {"&copy", '\xA9'},   {"&brvbar", '\xA6'}, {"&laquo", '\xAB'},  {"&not", '\xAC'},
      {"&macr", '\x97'},   {"&reg", '\xAE'},    {"&plusmn", '\xB1'}, {"&deg", '\xB0'},
      {"&micro", 'i'},     {"&acute", '\''},    {"&para", '\xB6'},
  };
  if (name.size() <= 7) {
    const std::string lower = LowerCase(name);
    for (const Entity& e : kEntities)
      if (e.name == lower) return e.measuredAs;
  }
  return '?';
}

int CharWidthAt(std::string_view text, std::size_t& pos, const ActiveFontWidths& widths) {
  if (text[pos] != '&') return WidthOf(text[pos++], widths);
  const std::size_t end = EntityNameEnd(text, pos);
  const int width = WidthOf(EntityCharFor(text.substr(pos, end - pos)), widths);
  pos = end < text.size() ? end + 1 : end;
  return width;
}

ExtractedWord ExtractWord(std::string_view text, std::size_t next) {
  std::size_t end = next;
  while (end < text.size() && !IsWordDelimiter(text[end])) ++end;
  if (end < text.size() && Appended(text[end])) ++end;
  std::size_t start = std::min(next, text.size());
  while (start > 0 && !IsWordDelimiter(text[start - 1])) --start;
  return {std::string(text.substr(start, end - start)), start};
}

bool BreakAllowed(LetterClass a, LetterClass b, LetterClass c, LetterClass d) {
  using L = LetterClass;
  return (a == L::Vowel && b == L::Consonant && c == L::Consonant && d != L::Hyphen) ||
         (a == L::Consonant && b == L::Vowel && c == L::Consonant && d == L::Vowel) ||
         (a == L::Consonant && b == L::Vowel && c == L::Vowel && d == L::Consonant) ||
         (b == L::Sign && c != L::Hyphen);
}

bool BreakAllowedAfter(std::string_view word, std::size_t k) {
  if (k < 3 || k + 4 > word.size()) return false;
  return BreakAllowed(CharClass(word[k - 2]), CharClass(word[k - 1]), CharClass(word[k]),
                      CharClass(word[k + 1]));
}

std::size_t FindBreakPoint(std::string_view word, std::size_t largest) {
  const std::size_t n = word.size();
  if (n <= largest || n < 4) return 0;
  std::size_t k = std::min(largest, n - 4);
  for (std::size_t p = 1; p <= n; ++p) {
    if (CharClass(word[p - 1]) != LetterClass::Other) continue;
    if (p > 2 && k > p) return 0;
    break;
  }
  for (; k >= 3; --k)
    if (BreakAllowedAfter(word, k)) return k;
  return 0;
}

std::string HyphenateByWidth(std::string_view body, const ActiveFontWidths& widths,
                             std::string_view hyphString) {
  return WidthHyphenator(body, widths, hyphString).Run();
}

std::string ShyAllWords(std::string_view body) {
  std::string out;
  out.reserve(body.size() + body.size() / 8);
  bool inTag = false;  // after a "<" that no ">" has closed yet
  std::size_t i = 0;
  while (i < body.size()) {
    if (IsWordDelimiter(body[i])) {
      out += body[i++];
      continue;
    }
    std::size_t end = i;
    while (end < body.size() && !IsWordDelimiter(body[end])) ++end;
    const std::string_view word = body.substr(i, end - i);
    const bool insideTag = inTag;
    const std::size_t lastOpen = word.rfind('<');
    const std::size_t lastClose = word.rfind('>');
    if (lastOpen != std::string_view::npos || lastClose != std::string_view::npos)
      inTag = lastOpen != std::string_view::npos &&
              (lastClose == std::string_view::npos || lastOpen > lastClose);
    const bool markup = word.find_first_of("&<>") != std::string_view::npos;
    const bool entityName = i > 0 && body[i - 1] == '&';
    if (word.size() < kShortestMarkedWord || markup || insideTag || entityName) {
      out.append(word);
    } else {
      // The break rules look at most two characters past the break, and two
      // breaks in a row only happen after two signs, where the mark between
      // does not change the answer: testing the unmarked word is the same
      // as marking from the end of the word towards its start.
      for (std::size_t k = 1; k <= word.size(); ++k) {
        out += word[k - 1];
        if (BreakAllowedAfter(word, k)) out.append(kShy);
      }
    }
    i = end;
  }
  return out;
}

void HyphenateParagraphs(WorkingList& list, StageContext& ctx) {
  if (!ctx.options.Flag(Opt::Hyphenate)) return;
  ctx.status.Task("InsertingHyphenation");
  const bool everyBreak = ctx.options.Text(Opt::HyphFont) == kEveryBreakFont;
  const ActiveFontWidths& widths = ctx.fontWidths ? *ctx.fontWidths : BuiltinActiveFontWidths();
  const std::string& hyph = ctx.options.Text(Opt::HyphString);
  // The document head (three lines) and the end line are not paragraphs.
  for (std::size_t i = 3; i + 1 < list.size(); ++i) {
    std::string& line = list.text(i);
    if (!Contains(line, "<!--")) {
      std::size_t at = line.find("<div");
      std::string_view close = "</div>";
      if (at == std::string::npos) {
        at = line.find("<p");
        close = "</p>";
      }
      const std::size_t open = at == std::string::npos ? at : line.find('>', at);
      const std::size_t bodyStart = open == std::string::npos ? open : open + 1;
      const std::size_t bodyEnd =
          bodyStart == std::string::npos ? bodyStart : line.find(close, bodyStart);
      if (bodyEnd != std::string::npos) {
        const std::string_view body = std::string_view(line).substr(bodyStart, bodyEnd - bodyStart);
        if (everyBreak) {
          line.replace(bodyStart, bodyEnd - bodyStart, ShyAllWords(body));
        } else if (body.find('<') == std::string_view::npos) {
          line.replace(bodyStart, bodyEnd - bodyStart, HyphenateByWidth(body, widths, hyph));
        }
      }
    }
    ctx.status.Progress(i, list.size());
  }
}

}  // namespace norvella
