#include "core/convert/strip_tags.h"

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

// Comments and finished lines are protected from the stripping stages.
bool Protected(int tag) { return tag >= kTagFinished; }

// Whether a text line starts with the closing tag, in any letter case (the
// split keeps inline closing tags as written).
bool StartsWithClosing(const std::string& text, std::string_view closing) {
  if (text.size() < closing.size()) return false;
  for (std::size_t k = 0; k < closing.size(); ++k)
    if (LowerChar(text[k]) != closing[k]) return false;
  return true;
}

}  // namespace

void RemoveSpanTags(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("RemovingSpan");
  if (!ctx.options.Flag(Opt::KillSpanTags)) return;
  std::size_t i = 0;
  while (i < list.size()) {
    const std::string& text = list.text(i);
    if (!Protected(list.tag(i)) && (Contains(text, "<span") || Contains(text, "</span>"))) {
      list.erase(i);
      ctx.status.Progress(i, list.size());
    } else {
      ++i;
    }
  }
}

void RemoveFontTags(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("RemovingFont");
  if (!ctx.options.Flag(Opt::KillFontTags)) return;
  static constexpr std::string_view kClose = "</font>";
  std::size_t i = 0;
  while (i < list.size()) {
    std::string& text = list.text(i);
    if (Protected(list.tag(i))) {
      ++i;
      continue;
    }
    if (list.tag(i) == kTagText && StartsWithClosing(text, kClose) && text.size() > kClose.size()) {
      // The closing tag at the start of a text keeps the text after it.
      text.erase(0, kClose.size());
      ctx.status.Progress(i, list.size());
      ++i;
      continue;
    }
    if (Contains(text, "<font") || Contains(text, kClose) || StartsWithClosing(text, kClose)) {
      list.erase(i);
      ctx.status.Progress(i, list.size());
    } else {
      ++i;
    }
  }
}

void RemoveAttribute(std::string& line, std::size_t at) {
  std::size_t p = line.find('=', at);
  if (p == std::string::npos) return;
  ++p;
  while (p < line.size() && line[p] == ' ') ++p;
  if (p >= line.size() || line[p] == '>') {
    // "name=" with no value: only the name and "=" go, the tag stays closed.
    line.erase(at, p - at);
    return;
  }
  const char q = line[p++];
  const char endChar = (q == '"' || q == '\'') ? q : ' ';
  while (p < line.size() && line[p] != endChar && line[p] != '>') ++p;
  if (p < line.size() && line[p] != '>') ++p;
  line.erase(at, p - at);
}

void RemoveStylesAndClasses(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("RemovingStylesheets");
  if (!ctx.options.Flag(Opt::KillStylesAndClasses)) return;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list.tag(i) != kTagHtml) continue;
    ctx.status.Progress(i, list.size());
    std::string& text = list.text(i);
    if (const auto at = text.find("style="); at != std::string::npos) RemoveAttribute(text, at);
    if (const auto at = text.find("class="); at != std::string::npos) RemoveAttribute(text, at);
  }
}

}  // namespace norvella
