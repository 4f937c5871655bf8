#include "core/reader/reader_style.h"

#include <algorithm>
#include <array>

#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/settings/options.h"

namespace norvella {

ReaderStyle LastStyle(const Options& options) {
  return {options.Text(Opt::DefStyleFontName), options.Text(Opt::DefStyleFontSize),
          options.Text(Opt::DefStyleFontColor), options.Text(Opt::DefStyleBodyColor)};
}

void SetLastStyle(Options& options, const ReaderStyle& style) {
  options.SetText(Opt::DefStyleFontName, style.fontName);
  options.SetText(Opt::DefStyleFontSize, style.fontSize);
  options.SetText(Opt::DefStyleFontColor, style.textColor);
  options.SetText(Opt::DefStyleBodyColor, style.bodyColor);
}

ReaderStyle FixedScheme(int tag) {
  switch (tag) {
    case kYellowSchemeTag: return {"Verdana", "", "Yellow", "Black"};
    case kGreenSchemeTag: return {"Verdana", "", "Lime", "Black"};
    default: return {};
  }
}

std::vector<BodyStyleSetting> ChosenStyleSettings(const ReaderStyle& style) {
  std::vector<BodyStyleSetting> settings = {
      {"color", style.textColor}, {"backgroundColor", style.bodyColor}, {"fontFamily", style.fontName}};
  if (!style.fontSize.empty()) settings.push_back({"fontSize", style.fontSize});
  return settings;
}

std::vector<BodyStyleSetting> RememberedStyleSettings(const ReaderStyle& style) {
  std::vector<BodyStyleSetting> settings;
  for (const BodyStyleSetting& s : {BodyStyleSetting{"fontFamily", style.fontName},
                                    BodyStyleSetting{"color", style.textColor},
                                    BodyStyleSetting{"fontSize", style.fontSize},
                                    BodyStyleSetting{"backgroundColor", style.bodyColor}})
    if (!s.value.empty()) settings.push_back(s);
  return settings;
}

std::vector<BodyStyleSetting> NoStyleSettings() { return {{"cssText", ""}}; }

std::string ColorToHtml(int red, int green, int blue) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "#";
  for (int component : {red, green, blue}) {
    component = std::clamp(component, 0, 255);
    text += kDigits[component / 16];
    text += kDigits[component % 16];
  }
  return text;
}

std::string ApplyStyleStatus(const StringTable& strings, const ReaderStyle& style) {
  return strings.Process("CurrentTask") +
         FormatTemplate(strings.Process("ApplyStyle"),
                        {style.fontName, style.fontSize, style.textColor, style.bodyColor});
}

int ClampTextSize(int level) { return std::clamp(level, kSmallestTextSize, kLargestTextSize); }

int FontSizeLevelFromTag(int tag, int currentLevel) {
  if (tag < kLargestTextSize + 1) return ClampTextSize(tag);
  return ClampTextSize(tag + ClampTextSize(currentLevel) - 100);
}

double TextSizeZoomFactor(int level) {
  static constexpr std::array<double, kLargestTextSize + 1> kFactors = {0.75, 0.9, 1.0, 1.25, 1.5};
  return kFactors[static_cast<std::size_t>(ClampTextSize(level))];
}

}  // namespace norvella
