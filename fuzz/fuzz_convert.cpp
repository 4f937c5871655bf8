// The whole conversion, from raw bytes to the saved document text, through
// the same calls as the front ends. The first bytes choose the conversion
// options. Besides running without a
// crash, every input must keep the document frame: from the frame stage on,
// the working list begins with the head lines and ends with the end line
// after every stage, and the saved document holds one "</body>", after the
// body and the credit footer.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/base/text.h"
#include "core/book/book.h"
#include "core/convert/document_output.h"
#include "core/convert/driver.h"
#include "core/convert/simplify_html.h"
#include "core/convert/text_style.h"
#include "core/i18n/templates.h"
#include "core/source/source_loader.h"
#include "fuzz/fuzz_input.h"

using namespace norvella;

namespace {

// Stops the run with a message; libFuzzer keeps the input as a finding.
void Require(bool holds, const char* what, int row) {
  if (holds) return;
  std::fprintf(stderr, "frame broken after stage row %d: %s\n", row, what);
  std::abort();
}

// The frame: the head line and the title line that begin the list and the
// end line that closes it, as the templates make them. The text that the
// templates fill in (author, title) may be tidied by later stages; the
// template's own text before and after it may not change.
struct Frame {
  std::string_view head;
  std::string_view title;
  std::string_view end;

  void Check(const WorkingList& list, int row) const {
    Require(list.size() >= 3, "fewer than three lines", row);
    Matches(list[0], head, "the list no longer begins with the head line", row);
    Matches(list[1], title, "the title line is no longer the second line", row);
    Matches(list[list.size() - 1], end, "the list no longer ends with the end line", row);
  }

  static void Matches(const Line& line, std::string_view templ, const char* what, int row) {
    const std::size_t first = templ.find("%s");
    const std::size_t last = templ.rfind("%s");
    const std::string_view before = templ.substr(0, first);
    const std::string_view after = first == std::string_view::npos ? std::string_view() : templ.substr(last + 2);
    const std::string_view text = line.text;
    const bool same = first == std::string_view::npos
                          ? text == templ
                          : text.size() >= before.size() + after.size() && text.starts_with(before) &&
                                text.ends_with(after);
    if (same && line.tag == kTagFinished) return;
    std::fprintf(stderr, "template: %.*s\nline: %d %s\n", static_cast<int>(templ.size()), templ.data(),
                 line.tag, line.text.c_str());
    Require(false, what, row);
  }
};

// Occurrences of `needle` in `text` outside HTML comments: a comment of the
// source may hold anything and stays as it is.
std::size_t CountOutsideComments(std::string_view text, std::string_view needle) {
  std::size_t count = 0;
  std::size_t k = 0;
  while (k < text.size()) {
    const std::size_t comment = text.find("<!--", k);
    const std::size_t hit = text.find(needle, k);
    if (hit == std::string_view::npos) break;
    if (comment != std::string_view::npos && comment < hit) {
      const std::size_t close = text.find("-->", comment + 4);
      if (close == std::string_view::npos) break;
      k = close + 3;
      continue;
    }
    ++count;
    k = hit + needle.size();
  }
  return count;
}

}  // namespace

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

  // The same conversion stage by stage, checking the frame after each once
  // the frame stage has made it; it must end with the lines the one call
  // gave.
  const HtmlTemplates& templates = setup.templates;
  const Frame frame{templates.header, doc.coverImage.empty() ? templates.titleNoImage : templates.titleImage,
                    templates.end};
  StageContext ctx = BookContext(setup, doc, status, questions);
  WorkingList list = SimplifyHtml(SplitLines(loaded.text), ctx);
  bool framed = false;
  for (const StageRow& stage : StageTable()) {
    stage.run(list, ctx);
    framed = framed || stage.run == AddDocumentFrame;
    if (framed) frame.Check(list, stage.row);
  }
  constexpr int kSaved = 24;
  Require(framed, "no frame stage ran", 0);
  bool same = list.size() == book.lines.size();
  for (std::size_t k = 0; same && k < list.size(); ++k)
    same = list[k].text == book.lines[k].text && list[k].tag == book.lines[k].tag;
  Require(same, "the stages one by one differ from the one call", kSaved);

  // The saved document: the footer goes right before the one "</body>",
  // which comes after the head and the title.
  const std::string& document = book.document;
  const std::string footer = SaveFooter(options, templates);
  const std::size_t bodyEnd = document.rfind("</body>");
  Require(bodyEnd != std::string::npos, "the document has no \"</body>\"", kSaved);
  Require(CountOutsideComments(document, "</body>") == 1, "the document holds more than one \"</body>\"",
          kSaved);
  Require(bodyEnd >= list.text(0).size() + list.text(1).size() + footer.size() &&
              document.compare(bodyEnd - footer.size(), footer.size(), footer) == 0,
          "the footer does not stand between the body and its end", kSaved);
  return 0;
}
