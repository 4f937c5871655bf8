#include "core/convert/title.h"

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {

void FindTitle(std::string_view text, DocumentProperties& doc, StatusReporter* status) {
  if (status != nullptr) status->Task("SearchingForTitle");
  const std::string_view sample =
      text.size() >= 3000 ? text.substr(0, 3000) : text.substr(0, text.empty() ? 0 : text.size() - 1);
  const std::string lower = LowerCase(sample);

  static constexpr std::string_view kAuthorMeta = "<meta name=\"author\" content=\"";
  if (const auto at = lower.find(kAuthorMeta); at != std::string::npos) {
    const std::size_t from = at + kAuthorMeta.size();
    const auto quote = lower.find('"', from);
    doc.author = quote == std::string::npos ? std::string() : std::string(sample.substr(from, quote - from));
  }
  static constexpr std::string_view kTitleOpen = "<title>";
  if (const auto at = lower.find(kTitleOpen); at != std::string::npos) {
    const std::size_t from = at + kTitleOpen.size();
    const auto close = lower.find("</title>", from);
    doc.title = close == std::string::npos ? std::string() : std::string(sample.substr(from, close - from));
  }
}

void SplitTitle(DocumentProperties& doc, const Options& options) {
  if (!options.Flag(Opt::TrySplitTitle) || !doc.author.empty()) return;
  const auto stop = doc.title.find('.');
  if (stop == std::string::npos) return;
  doc.author = doc.title.substr(0, stop);
  doc.title = stop + 2 <= doc.title.size() ? doc.title.substr(stop + 2) : std::string();
}

std::string Transliterate(std::string_view text) {
  static constexpr std::string_view kCapitals = "ABVGDESZIJKLMNOPRSTUFHCCHH'I_AUJ";
  static constexpr std::string_view kSmall = "abvgdeszijklmnoprstufhcchh'i_avj";
  static_assert(kCapitals.size() == 32 && kSmall.size() == 32);
  std::string out(text);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0xC0 && u <= 0xDF) c = kCapitals[u - 0xC0];
    else if (u >= 0xE0) c = kSmall[u - 0xE0];
  }
  return out;
}

std::string MakeShortTitle(const DocumentProperties& doc, bool addAuthor) {
  const std::string full = addAuthor ? doc.author + " " + doc.title : doc.title;
  return Transliterate(std::string_view(full).substr(0, 35));
}

void DetectDocumentTitle(std::string_view text, DocumentProperties& doc, Options& options,
                         ConversionQuestions& questions, StatusReporter* status) {
  FindTitle(text, doc, status);
  SplitTitle(doc, options);
  doc.shortTitle = MakeShortTitle(doc, options.Flag(Opt::AddAuthorToTitle));
  if (options.Flag(Opt::AskAboutTitle)) {
    bool addAuthor = options.Flag(Opt::AddAuthorToTitle);
    if (questions.AskTitle(doc, addAuthor)) options.SetFlag(Opt::AddAuthorToTitle, addAuthor);
  }
}

}  // namespace norvella
