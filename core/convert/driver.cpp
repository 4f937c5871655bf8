#include "core/convert/driver.h"

#include "core/convert/cleanup_stages.h"
#include "core/convert/contents.h"
#include "core/convert/document_output.h"
#include "core/convert/headers.h"
#include "core/convert/inline_markup.h"
#include "core/convert/paragraphs.h"
#include "core/convert/simplify_html.h"
#include "core/convert/strip_tags.h"
#include "core/convert/typography.h"
#include "core/convert/hyphenate.h"

namespace norvella {

const std::vector<StageRow>& StageTable() {
  static const std::vector<StageRow> table = {
      {2, AddDocumentFrame},
      {3, RemoveFormsAndScripts},
      {4, RemoveImages},
      {5, RemoveLinks},
      {6, RemovePre},
      {7, RemoveSpanTags},
      {8, RemoveFontTags},
      {9, RemoveStylesAndClasses},
      {10, DetectItalic},
      {11, DetectUpperIndex},
      {12, ConvertQuotes},
      {13, DetectHeaders},
      {14, DetectEpigraphs},
      {15, DetectExistingParagraphs},
      {16, CreateParagraphs},
      {17, RemoveUnneededText},
      {18, ConvertDashes},
      {19, ConvertEllipses},
      {20, InsertPageRules},
      {21, CreateContents},
      {22, AddClosingComment},
      {23, HyphenateParagraphs},
  };
  return table;
}

WorkingList RunConversion(std::vector<std::string> sourceLines, StageContext& ctx) {
  WorkingList list = SimplifyHtml(std::move(sourceLines), ctx);
  for (const StageRow& stage : StageTable()) stage.run(list, ctx);
  return list;
}

bool ConversionDriver::ConvertText(std::vector<std::string>& sourceLines, StageContext& ctx) {
  if (converted_) return false;
  WorkingList list = RunConversion(std::move(sourceLines), ctx);
  sourceLines.clear();
  result_ = std::move(list);
  converted_ = true;
  ctx.status.Ready();
  return true;
}

}  // namespace norvella
