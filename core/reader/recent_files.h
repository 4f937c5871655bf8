#pragma once

// The documents read recently, most recent first, as the "Recent files"
// menu and the Bookshelf buttons show them. The list starts with ten empty
// entries and grows at the front; the first ten are kept in the settings
// ("Recent reader file 0" to "9"), so the oldest of eleven is forgotten at
// the next start. Paths are 8-bit text, as the settings keep them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

class Options;

inline constexpr int kStoredRecentFiles = 10;
// The entries the menu looks at, each with the shortcut Ctrl+1 to Ctrl+6.
inline constexpr int kRecentMenuEntries = 6;
// Paths longer than this are shown shortened to 4 + 3 + 36 characters.
inline constexpr std::size_t kRecentCaptionLimit = 50;

class RecentList {
 public:
  RecentList() : entries_(kStoredRecentFiles) {}

  // The ten stored entries.
  void Load(const Options& options);
  void Store(Options& options) const;

  // Puts a document at the front unless it is in the list already (letter
  // case aside), where it keeps its place. True when it was added.
  bool Add(const std::string& path);
  bool Contains(std::string_view path) const;

  const std::vector<std::string>& Entries() const { return entries_; }
  // The entry at an index, empty outside the list.
  std::string Entry(int index) const;

 private:
  std::vector<std::string> entries_;
};

// A path as a menu caption: as it is up to 50 characters, else its first 4,
// "..." and its last 36.
std::string RecentMenuCaption(std::string_view path);

struct RecentMenuEntry {
  int index = 0;        // the entry's place in the list, the item's tag
  std::string caption;  // 8-bit text
  int digit = 0;        // the shortcut Ctrl + this digit
  bool operator==(const RecentMenuEntry&) const = default;
};

// The items of the menu: entries 0 to 5 whose file exists, each with its
// own digit (index + 1), so a missing file leaves its digit unused.
std::vector<RecentMenuEntry> RecentMenuEntries(const RecentList& list,
                                               const std::function<bool(const std::string&)>& exists);

}  // namespace norvella
