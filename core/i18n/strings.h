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
inline std::string DialogSection(std::string_view dialog) {
  return std::string(kDialogControls) + std::string(dialog);
}

// The dialogs that have a section of their own.
inline constexpr std::string_view kDialogContentConfirm = "content confirm";
inline constexpr std::string_view kDialogDocumentProperties = "docprop";
inline constexpr std::string_view kDialogEnterComment = "enter comment";
inline constexpr std::string_view kDialogBookmark = "bookmark";
inline constexpr std::string_view kDialogBookmarkEditor = "bookmark editor";
inline constexpr std::string_view kDialogColorifer = "colorifer";
inline constexpr std::string_view kDialogFormatingDetected = "formating detected";
inline constexpr std::string_view kDialogLargeFile = "large file";
inline constexpr std::string_view kDialogInsertSrcComment = "insert SRC comment";
// The About box and the find and replace windows (the editors' dialogs
// and the browsers' find bar); their texts are defaults of the table, not
// of their controls.
inline constexpr std::string_view kDialogAbout = "about";
inline constexpr std::string_view kDialogFind = "find";
inline constexpr std::string_view kDialogs[] = {
    kDialogContentConfirm, kDialogDocumentProperties, kDialogEnterComment,
    kDialogBookmark,       kDialogBookmarkEditor,     kDialogColorifer,
    kDialogFormatingDetected, kDialogLargeFile,       kDialogInsertSrcComment,
    kDialogAbout,          kDialogFind};

// The sections a localisation replaces, in the order they are loaded.
inline constexpr std::string_view kLocalisedSections[] = {
    kMenu, kHints, kTree, kControlsMain, kMessages, kProcesses, kDescr};

// Option-tree captions by node index; "21" and "22" are the prefixes the
// two length nodes put before their numbers.
inline constexpr std::string_view kTreeLongerPrefix = "21";
inline constexpr std::string_view kTreeShorterPrefix = "22";
inline constexpr int kTreeNodeCount = 55;

// The English page of the user guide; a localisation names its own under
// "help page" of the main controls.
inline constexpr std::string_view kHelpPage = "index.html";

struct StringDefault {
  std::string_view key;
  std::string_view text;
};

// Every key the program looks up is in the table; a localisation holds the
// same sections and keys. The menu, the toolbar hints and the dialog
// sections list their keys with empty texts: those texts are held by the
// controls, and a localisation's text replaces them.
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

  // Every section, and the keys of one section, in name order.
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

 private:
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> sections_;
};

}  // namespace norvella
