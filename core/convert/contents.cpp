#include "core/convert/contents.h"

#include <algorithm>
#include <vector>

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

constexpr std::string_view kRule = "<hr";
constexpr std::string_view kTopAnchor = "<a name=\"start000\"><h1>";
constexpr std::string_view kBackLink = "</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a>";
constexpr std::string_view kShortMark = " >>>";
constexpr std::size_t kFirstEntryLine = 5;

bool HasHeaderTag(std::string_view line) { return FindHeaderTag(line) != std::string_view::npos; }

}  // namespace

RuleRemoval RemoveRules(std::string& line) {
  const std::size_t first = line.find(kRule);
  if (first == std::string::npos) return RuleRemoval::kNoRule;
  if (Contains(line, kMarkerRule)) return RuleRemoval::kMarker;

  // The line being edited is `out` followed by line[r...]. `out` holds no
  // rule and no marker, and every rule before the last cut was removed, so
  // a rule or marker that was not there before can only span the cut.
  std::string out(line, 0, first);
  std::size_t r = first;
  const auto at = [&](std::size_t x) -> char {
    if (x < out.size()) return out[x];
    const std::size_t y = r + (x - out.size());
    return y < line.size() ? line[y] : '\0';
  };
  const auto ruleAt = [&](std::size_t x) { return at(x) == '<' && at(x + 1) == 'h' && at(x + 2) == 'r'; };
  bool cut = false;
  while (true) {
    const std::size_t joint = out.size();
    if (cut) {
      // A marker made by the last cut stops the removal.
      const std::size_t from = joint >= kMarkerRule.size() ? joint - kMarkerRule.size() + 1 : 0;
      std::string window(out, from);
      window.append(line, r, kMarkerRule.size() - 1);
      if (Contains(window, kMarkerRule)) {
        out.append(line, r);
        line = std::move(out);
        return RuleRemoval::kMarker;
      }
    }
    // The first rule: one that spans the cut, or the next one after it.
    std::size_t spanning = std::string::npos;
    for (std::size_t x = joint >= 2 ? joint - 2 : 0; x < joint; ++x) {
      if (ruleAt(x)) {
        spanning = x;
        break;
      }
    }
    std::size_t searchFrom = r;
    if (spanning != std::string::npos) {
      out.resize(spanning);
    } else {
      const std::size_t next = line.find(kRule, r);
      if (next == std::string::npos) break;
      out.append(line, r, next - r);
      searchFrom = next + kRule.size();
    }
    // "<" and "<h" hold no ">", so the tag's end is searched in the rest.
    const std::size_t close = line.find('>', searchFrom);
    r = close == std::string::npos ? line.size() : close + 1;
    cut = true;
  }
  out.append(line, r);
  line = std::move(out);
  return RuleRemoval::kNoRule;
}

std::size_t FindHeaderTag(std::string_view line) {
  static constexpr std::string_view kTags[] = {"<h1", "<h2", "<h3", "<h4", "<h5", "<h6"};
  for (const std::string_view tag : kTags)
    if (const std::size_t p = line.find(tag); p != std::string_view::npos) return p;
  return std::string_view::npos;
}

std::string DeleteNbsp(std::string_view text) {
  // "&nbsp;" cannot overlap itself, so deleting each one as soon as it is
  // complete gives what deleting the first one over and over gives.
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    out += c;
    if (c == ';' && EndsWith(out, kNbsp)) out.resize(out.size() - kNbsp.size());
  }
  return out;
}

std::string ContentsEntryText(std::string_view line, std::size_t tagAt) {
  if (tagAt >= line.size()) return {};
  std::string_view s = line.substr(tagAt, line.size() - tagAt - 1);
  if (const std::size_t gt = s.find('>'); gt != std::string_view::npos) s.remove_prefix(gt + 1);
  const std::size_t lt = s.find('<');
  if (lt == std::string_view::npos) return {};
  s = s.substr(0, lt);
  const std::size_t start = s.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  return DeleteNbsp(s.substr(start));
}

