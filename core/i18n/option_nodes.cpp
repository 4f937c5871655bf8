#include "core/i18n/option_nodes.h"

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
    case Opt::DetectTwoEmptyLines:
      return options.Number(id) > 0 ? std::to_string(options.Number(id)) + " and more empty lines to <br>"
                                    : std::string("2 and more empty lines to <br>");
    default:
      return std::nullopt;
  }
}

}  // namespace norvella
