#include "core/reader/recent_files.h"

#include <algorithm>

#include "core/base/text.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

Opt StoredEntry(int index) {
  return static_cast<Opt>(static_cast<int>(Opt::RecentReaderFile0) + index);
}

}  // namespace

void RecentList::Load(const Options& options) {
  entries_.assign(kStoredRecentFiles, std::string());
  for (int i = 0; i < kStoredRecentFiles; ++i) entries_[static_cast<std::size_t>(i)] = options.Text(StoredEntry(i));
}

void RecentList::Store(Options& options) const {
  for (int i = 0; i < kStoredRecentFiles; ++i) options.SetText(StoredEntry(i), Entry(i));
}

bool RecentList::Contains(std::string_view path) const {
  const std::string wanted = LowerCase(path);
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const std::string& entry) { return LowerCase(entry) == wanted; });
}

bool RecentList::Add(const std::string& path) {
  if (path.empty() || Contains(path)) return false;
  entries_.insert(entries_.begin(), path);
  return true;
}

std::string RecentList::Entry(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return {};
  return entries_[static_cast<std::size_t>(index)];
}

std::string RecentMenuCaption(std::string_view path) {
  if (path.size() <= kRecentCaptionLimit) return std::string(path);
  return std::string(path.substr(0, 4)) + "..." + std::string(path.substr(path.size() - 36));
}

std::vector<RecentMenuEntry> RecentMenuEntries(const RecentList& list,
                                               const std::function<bool(const std::string&)>& exists) {
  std::vector<RecentMenuEntry> items;
  for (int i = 0; i < kRecentMenuEntries; ++i) {
    const std::string path = list.Entry(i);
    if (path.empty() || !exists(path)) continue;
    items.push_back({i, RecentMenuCaption(path), i + 1});
  }
  return items;
}

}  // namespace norvella
