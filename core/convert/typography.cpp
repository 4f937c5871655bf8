#include "core/convert/typography.h"

#include "core/settings/options.h"

namespace norvella {
namespace {

// Lines before these indices are the document head and are left alone.
constexpr std::size_t kFirstQuoteLine = 6;
constexpr std::size_t kFirstDashLine = 1;
constexpr std::size_t kFirstEllipsisLine = 6;

// Every rule below replaces, one at a time, the first occurrence of a
// two-character pair by a character that cannot be part of the same pair
// again, so one walk from left to right gives the same line.

// Replaces the second character of every (left, right) pair by `by`.
void ReplaceSecondOfPairs(std::string& s, char left, char right, char by) {
  for (std::size_t j = 1; j < s.size(); ++j)
    if (s[j] == right && s[j - 1] == left) s[j] = by;
}

// Replaces the first character of every (left, right) pair by `by`.
void ReplaceFirstOfPairs(std::string& s, char left, char right, char by) {
  for (std::size_t j = 0; j + 1 < s.size(); ++j)
    if (s[j] == left && s[j + 1] == right) s[j] = by;
}

}  // namespace

std::string QuotesInLine(std::string line) {
  for (const char before : {' ', '-', '(', ';'}) ReplaceSecondOfPairs(line, before, '"', kLeftGuillemet);
  for (const char after : {' ', '<', '&', '.', ',', ';', ':', '?', '!', ')', '-'})
    ReplaceFirstOfPairs(line, '"', after, kRightGuillemet);
  if (!line.empty() && line.back() == '"') line.back() = kRightGuillemet;
  if (!line.empty() && line.front() == '"') line.front() = kLeftGuillemet;
  return line;
}

std::string DashesInLine(std::string line, std::string_view nbspRun) {
  ReplaceFirstOfPairs(line, '-', ' ', kDash);
  ReplaceSecondOfPairs(line, ' ', '-', kDash);
  // A paragraph that opens with a dash after its indentation keeps the dash
  // with the word after it.
  std::string opening(nbspRun);
  opening += kDash;
  opening += ' ';
  if (const auto at = line.find(opening); at != std::string::npos)
    line.replace(at + opening.size() - 1, 1, "&nbsp;");
  return line;
}

std::string EllipsesInLine(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (std::size_t k = 0; k < line.size();) {
    if (line.compare(k, 3, "...") == 0) {
      out += kEllipsis;
      k += 3;
    } else {
      out += line[k++];
    }
  }
  return out;
}

void ConvertQuotes(WorkingList& list, StageContext& ctx) {
  if (!ctx.options.Flag(Opt::ConvertQuotes)) return;
  ctx.status.Task("SearchingForQuotes");
  for (std::size_t i = kFirstQuoteLine; i < list.size(); ++i) {
    const int tag = list.tag(i);
    if (tag == kTagComment || tag == kTagHtml || list.text(i).empty()) continue;
    if (list.text(i).find('"') == std::string::npos) continue;
    list.text(i) = QuotesInLine(std::move(list.text(i)));
  }
}

void ConvertDashes(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("SearchingForLines");
  if (!ctx.options.Flag(Opt::ConvertDashes)) return;
  const std::string run = NbspRun(ctx.options);
  for (std::size_t i = kFirstDashLine; i < list.size(); ++i) {
    if (list.tag(i) == kTagComment) continue;
    list.text(i) = DashesInLine(std::move(list.text(i)), run);
  }
}

void ConvertEllipses(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("SearchingForPoints");
  if (!ctx.options.Flag(Opt::ConvertThreePoints)) return;
  for (std::size_t i = kFirstEllipsisLine; i < list.size(); ++i)
    if (list.text(i).find("...") != std::string::npos) list.text(i) = EllipsesInLine(list.text(i));
}

}  // namespace norvella
