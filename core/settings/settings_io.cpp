#include "core/settings/settings_io.h"

#include <array>
#include <optional>

#include "core/base/cp1251.h"

namespace norvella {
namespace {

enum class How {
  Setter,   // through the option's setter
  Direct,   // a string stored without the setter's side effects
  HyphFont  // an empty text means the built-in font
};

struct LoadStep {
  Opt id;
  How how = How::Setter;
};

// The order in which the settings are read. It differs from the write order
// in a few places: each close tag is read before its open tag, whose setter
// may reset it, and the interface mode, the recent files and the reader
// state are read in their own places.
constexpr std::array<LoadStep, kOptionCount> kLoadOrder = {{
    {Opt::KillLinks},
    {Opt::KillGraph},
    {Opt::KillFormsScripts},
    {Opt::KillPreTags},
    {Opt::ConvertPToDiv},
    {Opt::ConvertBrToDiv},
    {Opt::AddNbsp},
    {Opt::LongStringsMin},
    {Opt::ShortStringsMax},
    {Opt::NumberOfNbsp},
    {Opt::SpacesAtStartToDiv},
    {Opt::DialogsToDiv},
    {Opt::EmptyLineToDiv},
    {Opt::UnderscoreToItalic},
    {Opt::DetectHeaders},
    {Opt::InsertHr},
    {Opt::CreateToc},
    {Opt::HeadCloseTag, How::Direct},
    {Opt::HeadStartTag},
    {Opt::ShowHtml},
    {Opt::WrapInSrc},
    {Opt::WrapInHtml},
    {Opt::ConfirmToc},
    {Opt::AskAboutTitle},
    {Opt::TrySplitTitle},
    {Opt::ConvertBracketText},
    {Opt::LoadSafely},
    {Opt::ParagraphEndTag, How::Direct},
    {Opt::ParagraphStartTag},
    {Opt::SrcFontName},
    {Opt::SrcFontSize},
    {Opt::Language},
    {Opt::HtmFontName},
    {Opt::HtmFontSize},
    {Opt::ConvertQuotes},
    {Opt::ConvertDashes},
    {Opt::ConvertThreePoints},
    {Opt::ActivePage},
    {Opt::InterfaceMode},
    {Opt::AskedAboutTitle},
    {Opt::AutoDetectTextFormat},
    {Opt::UseSourceEditor},
    {Opt::DetectTwoEmptyLines},
    {Opt::AddAuthorToTitle},
    {Opt::EmptyLinesReplaceWith},
    {Opt::DetectEpigraphs},
    {Opt::Hyphenate},
    {Opt::HyphFont, How::HyphFont},
    {Opt::OpenEpigraph},
    {Opt::CloseEpigraph},
    {Opt::ILikeOrientation},
    {Opt::HyphString},
    {Opt::WindowWidth},
    {Opt::WindowHeight},
    {Opt::PanelWidth},
    {Opt::PanelHeight},
    {Opt::PreserveBreaksInEpigraph},
    {Opt::IndependentBrowserWidth},
    {Opt::BrowserWidth},
    {Opt::LastReaderFileLower},
    {Opt::PreviousMode},
    {Opt::AutoscrollSpeed},
    {Opt::LastReadDocPos},
    {Opt::RecentReaderFile0},
    {Opt::RecentReaderFile1},
    {Opt::RecentReaderFile2},
    {Opt::RecentReaderFile3},
    {Opt::RecentReaderFile4},
    {Opt::RecentReaderFile5},
    {Opt::RecentReaderFile6},
    {Opt::RecentReaderFile7},
    {Opt::RecentReaderFile8},
    {Opt::RecentReaderFile9},
    {Opt::SaveReaderDocOnExit},
    {Opt::LastReaderFile},
    {Opt::OpenForReadingConverted},
    {Opt::OpenForEditingNotConverted},
    {Opt::AskAboutLargeFiles},
    {Opt::BrowserFontSize},
    {Opt::DefStyleFontName},
    {Opt::DefStyleFontSize},
    {Opt::DefStyleFontColor},
    {Opt::DefStyleBodyColor},
    {Opt::DefStyleActive},
    {Opt::AutobookmarksBehavior},
    {Opt::TurboScroll},
    {Opt::KillSpanTags},
    {Opt::KillFontTags},
    {Opt::KillStylesAndClasses},
    {Opt::LastEditOpenDir},
    {Opt::LastReadDir},
    {Opt::LastEditSaveDir},
    {Opt::LastEditSaveSrcDir},
    {Opt::TryToRestoreDirs},
    {Opt::ApplyReaderStyleForNewDocs},
}};

constexpr bool LoadsEveryOptionOnce() {
  std::array<int, kOptionCount> seen{};
  for (const auto& step : kLoadOrder) ++seen[static_cast<std::size_t>(step.id)];
  for (const int n : seen)
    if (n != 1) return false;
  return true;
}
static_assert(LoadsEveryOptionOnce(), "the load order must read every option exactly once");

// Reads one value; false stops the loading.
bool LoadOne(const RegKey& key, const LoadStep& step, Options& options) {
  const OptionInfo& info = Info(step.id);
  if (info.type != OptionType::String) {
    const std::optional<std::int32_t> n = key.ReadInteger(info.name);
    if (!n) return false;
    if (info.type == OptionType::Bool) {
      options.SetFlag(step.id, *n != 0);
    } else {
      options.SetNumber(step.id, *n);
    }
    return true;
  }
  std::string text;
  if (key.HasValue(info.name)) {
    std::optional<std::string> stored = key.ReadString(info.name);
    if (!stored) return false;  // stored with another type: unreadable as text
    text = std::move(*stored);
  }
  switch (step.how) {
    case How::Direct:
      options.StoreText(step.id, std::move(text));
      break;
    case How::HyphFont:
      options.SetText(step.id, text.empty() ? std::string(info.textDefault) : std::move(text));
      break;
    case How::Setter:
      options.SetText(step.id, std::move(text));
      break;
  }
  return true;
}

// Text from outside the core (a file path) as the store's UTF-8: kept when
// it already is UTF-8, else read as Windows-1251.
std::string NativeToUtf8(std::string_view text) {
  return IsValidUtf8(text) ? std::string(text) : Cp1251ToUtf8(text);
}

// Deletes the key at the path and then each key above it, as long as the
// one at hand has neither values nor subkeys.
void PruneEmptyKeys(Registry& registry, std::string path) {
  while (!path.empty()) {
    const RegKey* key = registry.Open(path);
    if (key != nullptr) {
      if (key->ValueCount() != 0 || key->SubKeyCount() != 0) return;
      registry.DeleteTree(path);
    }
    const auto slash = path.rfind('\\');
    path.resize(slash == std::string::npos ? 0 : slash);
  }
}

}  // namespace

std::string InitialPreviewPath(std::string_view temporaryFolder) {
  return std::string(temporaryFolder) + "$~$~marn_temp" + "9223372036854775807" + ".htm";
}

void LoadSettings(const Registry& registry, Options& options) {
  const RegKey* key = registry.Open(kSettingsKey);
  if (key == nullptr) return;  // first start: every option keeps its default
  for (const LoadStep& step : kLoadOrder)
    if (!LoadOne(*key, step, options)) return;
}

void RestoreEmptyDefaults(Options& options) {
  for (const Opt id : {Opt::EmptyLinesReplaceWith, Opt::OpenEpigraph, Opt::CloseEpigraph})
    if (options.Text(id).empty()) options.SetText(id, std::string(Info(id).textDefault));
}

void SaveSettings(Registry& registry, const Options& options, const SaveSettingsState& state) {
  RegKey& key = registry.Create(kSettingsKey);
  for (const OptionInfo& info : OptionTable()) {
    switch (info.id) {
      case Opt::LastEditOpenDir:
        if (!state.sourceOpenDialogHasFile) continue;
        break;
      case Opt::LastReadDir:
        if (!state.readerOpenDialogHasFile) continue;
        break;
      case Opt::LastEditSaveDir:
        if (!state.htmlSaveDialogHasFile) continue;
        break;
      case Opt::LastEditSaveSrcDir:
        if (!state.sourceSaveDialogHasFile) continue;
        break;
      default:
        break;
    }
    switch (info.type) {
      case OptionType::Bool:
        key.WriteInteger(info.name, options.Flag(info.id) ? 1 : 0);
        break;
      case OptionType::Int:
        key.WriteInteger(info.name, options.Number(info.id));
        break;
      case OptionType::String:
        key.WriteString(info.name, options.Text(info.id));
        break;
    }
  }

  RegKey& uninstall = registry.Create(kUninstallKey);
  uninstall.WriteString("DisplayName", kUninstallDisplayName);
  uninstall.SetUtf8(RegValue::String(
      "UninstallString", "\"" + NativeToUtf8(state.executablePath) + "\" /UNINSTALL"));
}

void RemoveStoredData(Registry& registry) {
  registry.DeleteTree(kSettingsKey);
  if (RegKey* maker = registry.Open(kMakerKey)) {
    if (const RegKey* program = maker->SubKey("Norvella");
        program != nullptr && program->SubKeyCount() == 0 && program->ValueCount() == 0)
      maker->DeleteSubKey("Norvella");
    if (maker->SubKeyCount() == 0 && maker->ValueCount() == 0) registry.DeleteTree(kMakerKey);
  }
  registry.DeleteTree(kUninstallKey);
  // The keys above the uninstall entry exist in this store only because the
  // entry was written there; "Software" goes too when nothing else is left.
  PruneEmptyKeys(registry, std::string(kUninstallKey));
}

TMyReg::TMyReg(const Registry& registry, std::string_view section)
    : key_(registry.Open(std::string(kSettingsKey) + "\\" + std::string(section))) {}

std::string TMyReg::ReadString(std::string_view defaultText, std::string_view name) const {
  if (key_ != nullptr) {
    std::optional<std::string> text = key_->ReadString(name);
    if (text && !text->empty()) return std::move(*text);
  }
  return std::string(defaultText);
}

}  // namespace norvella
