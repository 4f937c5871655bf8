#pragma once

// Character width tables of the device fonts. Hyphenation predicts where
// the reader device wraps a line by adding up the pixel widths of the
// characters, so it needs the widths of the chosen font and the usable line
// width of the chosen screen orientation.
//
// The tables live in the settings store, one key per font under "Fonts",
// each with three values: "CharWidths" (binary, byte n = the width of the
// Windows-1251 code 32 + n, codes 32 to 254), "Short" (32-bit integer, the
// line width in the vertical orientation) and "Long" (the horizontal one).
// Eight fonts are built in and written to the store when any of them is
// missing. The store reaches this code through `FontStore`; the conversion
// reaches the loaded table through `ActiveFontWidths`.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

class Options;

// Names of the store's key and values.
inline constexpr std::string_view kFontsKey = "Fonts";
inline constexpr std::string_view kCharWidthsValue = "CharWidths";
inline constexpr std::string_view kShortValue = "Short";
inline constexpr std::string_view kLongValue = "Long";

// The "Hyph font" value that is not a font: it selects the mode that marks
// every allowed break of every long word, and no table is loaded for it.
inline constexpr std::string_view kEveryBreakFont = "totaly &shy;";

inline constexpr int kFirstStoredCode = 32;
inline constexpr std::size_t kStoredWidthCount = 223;  // codes 32 to 254
// A stored "CharWidths" value longer than this is read only this far (it
// fills the table up to code 255).
inline constexpr std::size_t kMaxReadWidthCount = 224;

inline constexpr std::uint32_t kBuiltinShortWidth = 314;
inline constexpr std::uint32_t kBuiltinLongWidth = 474;
// The line width before any font is loaded.
inline constexpr int kInitialLineWidth = 312;

// One built-in font.
struct FontTable {
  std::string_view name;
  std::array<std::uint8_t, kStoredWidthCount> charWidths;  // codes 32..254
};

// The eight built-in fonts, in the order they are written.
const std::array<FontTable, 8>& BuiltinFonts();
// The built-in font of that name (letter case ignored), or nullptr.
const FontTable* FindBuiltinFont(std::string_view name);

// The widths a conversion measures with.
struct ActiveFontWidths {
  // ActiveCharWidths: the width of every Windows-1251 code. Codes 0..31 are
  // measured as a space; code 255 is not stored and keeps 8 for every font
  // unless a stored table is one byte longer than usual.
  std::array<std::uint8_t, 256> activeCharWidths{};
  // HyphLineWidth: the usable line width in pixels.
  int hyphLineWidth = kInitialLineWidth;
};

// The table before anything is loaded: "ThielVerdana 1.2 small" and the
// initial line width of 312.
const ActiveFontWidths& BuiltinActiveFontWidths();

// The values of one font key. A value that is missing or not of its stored
// type is empty.
struct FontKeyValues {
  std::optional<std::vector<std::uint8_t>> charWidths;  // "CharWidths", binary
  std::optional<std::uint32_t> shortWidth;              // "Short", 32-bit integer
  std::optional<std::uint32_t> longWidth;               // "Long", 32-bit integer
};

// The stored form of a built-in font: its 223 width bytes, "Short" 314 and
// "Long" 474.
FontKeyValues StoredValuesOf(const FontTable& font);

// Copies a stored "CharWidths" value into the table from code 32 on (at
// most 224 bytes; a shorter value leaves the rest as it was) and gives codes
// 0..31 the width of the space.
void ApplyCharWidths(const std::vector<std::uint8_t>& stored, ActiveFontWidths& widths);

// The "Fonts" key of the settings store as the font loader needs it. Key
// names compare without regard to letter case, as in the rest of the store.
// Failures are silent, like every other settings access.
class FontStore {
 public:
  virtual ~FontStore() = default;
  // The names of the font keys, creating the "Fonts" key when it is missing.
  virtual std::vector<std::string> FontNames() = 0;
  // The values of a font's key. With `create`, a missing key is created
  // empty; without it, or when the key cannot be opened, a missing key
  // gives std::nullopt.
  virtual std::optional<FontKeyValues> ReadFont(std::string_view name, bool create) = 0;
  // Creates the font's key when needed and writes the values that are set.
  virtual void WriteFont(std::string_view name, const FontKeyValues& values) = 0;
};

// A store that keeps the fonts in memory: what the command line uses until
// it reads the user's settings, and what a first start sees.
class MemoryFontStore final : public FontStore {
 public:
  std::vector<std::string> FontNames() override;
  std::optional<FontKeyValues> ReadFont(std::string_view name, bool create) override;
  void WriteFont(std::string_view name, const FontKeyValues& values) override;
  // Removes a font key (with its values); false when there is none.
  bool DeleteFont(std::string_view name);

 private:
  struct Caseless {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::map<std::string, FontKeyValues, Caseless> fonts_;
};

// Writes the eight built-in fonts, replacing whatever their keys held.
void WriteDefaultFontWidths(FontStore& store);

// At start-up, after the settings are loaded: makes sure the built-in fonts
// are stored, then loads the font named by "Hyph font" for the orientation
// of "I-like orientation" (vertical: "Short", horizontal: "Long"). A font
// key without "CharWidths" makes the built-in fonts be rewritten and leaves
// the table as it was; one without the line width keeps the current width.
void LoadFontWidths(FontStore& store, const Options& options, ActiveFontWidths& widths);

// LoadFontWidths over a store of the built-in fonts only: what a start
// without a settings store measures with.
void LoadBuiltinFontWidths(const Options& options, ActiveFontWidths& widths);

// After the user picks another font or orientation: loads it as above but
// never writes anything, and does nothing for a font key that is missing.
void ReloadFontWidths(FontStore& store, const Options& options, ActiveFontWidths& widths);

}  // namespace norvella
