// The whole conversion, from raw bytes to the saved document text. The
// first bytes choose the conversion options.

#include <cstddef>
#include <cstdint>

#include "core/base/text.h"
#include "core/convert/document_output.h"
#include "core/convert/driver.h"
#include "core/convert/text_style.h"
#include "core/convert/title.h"
#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/settings/options.h"
#include "fuzz/fuzz_input.h"

using namespace norvella;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  Options options;
  // Every Boolean option that a conversion reads.
  for (const auto& info : OptionTable())
    if (info.type == OptionType::Bool) options.SetFlag(info.id, in.Bit());
  const std::uint8_t style = in.Byte();
  if (style < 3) ApplyTextStyle(options, style);
  const std::uint8_t lengths = in.Byte();
  if (lengths & 1) options.SetNumber(Opt::LongStringsMin, lengths);
  if (lengths & 2) options.SetNumber(Opt::ShortStringsMax, lengths >> 2);
  options.SetNumber(Opt::NumberOfNbsp, in.Byte() % 4);
  options.SetNumber(Opt::DetectTwoEmptyLines, static_cast<int>(in.Byte() % 4) - 1);
  // The one non-interactive run: no questions.
  options.SetFlag(Opt::AskAboutTitle, false);

  const std::string_view text = in.Rest();
  const StringTable strings;
  const HtmlTemplates templates;
  NullObserver observer;
  StatusReporter status(observer, strings);
  ConversionQuestions questions;
  DocumentProperties doc;
  DetectDocumentTitle(text, doc, options, questions, &status);
  if (options.Flag(Opt::AutoDetectTextFormat)) ApplyTextStyle(options, DetectTextStyle(text));
  if (size % 3 == 0) doc.comment = "c";
  StageContext ctx{options, strings, templates, doc, status, questions};
  WorkingList result = RunConversion(SplitLines(text), ctx);
  const std::string document = ComposeDocument(result.texts(), options, templates);
  (void)document;
  return 0;
}
