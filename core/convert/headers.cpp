#include "core/convert/headers.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

constexpr char kEnDash = '\x96';

// Characters that start a numbered title: a hyphen ("- 3 -"), a digit, or a
// capital letter that opens a Roman numeral. "C" and "D" are left out on
// purpose: too many ordinary lines start with them.
bool StartsNumberedTitle(char c) {
  return c == '-' || (c >= '0' && c <= '9') || c == 'I' || c == 'L' || c == 'M' || c == 'V' ||
         c == 'X';
}

// Deletes the blank lines just before line `at` and returns the line's new
// index.
std::size_t DeleteBlankLinesBefore(WorkingList& list, std::size_t at) {
  while (at > 0 && IsBlank(list.text(at - 1))) {
    list.erase(at - 1);
    --at;
  }
  return at;
}

// Whether the line holds a closing header tag: the first "/h" is followed,
// two characters on, by ">" (as in "</h1>").
bool HasClosingHeaderTag(const std::string& line) {
  const std::size_t p = line.find("/h");
  return p != std::string::npos && p + 3 < line.size() && line[p + 3] == '>';
}

}  // namespace

char FirstNonSpaceChar(std::string_view line) {
  const std::size_t p = line.find_first_not_of(' ');
  return p == std::string_view::npos ? ' ' : line[p];
}

bool IsAuthorLine(std::string_view line) {
  const std::size_t p = line.find_first_not_of(' ');
  if (p == std::string_view::npos) return false;
  const std::string_view s = line.substr(p);
  if (s[0] == '-' || s[0] == kEnDash) return true;
  if (s.size() <= 2 || s[0] < '0' || s[0] > '9') return false;
  const char next = s[1];
  return next == ' ' || next == ')' || next == '-' || next == '.' || next == ';';
}

void DetectHeaders(WorkingList& list, StageContext& ctx) {
  if (!ctx.options.Flag(Opt::DetectHeaders)) return;
  ctx.status.Task("DetectingHeaders");
  // An empty start tag means plain <h1>, whatever the close tag holds.
  const std::string& startTag = ctx.options.Text(Opt::HeadStartTag);
  const std::string open = startTag.empty() ? std::string("<h1>") : startTag;
  const std::string close = startTag.empty() ? std::string("</h1>") : ctx.options.Text(Opt::HeadCloseTag);
  // While "Londg strings min" is on, a line longer than it is a paragraph,
  // never a title, however the blank lines stand around it: books with one
  // line per paragraph have such runs around ordinary paragraphs.
  const bool longLinesOn = ctx.options.LongStringsOn();
  const std::int64_t longMin = ctx.options.Number(Opt::LongStringsMin);
  auto mayBeTitle = [&](std::size_t at) {
    return !longLinesOn || static_cast<std::int64_t>(list.text(at).size()) <= longMin;
  };
  auto makeHeader = [&](std::size_t at) {
    Line& line = list[at];
    line.text = open + line.text + close;
    line.tag = kTagFinished;
  };

  std::size_t i = 0;
  while (i + 5 < list.size()) {
    ctx.status.Progress(i, list.size());
    // A title framed by two blank lines above and one below; every blank
    // line above it goes.
    if (IsBlank(list.text(i)) && IsBlank(list.text(i + 1)) && !IsBlank(list.text(i + 2)) &&
        IsBlank(list.text(i + 3)) && list.tag(i + 2) == kTagText && mayBeTitle(i + 2)) {
      makeHeader(i + 2);
      list.erase(i, 2);
      i = DeleteBlankLinesBefore(list, i) + 1;
      continue;
    }
    // An empty line, then a title line: centred, isolated by two empty
    // lines, or numbered. These rules look for empty lines, not blank ones.
    if (list.text(i).empty() && list.tag(i + 1) == kTagText && mayBeTitle(i + 1)) {
      const std::string& title = list.text(i + 1);
      const bool emptyAfter = list.text(i + 2).empty();
      const bool centred = emptyAfter && Contains(title, "        ");
      const bool isolated = emptyAfter && !title.empty() && list.text(i + 3).empty();
      const bool numbered = emptyAfter && StartsNumberedTitle(FirstNonSpaceChar(title));
      if (centred || isolated || numbered) {
        makeHeader(i + 1);
        list.erase(i);
        ++i;  // the header now stands at i
        continue;
      }
    }
    ++i;
  }
}

