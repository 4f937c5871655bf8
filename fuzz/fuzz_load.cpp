// Source loading with encoding detection, from the raw bytes of a file
// (the file itself is not involved). The
// first byte chooses the open filter, the next ones the load's options and
// the answers to its questions.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/i18n/strings.h"
#include "core/settings/options.h"
#include "core/source/source_loader.h"
#include "fuzz/fuzz_input.h"

using namespace norvella;

namespace {

class ScriptedQuestions final : public SourceQuestions {
 public:
  explicit ScriptedQuestions(fuzz::FuzzInput& in) : yes_(in.Bit()) {}
  bool ConvertEncoding(const EncodingQuestion&) override { return yes_; }

 private:
  bool yes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput in(data, size);
  const auto encoding = static_cast<SourceEncoding>(in.Byte() % 5);
  Options options;
  options.SetFlag(Opt::AskAboutTitle, false);
  options.SetFlag(Opt::AskAboutLargeFiles, in.Bit());
  options.SetFlag(Opt::TrySplitTitle, in.Bit());
  options.SetFlag(Opt::AutoDetectTextFormat, in.Bit());
  options.SetNumber(Opt::OpenForReadingConverted, in.Byte() % 3);
  ScriptedQuestions questions(in);

  const StringTable strings;
  DocumentProperties doc;
  SourceState state;
  SourceLoadContext ctx{options, strings, doc, state, questions, nullptr};
  const LoadResult result = LoadSourceBytes(std::string(in.Rest()), "book.txt", encoding, ctx);
  (void)result;
  return 0;
}
