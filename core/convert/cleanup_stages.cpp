#include "core/convert/cleanup_stages.h"

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {

void RemoveFormsAndScripts(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("RemovingFormsAndScripts");
  if (!ctx.options.Flag(Opt::KillFormsScripts)) return;
  // The document frame (the head lines and the end line, the only finished
  // lines at this point) is the program's own: it neither counts nor goes,
  // so an unclosed <form> or <script> of the source cannot take the end of
  // the document with it.
  int depth = 0;
  std::size_t i = 0;
  while (i < list.size()) {
    ctx.status.Progress(i, list.size());
    if (list.tag(i) == kTagFinished) {
      ++i;
      continue;
    }
    const std::string& text = list.text(i);
    if (Contains(text, "<form")) ++depth;
    if (Contains(text, "<script")) ++depth;
    const bool closesForm = Contains(text, "</form>");
    const bool closesScript = Contains(text, "</script>");
    if (closesForm) --depth;
    if (closesScript) --depth;
    if (depth >= 1 || closesForm || closesScript) list.erase(i);
    else ++i;
  }
}

void RemoveImages(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("RemovingImages");
  if (!ctx.options.Flag(Opt::KillGraph)) return;
  std::size_t i = 0;
  while (i < list.size()) {
    if (list.tag(i) < kTagFinished && Contains(list.text(i), "<img")) {
      list.erase(i);
      ctx.status.Progress(i, list.size());
    } else {
      ++i;
    }
  }
}

void RemoveLinks(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("RemovingLinks");
  if (!ctx.options.Flag(Opt::KillLinks)) return;
  std::size_t i = 0;
  while (i < list.size()) {
    const std::string& text = list.text(i);
    if (Contains(text, "<a") || Contains(text, "</a>")) {
      ctx.status.Progress(i, list.size());
      list.erase(i);
    } else {
      ++i;
    }
  }
}

namespace {

// A web server's "Last-modified: ... GMT" line, left in saved pages.
bool IsServerDateLine(const std::string& text) {
  if (!Contains(text, "Last-modified:")) return false;
  const auto gmt = text.find("GMT");
  return gmt != std::string::npos && gmt + 3 == text.size();
}

}  // namespace

void RemovePre(WorkingList& list, StageContext& ctx) {
  if (!ctx.options.Flag(Opt::KillPreTags)) return;
  ctx.status.Task("RemovingPre");
  std::size_t i = 0;
  while (i < list.size()) {
    const std::string& text = list.text(i);
    if (Contains(text, "<pre>") || Contains(text, "</pre>") || IsServerDateLine(text)) list.erase(i);
    else ++i;
  }
}

}  // namespace norvella