int HeaderLevel(std::string_view line, std::size_t tagAt) {
  const std::size_t p = line.find("<h");
  if (p != std::string_view::npos && p + 2 < line.size() && line[p + 2] >= '0' && line[p + 2] <= '9')
    return line[p + 2] - '0';
  return line[tagAt + 2] - '0';
}

void InsertPageRules(WorkingList& list, StageContext& ctx) {
  if (!ctx.options.Flag(Opt::InsertHr)) return;
  ctx.status.Task("InsertingHR");
  std::size_t i = 5;
  while (i < list.size()) {
    ctx.status.Progress(i, list.size());
    // Comments are kept as they are.
    if (list.tag(i) == kTagComment) {
      ++i;
      continue;
    }
    std::string& line = list.text(i);
    const bool hadRule = Contains(line, kRule);
    if (RemoveRules(line) == RuleRemoval::kMarker) {
      ++i;
      continue;
    }
    if (hadRule && line.empty()) {
      list.erase(i);
      continue;
    }
    if (HasHeaderTag(line)) list.text(i - 1) += kPageRule;
    ++i;
  }
}

void CreateContents(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("CreatingTOC");
  list.insert(std::min<std::size_t>(2, list.size()),
              std::string(kTopAnchor) + ctx.document.title + "</h1></a>", kTagFinished);
  if (!ctx.options.Flag(Opt::CreateToc)) return;

  std::vector<ContentsEntry> entries;
  int smallestLevel = 3;
  for (std::size_t i = 3; i < list.size(); ++i) {
    ctx.status.Progress(i, list.size());
    // A header quoted in a comment is no part of the book.
    if (list.tag(i) == kTagComment) continue;
    std::string& line = list.text(i);
    const std::size_t tagAt = FindHeaderTag(line);
    if (tagAt == std::string::npos) continue;
    std::string text = ContentsEntryText(line, tagAt);
    if (text.empty()) continue;

    // The anchor goes right after the opening tag, the link back to the top
    // before the closing tag. A closing tag before the header (or none at
    // all) would put the link in front of the anchor's place and split it,
    // so the link then goes before the next closing tag, or at the end.
    const std::size_t anchorAt = line.find('>', tagAt) + 1;  // the entry text needs a ">"
    std::size_t closeAt = line.find("</h");
    if (closeAt == std::string::npos || closeAt < anchorAt) {
      closeAt = line.find("</h", anchorAt);
      if (closeAt == std::string::npos) closeAt = line.size();
    }
    const int level = HeaderLevel(line, tagAt);
    line.insert(closeAt, kBackLink);
    line.insert(anchorAt, "<a name=\"linktostr" + std::to_string(i) + "\">");

    smallestLevel = std::min(smallestLevel, level);
    // A short title still gives a link wide enough to tap.
    if (text.size() < 4) text += kShortMark;
    entries.push_back(ContentsEntry{std::move(text), i, level, true});
  }

  if (ctx.options.Flag(Opt::ConfirmToc) && !entries.empty()) ctx.questions.ConfirmContents(entries);

  // The entries go before the document end line even in a very short list.
  std::size_t at = std::min(kFirstEntryLine, list.size() - 1);
  for (const ContentsEntry& entry : entries) {
    if (!entry.ticked) continue;
    std::string text = entry.text;
    if (EndsWith(text, kShortMark)) text.replace(text.size() - 3, 3, "&nbsp;&nbsp;&gt;&gt;&gt;");
    const int pairs = std::max(0, entry.level - smallestLevel);
    std::string line;
    for (int k = 0; k < pairs; ++k) line += "<blockquote><blockquote>";
    line += "<h3><a href=\"#linktostr" + std::to_string(entry.line) + "\">" + text + "</a></h3>";
    for (int k = 0; k < pairs; ++k) line += "</blockquote></blockquote>";
    list.insert(at++, std::move(line), kTagFinished);
  }
}

}  // namespace norvella
