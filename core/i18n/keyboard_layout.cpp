#include "core/i18n/keyboard_layout.h"

#include "core/i18n/strings.h"

namespace norvella {

const std::array<Language, kLanguageCount>& LanguageTable() {
  static constexpr std::array<Language, kLanguageCount> kTable = {{
      {"Afrikaans", 0x36},  {"Albanian", 0x1C},   {"Arabic", 0x01},     {"Basque", 0x2D},
      {"Belarusian", 0x23}, {"Bulgarian", 0x02},  {"Catalan", 0x03},    {"Chinese", 0x04},
      {"Croatian", 0x1A},   {"Czech", 0x05},      {"Danish", 0x06},     {"Dutch", 0x13},
      {"English", 0x09},    {"Estonian", 0x25},   {"Faeroese", 0x38},   {"Farsi", 0x29},
      {"Finnish", 0x0B},    {"French", 0x0C},     {"German", 0x07},     {"Greek", 0x08},
      {"Hebrew", 0x0D},     {"Hungarian", 0x0E},  {"Icelandic", 0x0F},  {"Indonesian", 0x21},
      {"Italian", 0x10},    {"Japanese", 0x11},   {"Korean", 0x12},     {"Latvian", 0x26},
      {"Lithuanian", 0x27}, {"Neutral", 0x00},    {"Norwegian", 0x14},  {"Polish", 0x15},
      {"Portuguese", 0x16}, {"Romanian", 0x18},   {"Russian", 0x19},    {"Serbian", 0x1A},
      {"Slovak", 0x1B},     {"Slovenian", 0x24},  {"Spanish", 0x0A},    {"Swedish", 0x1D},
      {"Thai", 0x1E},       {"Turkish", 0x1F},    {"Vietnamese", 0x2A},
  }};
  return kTable;
}

const Language& LanguageAt(int index) {
  const auto& table = LanguageTable();
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) index = kDefaultLanguage;
  return table[static_cast<std::size_t>(index)];
}

std::string KeyboardLayoutName(int languageIndex) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const int id = LanguageAt(languageIndex).primaryId;
  std::string name = "000004";
  name += kDigits[(id >> 4) & 15];
  name += kDigits[id & 15];
  return name;
}

KeyboardLayoutBracket::KeyboardLayoutBracket(KeyboardLayouts& layouts, int languageIndex)
    : layouts_(layouts), previous_(layouts.ActiveLayoutName()) {
  const std::string wanted = KeyboardLayoutName(languageIndex);
  if (wanted != previous_) {
    activated_ = layouts_.ActivateLayout(wanted);
    switched_ = activated_;
  }
}

KeyboardLayoutBracket::~KeyboardLayoutBracket() {
  if (switched_) layouts_.ActivateLayout(previous_);
}

std::optional<std::string> LocaleSwitchError::Take(const StringTable& strings, int languageIndex) {
  if (!armed_) return std::nullopt;
  armed_ = false;
  return strings.Message("SwichLocale") + " \"" + std::string(LanguageAt(languageIndex).name) + "\"";
}

}  // namespace norvella