void DetectEpigraphs(WorkingList& list, StageContext& ctx) {
  if (!ctx.options.Flag(Opt::DetectEpigraphs)) return;
  ctx.status.Task("DetectingEpigraphs");
  const std::string& openEpigraph = ctx.options.Text(Opt::OpenEpigraph);
  const std::string& closeEpigraph = ctx.options.Text(Opt::CloseEpigraph);
  const std::string lineBreak = ctx.options.Flag(Opt::PreserveBreaksInEpigraph) ? "<br>" : "";

  // Two states: looking for a header line, or looking for an epigraph block
  // from line i on (right after a header, or after a previous epigraph).
  bool atBlock = false;
  std::size_t i = 3;
  while (true) {
    const std::size_t n = list.size();
    if (!atBlock) {
      if (i + 20 >= n) break;
      ctx.status.Progress(i, n);
      if (!HasClosingHeaderTag(list.text(i))) {
        ++i;
        continue;
      }
      // The first text line after the header must be near and, when it is
      // the very next line, blank.
      std::size_t j = i + 1;
      while (j + 2 < n && list.tag(j) != kTagText) ++j;
      if (j + 2 >= n) break;
      const std::size_t gap = j - i;
      i = j;
      if (gap > 16 || (gap == 1 && !IsBlank(list.text(j)))) continue;
    }
    atBlock = false;

    while (i + 2 < n && IsBlank(list.text(i))) ++i;

    // The block ends at a blank or long line, or just before a header.
    std::size_t end = 0;
    bool found = false;
    bool endsAtHeader = false;
    for (std::size_t k = i; n >= 2 && k <= std::min(i + 60, n - 2); ++k) {
      const std::string& line = list.text(k);
      if (IsBlank(line) || line.size() > 80) {
        end = k;
        found = true;
        break;
      }
      if (Contains(line, "<h") && !Contains(line, "<hr")) {
        end = k - 1;
        found = true;
        endsAtHeader = true;
        break;
      }
    }
    // A block that ends before it starts scores nothing and is no epigraph.
    if (!found || end < 1 || end <= i) {
      ++i;
      continue;
    }

    // Mostly short lines make an epigraph; a long line rules it out and an
    // author line counts against it.
    long score = 0;
    for (std::size_t k = i; k <= end; ++k) {
      const std::string& line = list.text(k);
      if (Contains(line, "          ")) ++score;
      else if (!line.empty() && line.size() < 60) ++score;
      if (line.size() > 80) score = -5;
      if (IsAuthorLine(line)) --score;
    }
    // The block's lines are i to end - 1 when a blank or long line ends it,
    // i to end when a header does. score / lines <= 0.8, in integers.
    const std::size_t blockLines = endsAtHeader ? end - i + 1 : end - i;
    if (score * 5 <= 4 * static_cast<long>(blockLines)) {
      ++i;
      continue;
    }

    // Join the block into line i, leaving its last line at i + 1.
    std::string epigraph = openEpigraph + "<i>" + list.text(i) + lineBreak;
    const std::size_t joins = blockLines >= 2 ? blockLines - 2 : 0;
    for (std::size_t k = 0; k < joins; ++k) {
      epigraph += ' ';
      epigraph += list.text(i + 1);
      epigraph += lineBreak;
      list.erase(i + 1);
    }
    // A last line that does not go on in lower case is the author: it gets
    // a line of its own, indented.
    const std::string& last = list.text(i + 1);
    const char first = FirstNonSpaceChar(last);
    if (first >= 'a' && first <= 'z') epigraph += " " + last + "</i>" + closeEpigraph;
    else epigraph += "</i><br>&nbsp;&nbsp;" + last + closeEpigraph;
    list.erase(i + 1);
    list[i] = Line{std::move(epigraph), kTagFinished};
    i = DeleteBlankLinesBefore(list, i);

    // Another epigraph may follow after the next blank line.
    std::size_t next = i + 1;
    while (next + 1 < list.size() && !IsBlank(list.text(next))) ++next;
    i = next;
    const std::string& line = list.text(i);
    if (Contains(line, "      ") || line.size() < 60) atBlock = true;
    else ++i;
  }
}

}  // namespace norvella
