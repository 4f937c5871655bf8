#include "core/fonts/font_widths.h"

#include <algorithm>
#include <climits>

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

// The width of code 255 ("я"), which the stored tables do not cover.
constexpr std::uint8_t kLastCodeWidth = 8;

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  return true;
}

int LineWidthFrom(std::uint32_t stored) {
  return stored > static_cast<std::uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(stored);
}

void ApplyLineWidth(const FontKeyValues& key, bool vertical, ActiveFontWidths& widths) {
  const std::optional<std::uint32_t>& stored = vertical ? key.shortWidth : key.longWidth;
  if (stored) widths.hyphLineWidth = LineWidthFrom(*stored);
}

void SpaceWidthForControlCodes(ActiveFontWidths& widths) {
  std::fill(widths.activeCharWidths.begin(), widths.activeCharWidths.begin() + kFirstStoredCode,
            widths.activeCharWidths[kFirstStoredCode]);
}

}  // namespace

const ActiveFontWidths& BuiltinActiveFontWidths() {
  static const ActiveFontWidths widths = [] {
    ActiveFontWidths w;
    const FontTable& font = BuiltinFonts().front();
    std::copy(font.charWidths.begin(), font.charWidths.end(),
              w.activeCharWidths.begin() + kFirstStoredCode);
    w.activeCharWidths[255] = kLastCodeWidth;
    SpaceWidthForControlCodes(w);
    w.hyphLineWidth = kInitialLineWidth;
    return w;
  }();
  return widths;
}

FontKeyValues StoredValuesOf(const FontTable& font) {
  FontKeyValues values;
  values.charWidths.emplace(font.charWidths.begin(), font.charWidths.end());
  values.shortWidth = kBuiltinShortWidth;
  values.longWidth = kBuiltinLongWidth;
  return values;
}

void ApplyCharWidths(const std::vector<std::uint8_t>& stored, ActiveFontWidths& widths) {
  const std::size_t count = std::min(stored.size(), kMaxReadWidthCount);
  std::copy_n(stored.begin(), count, widths.activeCharWidths.begin() + kFirstStoredCode);
  SpaceWidthForControlCodes(widths);
}

bool MemoryFontStore::Caseless::operator()(std::string_view a, std::string_view b) const {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(LowerChar(a[i]));
    const auto cb = static_cast<unsigned char>(LowerChar(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

std::vector<std::string> MemoryFontStore::FontNames() {
  std::vector<std::string> names;
  names.reserve(fonts_.size());
  for (const auto& entry : fonts_) names.push_back(entry.first);
  return names;
}

std::optional<FontKeyValues> MemoryFontStore::ReadFont(std::string_view name, bool create) {
  auto it = fonts_.find(name);
  if (it != fonts_.end()) return it->second;
  if (!create) return std::nullopt;
  fonts_.emplace(std::string(name), FontKeyValues{});
  return FontKeyValues{};
}

void MemoryFontStore::WriteFont(std::string_view name, const FontKeyValues& values) {
  auto it = fonts_.find(name);
  if (it == fonts_.end()) it = fonts_.emplace(std::string(name), FontKeyValues{}).first;
  if (values.charWidths) it->second.charWidths = values.charWidths;
  if (values.shortWidth) it->second.shortWidth = values.shortWidth;
  if (values.longWidth) it->second.longWidth = values.longWidth;
}

bool MemoryFontStore::DeleteFont(std::string_view name) {
  auto it = fonts_.find(name);
  if (it == fonts_.end()) return false;
  fonts_.erase(it);
  return true;
}

void WriteDefaultFontWidths(FontStore& store) {
  for (const FontTable& font : BuiltinFonts()) store.WriteFont(font.name, StoredValuesOf(font));
}

void LoadFontWidths(FontStore& store, const Options& options, ActiveFontWidths& widths) {
  const std::vector<std::string> stored = store.FontNames();
  const bool allThere = std::all_of(BuiltinFonts().begin(), BuiltinFonts().end(), [&](const FontTable& font) {
    return std::any_of(stored.begin(), stored.end(),
                       [&](const std::string& name) { return SameName(name, font.name); });
  });
  if (!allThere) WriteDefaultFontWidths(store);

  const std::string& chosen = options.Text(Opt::HyphFont);
  if (chosen == kEveryBreakFont) return;
  std::optional<FontKeyValues> key = store.ReadFont(chosen, /*create=*/true);
  if (!key) return;
  if (!key->charWidths) {
    // Repair the built-in fonts and go on with the table as it was; the line
    // width comes from the key as it is after the repair.
    WriteDefaultFontWidths(store);
    key = store.ReadFont(chosen, /*create=*/false);
  } else {
    ApplyCharWidths(*key->charWidths, widths);
  }
  SpaceWidthForControlCodes(widths);
  if (key) ApplyLineWidth(*key, options.Flag(Opt::ILikeOrientation), widths);
}

void LoadBuiltinFontWidths(const Options& options, ActiveFontWidths& widths) {
  MemoryFontStore fonts;
  LoadFontWidths(fonts, options, widths);
}

void ReloadFontWidths(FontStore& store, const Options& options, ActiveFontWidths& widths) {
  const std::string& chosen = options.Text(Opt::HyphFont);
  if (chosen == kEveryBreakFont) return;
  const std::optional<FontKeyValues> key = store.ReadFont(chosen, /*create=*/false);
  if (!key) return;
  if (key->charWidths) ApplyCharWidths(*key->charWidths, widths);
  ApplyLineWidth(*key, options.Flag(Opt::ILikeOrientation), widths);
}

}  // namespace norvella
