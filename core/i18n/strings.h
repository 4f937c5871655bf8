#pragma once

// Interface strings: texts the user sees, each with a built-in English
// default, grouped in sections and looked up by key. A localisation replaces
// them once at start-up.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

// Section names, as stored under the settings key. "interface" itself
// holds the localisation's "target" build and display "name".
inline constexpr std::string_view kInterface = "interface";
inline constexpr std::string_view kMenu = "interface\\menu";
inline constexpr std::string_view kHints = "interface\\Hints";
inline constexpr std::string_view kTree = "interface\\tree";
inline constexpr std::string_view kControlsMain = "interface\\Controls\\main";
inline constexpr std::string_view kMessages = "interface\\messages";
inline constexpr std::string_view kProcesses = "interface\\processes";
inline constexpr std::string_view kDescr = "interface\\descr";
// A dialog's own section is this prefix followed by the dialog's name.
inline constexpr std::string_view kDialogControls = "interface\\Controls\\";

// The sections a localisation replaces, in the order they are loaded.
inline constexpr std::string_view kLocalisedSections[] = {
    kMenu, kHints, kTree, kControlsMain, kMessages, kProcesses, kDescr};

// Option-tree captions by node index; "21" and "22" are the prefixes the
// two length nodes put before their numbers.
inline constexpr std::string_view kTreeLongerPrefix = "21";
inline constexpr std::string_view kTreeShorterPrefix = "22";
inline constexpr int kTreeNodeCount = 55;

struct StringDefault {
  std::string_view key;
  std::string_view text;
};

class StringTable {
 public:
  StringTable();  // every section with its defaults

  // The current text of a key. Asking for a key that has no default is a
  // programming error and throws std::out_of_range.
  const std::string& Get(std::string_view section, std::string_view key) const;
  const std::string& Message(std::string_view key) const { return Get(kMessages, key); }
  const std::string& Process(std::string_view key) const { return Get(kProcesses, key); }

  // Replaces a text; returns false for a section or key that does not exist.
  bool Set(std::string_view section, std::string_view key, std::string text);

  std::vector<std::string> Keys(std::string_view section) const;

 private:
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> sections_;
};

}  // namespace norvella
