#include "core/settings/options.h"

#include <charconv>

#include "core/base/text.h"

namespace norvella {
namespace {

using T = OptionType;

constexpr OptionInfo B(Opt id, std::string_view name, bool def) {
  return {id, name, T::Bool, def ? 1 : 0, {}};
}
constexpr OptionInfo I(Opt id, std::string_view name, int def) {
  return {id, name, T::Int, def, {}};
}
constexpr OptionInfo S(Opt id, std::string_view name, std::string_view def) {
  return {id, name, T::String, 0, def};
}

constexpr std::string_view kSixOpenQuotes =
    "<blockquote><blockquote><blockquote><blockquote><blockquote><blockquote>";
constexpr std::string_view kSixCloseQuotes =
    "</blockquote></blockquote></blockquote></blockquote></blockquote></blockquote>";

constexpr std::array<OptionInfo, kOptionCount> kTable = {{
    B(Opt::KillLinks, "KillLinks", true),
    B(Opt::KillGraph, "KillGraph", true),
    B(Opt::KillFormsScripts, "KillForms-Scripts", true),
    B(Opt::KillPreTags, "Kill Pre Tags", true),
    B(Opt::ConvertPToDiv, "Convert P to DIV", true),
    B(Opt::ConvertBrToDiv, "Convert BR to DIV", true),
    B(Opt::AddNbsp, "Add NBSP", true),
    I(Opt::LongStringsMin, "Londg strings min", 80),
    I(Opt::ShortStringsMax, "Short strings max", 80),
    I(Opt::NumberOfNbsp, "Nimber of nbsp", 2),
    B(Opt::SpacesAtStartToDiv, "Spasces at start to div", true),
    B(Opt::DialogsToDiv, "Dialogs to div", true),
    B(Opt::EmptyLineToDiv, "Empty line ti div", true),
    B(Opt::UnderscoreToItalic, "__ to italic", true),
    B(Opt::DetectHeaders, "Detect headers", true),
    B(Opt::InsertHr, "Insert <hr>", true),
    B(Opt::CreateToc, "Create table of content", true),
    S(Opt::HeadStartTag, "Head string start tag", "<h1 align=\"center\">"),
    S(Opt::HeadCloseTag, "Head string close tag", "</h1>"),
    B(Opt::ShowHtml, "Show HTML", false),
    B(Opt::WrapInSrc, "Wrap in src", false),
    B(Opt::WrapInHtml, "Wrap in HTML", false),
    B(Opt::ConfirmToc, "Confirm table of content", true),
    B(Opt::AskAboutTitle, "Ask about title", true),
    B(Opt::TrySplitTitle, "Try split title", true),
    B(Opt::ConvertBracketText, "Convert [text]", true),
    B(Opt::LoadSafely, "Load safely", false),
    S(Opt::ParagraphEndTag, "Paragraph end tag", "</div>"),
    S(Opt::ParagraphStartTag, "Paragraph start tag", ""),
    S(Opt::SrcFontName, "Src font name", "Courier New"),
    I(Opt::SrcFontSize, "Src font size", 13),
    I(Opt::Language, "language", 34),
    I(Opt::ActivePage, "Active page", 0),
    B(Opt::ConvertQuotes, "Convert Qoutes", true),
    B(Opt::ConvertDashes, "Convert Defis", true),
    B(Opt::ConvertThreePoints, "Convert tree points", true),
    S(Opt::HtmFontName, "HTM font name", "Courier New"),
    I(Opt::HtmFontSize, "HTM font size", 13),
    I(Opt::InterfaceMode, "Interface mode", 0),
    B(Opt::AskedAboutTitle, "Asked about title", false),
    B(Opt::AutoDetectTextFormat, "AutoDetect text format", true),
    B(Opt::UseSourceEditor, "Use Source editor", false),
    I(Opt::DetectTwoEmptyLines, "Detect two empty lines", 2),
    B(Opt::AddAuthorToTitle, "Add autor to title", true),
    S(Opt::EmptyLinesReplaceWith, "Empty lines replace with", "<br>"),
    B(Opt::DetectEpigraphs, "Detect Epigraphs", false),
    B(Opt::Hyphenate, "Hyphenate", false),
    S(Opt::HyphFont, "Hyph font", "ThielVerdana 1.2 small"),
    B(Opt::ILikeOrientation, "I-like orientation", true),
    S(Opt::HyphString, "Hyph string", "-"),
    S(Opt::OpenEpigraph, "OpenEpigraph", kSixOpenQuotes),
    S(Opt::CloseEpigraph, "CLoseEpigraph", kSixCloseQuotes),
    I(Opt::WindowWidth, "Window Width", 603),
    I(Opt::WindowHeight, "Window Height", 363),
    I(Opt::PanelWidth, "Panel Width", 250),
    I(Opt::PanelHeight, "Panel Height", 286),
    B(Opt::PreserveBreaksInEpigraph, "Preserve breaks in epigraph", false),
    B(Opt::IndependentBrowserWidth, "Independent Browser Width", false),
    I(Opt::BrowserWidth, "Browser Width", 457),
    S(Opt::LastReaderFileLower, "last reader file", ""),
    I(Opt::PreviousMode, "Previous mode", 1),
    I(Opt::AutoscrollSpeed, "Autoscroll speed", 60),
    B(Opt::SaveReaderDocOnExit, "Save reader doc on exit", false),
    S(Opt::LastReaderFile, "Last reader file", ""),
    I(Opt::BrowserFontSize, "Browser forn size", 2),
    B(Opt::TryToRestoreDirs, "Try to restore dirs", true),
    I(Opt::LastReadDocPos, "Last readed doc pos", 0),
    S(Opt::RecentReaderFile0, "Recent reader file 0", ""),
    S(Opt::RecentReaderFile1, "Recent reader file 1", ""),
    S(Opt::RecentReaderFile2, "Recent reader file 2", ""),
    S(Opt::RecentReaderFile3, "Recent reader file 3", ""),
    S(Opt::RecentReaderFile4, "Recent reader file 4", ""),
    S(Opt::RecentReaderFile5, "Recent reader file 5", ""),
    S(Opt::RecentReaderFile6, "Recent reader file 6", ""),
    S(Opt::RecentReaderFile7, "Recent reader file 7", ""),
    S(Opt::RecentReaderFile8, "Recent reader file 8", ""),
    S(Opt::RecentReaderFile9, "Recent reader file 9", ""),
    I(Opt::OpenForReadingConverted, "Open for reading converted", 0),
    I(Opt::OpenForEditingNotConverted, "Open for editing not converted", 0),
    B(Opt::AskAboutLargeFiles, "Ask about large files", true),
    S(Opt::DefStyleFontName, "Def style font name", ""),
    S(Opt::DefStyleFontSize, "Def style font size", ""),
    S(Opt::DefStyleFontColor, "Def style font color", ""),
    S(Opt::DefStyleBodyColor, "Def style body color", ""),
    B(Opt::DefStyleActive, "Def style active", false),
    I(Opt::AutobookmarksBehavior, "Authobookmarks behavior", 0),
    B(Opt::TurboScroll, "Toorboscroll", false),
    B(Opt::KillSpanTags, "Kill span tags", true),
    B(Opt::KillFontTags, "Kill font tags", false),
    B(Opt::KillStylesAndClasses, "Kill styles and classes", true),
    S(Opt::LastEditOpenDir, "Last edit open dir", ""),
    S(Opt::LastReadDir, "Last read dir", ""),
    S(Opt::LastEditSaveDir, "Last edit save dir", ""),
    S(Opt::LastEditSaveSrcDir, "Last edit save src dir", ""),
    B(Opt::ApplyReaderStyleForNewDocs, "Apply reader style for new docs", true),
}};

constexpr bool TableInEnumOrder() {
  for (std::size_t i = 0; i < kTable.size(); ++i)
    if (static_cast<std::size_t>(kTable[i].id) != i) return false;
  return true;
}
static_assert(TableInEnumOrder(), "option table rows must follow the Opt order");

bool ParseBool(std::string_view v, bool& out) {
  const std::string s = LowerCase(v);
  if (s == "on" || s == "1" || s == "true" || s == "yes") {
    out = true;
    return true;
  }
  if (s == "off" || s == "0" || s == "false" || s == "no") {
    out = false;
    return true;
  }
  return false;
}

bool ParseInt(std::string_view v, int& out) {
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
  return ec == std::errc() && end == v.data() + v.size() && !v.empty();
}

}  // namespace

const std::array<OptionInfo, kOptionCount>& OptionTable() { return kTable; }

const OptionInfo& Info(Opt id) { return kTable[static_cast<std::size_t>(id)]; }

const OptionInfo* FindOption(std::string_view name) {
  for (const auto& info : kTable)
    if (info.name == name) return &info;
  const std::string lower = LowerCase(name);
  for (const auto& info : kTable)
    if (LowerCase(info.name) == lower) return &info;
  return nullptr;
}

Options::Options() {
  for (const auto& info : kTable) {
    ints_[Index(info.id)] = info.intDefault;
    texts_[Index(info.id)] = std::string(info.textDefault);
  }
}

void Options::Notify(Opt id) {
  if (listener_ != nullptr) listener_->OptionChanged(id);
}

void Options::SetFlag(Opt id, bool value) {
  ints_[Index(id)] = value ? 1 : 0;
  Notify(id);
}

void Options::SetNumber(Opt id, int value) {
  // Changing the interface mode remembers the mode being left, unless that
  // is the reader, so that leaving the reader returns to it.
  if (id == Opt::InterfaceMode && value != Number(id) && Number(id) != kReaderMode)
    SetNumber(Opt::PreviousMode, Number(id));
  ints_[Index(id)] = value;
  Notify(id);
}

void Options::StoreText(Opt id, std::string value) {
  texts_[Index(id)] = std::move(value);
  Notify(id);
}

void Options::SetText(Opt id, std::string value) {
  // An empty custom open tag switches the custom tag off and brings back the
  // built-in close tag that goes with the built-in open tag.
  if (value.empty()) {
    if (id == Opt::HeadStartTag) StoreText(Opt::HeadCloseTag, "</h1>");
    if (id == Opt::ParagraphStartTag) StoreText(Opt::ParagraphEndTag, "</div>");
  }
  StoreText(id, std::move(value));
}

bool Options::SetFromText(std::string_view name, std::string_view value, std::string* error) {
  const OptionInfo* info = FindOption(name);
  auto fail = [&](std::string reason) {
    if (error != nullptr) *error = std::move(reason);
    return false;
  };
  if (info == nullptr) return fail("unknown option \"" + std::string(name) + "\"");
  switch (info->type) {
    case OptionType::Bool: {
      bool b = false;
      if (!ParseBool(value, b))
        return fail("option \"" + std::string(info->name) + "\" takes on or off, not \"" +
                    std::string(value) + "\"");
      SetFlag(info->id, b);
      return true;
    }
    case OptionType::Int: {
      int n = 0;
      if (!ParseInt(value, n))
        return fail("option \"" + std::string(info->name) + "\" takes a whole number, not \"" +
                    std::string(value) + "\"");
      SetNumber(info->id, n);
      return true;
    }
    case OptionType::String:
      SetText(info->id, std::string(value));
      return true;
  }
  return fail("unsupported option type");
}

}  // namespace norvella
