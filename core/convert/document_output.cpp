#include "core/convert/document_output.h"

#include "core/base/text.h"
#include "core/i18n/templates.h"
#include "core/settings/options.h"

namespace norvella {

void AddDocumentFrame(WorkingList& list, StageContext& ctx) {
  ctx.status.Task("AddingNewHeader");
  // Old head: up to and including the first "<body", looked for in all but
  // the last two lines.
  for (std::size_t i = 0; i + 2 < list.size(); ++i) {
    if (Contains(list.text(i), "<body")) {
      list.erase(0, i + 1);
      break;
    }
  }
  const DocumentProperties& doc = ctx.document;
  const HtmlTemplates& t = ctx.templates;
  std::string title = doc.coverImage.empty()
                          ? FormatTemplate(t.titleNoImage, {doc.shortTitle})
                          : FormatTemplate(t.titleImage, {doc.shortTitle, doc.coverImage});
  list.insert(0, std::move(title), kTagFinished);
  list.insert(0, FormatTemplate(t.header, {doc.author}), kTagFinished);

  ctx.status.Task("AddingCorrectEnd");
  // Old end: from the last line that is exactly "</body>", looked for from
  // the last line up to the fifth.
  for (std::size_t i = list.size(); i-- > 4;) {
    if (list.text(i) == "</body>") {
      list.erase(i, list.size() - i);
      break;
    }
  }
  list.push_back(t.end, kTagFinished);
}

void AddClosingComment(WorkingList& list, StageContext& ctx) {
  if (ctx.document.comment.empty() || list.empty()) return;
  list.insert(list.size() - 1, FormatTemplate(ctx.templates.comment, {ctx.document.comment}),
              kTagFinished);
}

std::string ComposeDocument(const std::vector<std::string>& lines, const Options& options,
                            const HtmlTemplates& templates) {
  return InsertFooter(JoinLines(lines), SaveFooter(options, templates));
}

}  // namespace norvella
