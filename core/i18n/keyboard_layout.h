#pragma once

// The language option: the language table, the keyboard-layout name built
// from it, and the bracket that activates that layout while 8-bit text goes
// into the source editor or comes out of it.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace norvella {

class StringTable;

struct Language {
  std::string_view name;
  int primaryId;  // the primary language identifier the layout is built from
};

inline constexpr std::size_t kLanguageCount = 43;
inline constexpr int kDefaultLanguage = 34;  // Russian

// The languages in the order the language list shows them.
const std::array<Language, kLanguageCount>& LanguageTable();

// The language of an index; an index outside the table means the default.
const Language& LanguageAt(int index);

// "000004" followed by the language's identifier as two upper-case
// hexadecimal digits: "00000419" for Russian.
std::string KeyboardLayoutName(int languageIndex);

// Reading and activating keyboard layouts by name.
class KeyboardLayouts {
 public:
  virtual ~KeyboardLayouts() = default;
  virtual std::string ActiveLayoutName() = 0;
  // False when the layout cannot be loaded or activated.
  virtual bool ActivateLayout(const std::string& name) = 0;
};

// Linux text widgets take Unicode, so no layout needs switching: every
// activation succeeds and only remembers the name.
class UnicodeKeyboardLayouts final : public KeyboardLayouts {
 public:
  std::string ActiveLayoutName() override { return active_; }
  bool ActivateLayout(const std::string& name) override {
    active_ = name;
    return true;
  }

 private:
  std::string active_;
};

// Activates the language's layout for its lifetime when another one is
// active, and then activates the remembered one again.
class KeyboardLayoutBracket {
 public:
  KeyboardLayoutBracket(KeyboardLayouts& layouts, int languageIndex);
  ~KeyboardLayoutBracket();
  KeyboardLayoutBracket(const KeyboardLayoutBracket&) = delete;
  KeyboardLayoutBracket& operator=(const KeyboardLayoutBracket&) = delete;

  // False when the language's layout could not be activated.
  bool Activated() const { return activated_; }

 private:
  KeyboardLayouts& layouts_;
  std::string previous_;
  bool switched_ = false;
  bool activated_ = true;
};

// The message for a layout that cannot be activated, given at most once per
// run: `SwichLocale`, a space and the language's name in double quotes.
class LocaleSwitchError {
 public:
  std::optional<std::string> Take(const StringTable& strings, int languageIndex);

 private:
  bool armed_ = true;
};

}  // namespace norvella
