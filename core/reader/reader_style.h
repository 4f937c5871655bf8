#pragma once

// The reader's page styles and text sizes. A style lives in the page as the
// inline style of its body (so it is saved into the file with the body and
// comes back when the document is opened); the last style the user chose is
// remembered in four options and may be applied to every document opened
// for reading. The text size is one of five levels of the browser view and
// belongs to no document.

#include <string>
#include <string_view>
#include <vector>

namespace norvella {

class Options;
class StringTable;

// The remembered style: four texts, each empty when not set.
struct ReaderStyle {
  std::string fontName;   // the body's font family
  std::string fontSize;   // for example "12pt"
  std::string textColor;  // an HTML colour name or #RRGGBB
  std::string bodyColor;
  bool Empty() const { return fontName.empty() && fontSize.empty() && textColor.empty() && bodyColor.empty(); }
  bool operator==(const ReaderStyle&) const = default;
};

// "Def style font name", "... font size", "... font color", "... body color".
ReaderStyle LastStyle(const Options& options);
void SetLastStyle(Options& options, const ReaderStyle& style);

// The two fixed night schemes, by the tag of their menu item: 1 yellow on
// black, 2 lime on black, both in Verdana and without a font size. Any other
// tag gives an empty style.
inline constexpr int kYellowSchemeTag = 1;
inline constexpr int kGreenSchemeTag = 2;
ReaderStyle FixedScheme(int tag);

// One assignment to the body's style object: a property of it (fontFamily,
// fontSize, color, backgroundColor, or cssText for all of them at once) and
// its value. The page applies them in order.
struct BodyStyleSetting {
  std::string_view property;
  std::string value;  // 8-bit text
  bool operator==(const BodyStyleSetting&) const = default;
};

// A scheme chosen from the menu or the custom dialog: colour, background,
// font, then the size when there is one.
std::vector<BodyStyleSetting> ChosenStyleSettings(const ReaderStyle& style);
// The remembered style applied to a newly opened document: font, colour,
// size and background, each only when it is set.
std::vector<BodyStyleSetting> RememberedStyleSettings(const ReaderStyle& style);
// "None": every inline style of the body removed.
std::vector<BodyStyleSetting> NoStyleSettings();

// "#" and the red, green and blue components as two upper-case hexadecimal
// digits each; components are limited to 0..255.
std::string ColorToHtml(int red, int green, int blue);

// The status text while the remembered style is applied: `CurrentTask`
// followed by `ApplyStyle` with the font name, size, text and body colour.
std::string ApplyStyleStatus(const StringTable& strings, const ReaderStyle& style);

// Text sizes: level 0 smallest to 4 largest, 2 normal.
inline constexpr int kSmallestTextSize = 0;
inline constexpr int kLargestTextSize = 4;
inline constexpr int kNormalTextSize = 2;
// The tags of the View menu's size items: the level itself for "Smallest"
// to "Largest", 101 for "Increase" and 99 for "Decrease".
inline constexpr int kIncreaseTextSizeTag = 101;
inline constexpr int kDecreaseTextSizeTag = 99;
// The level an item chooses, from the level in use; never outside 0..4.
int FontSizeLevelFromTag(int tag, int currentLevel);
int ClampTextSize(int level);
// The page's zoom factor for a level: five clear steps around 1.
double TextSizeZoomFactor(int level);

}  // namespace norvella
