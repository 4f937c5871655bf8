#include "core/i18n/option_nodes.h"

#include <algorithm>

#include "core/i18n/strings.h"

namespace norvella {

std::optional<int> OptionNodeIcon(Opt id, const Options& options) {
  auto icon = [](bool on) { return on ? kIconOn : kIconOff; };
  switch (id) {
    case Opt::LongStringsMin:
      return icon(options.LongStringsOn());
    case Opt::ShortStringsMax:
      return icon(options.ShortStringsOn());
    case Opt::DetectTwoEmptyLines:
      return icon(options.Number(id) > 0);
    case Opt::HeadStartTag:
    case Opt::ParagraphStartTag:
      return icon(!options.Text(id).empty());
    case Opt::KillLinks:
    case Opt::KillGraph:
    case Opt::KillFormsScripts:
    case Opt::KillPreTags:
    case Opt::KillSpanTags:
    case Opt::KillFontTags:
    case Opt::KillStylesAndClasses:
    case Opt::ConvertPToDiv:
    case Opt::ConvertBrToDiv:
    case Opt::AddNbsp:
    case Opt::SpacesAtStartToDiv:
    case Opt::DialogsToDiv:
    case Opt::EmptyLineToDiv:
    case Opt::DetectEpigraphs:
    case Opt::TryToRestoreDirs:
    case Opt::DetectHeaders:
    case Opt::InsertHr:
    case Opt::CreateToc:
    case Opt::UnderscoreToItalic:
    case Opt::ConvertBracketText:
    case Opt::ConvertQuotes:
    case Opt::ConvertDashes:
    case Opt::ConvertThreePoints:
    case Opt::WrapInSrc:
    case Opt::WrapInHtml:
    case Opt::ShowHtml:
    case Opt::UseSourceEditor:
    case Opt::IndependentBrowserWidth:
    case Opt::ConfirmToc:
    case Opt::AskAboutTitle:
    case Opt::TrySplitTitle:
    case Opt::LoadSafely:
    case Opt::Hyphenate:
      return icon(options.Flag(id));
    default:
      return std::nullopt;
  }
}

std::optional<std::string> OptionNodeCaption(Opt id, const Options& options, const StringTable& strings) {
  switch (id) {
    case Opt::LongStringsMin:
      return strings.Get(kTree, kTreeLongerPrefix) +
             (options.LongStringsOn() ? std::to_string(options.Number(id)) : "80");
    case Opt::ShortStringsMax:
      return strings.Get(kTree, kTreeShorterPrefix) +
             (options.ShortStringsOn() ? std::to_string(options.Number(id)) : "80");
    case Opt::DetectTwoEmptyLines: {
      // The tree's caption starts with the number 2; when on, the option's
      // number takes its place, so a localised caption keeps its words.
      const std::string& caption = strings.Get(kTree, "26");
      if (options.Number(id) <= 0) return caption;
      const std::size_t digits = std::min(caption.find_first_not_of("0123456789"), caption.size());
      const std::string number = std::to_string(options.Number(id));
      return digits == 0 ? number + " " + caption : number + caption.substr(digits);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace norvella
