// The whole conversion, from raw bytes to the saved document text, through
// the same calls as the front ends. The first bytes choose the conversion
// options.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/book/book.h"
#include "core/convert/text_style.h"
#include "core/source/source_loader.h"
#include "fuzz/fuzz_input.h"

using namespace norvella;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  BookSetup setup;
  Options& options = setup.options;
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

  NullObserver observer;
  StatusReporter status(observer, setup.strings);
  SourceQuestions questions;
  DocumentProperties doc;
  SourceState state;
  SourceLoadContext load{options, setup.strings, doc, state, questions, &status};
  // Taken as Windows-1251, as the text reaches the stages.
  const LoadResult loaded = LoadSourceBytes(std::string(in.Rest()), "book.txt", SourceEncoding::kCp1251, load);
  if (size % 3 == 0) doc.comment = "c";
  const Book book = ConvertBook(loaded.text, setup, doc, status, questions);
  (void)book;
  return 0;
}
