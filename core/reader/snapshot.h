#pragma once

// The copy of the live page that carries a document into the full-screen
// view: a file beside the document (so its pictures and links resolve as
// they do for the document), named "~$$$" ".html", or with "~$$$" repeated
// as often as needed to find a name no file holds yet.

#include <string>
#include <string_view>

#include "core/base/result.h"

namespace norvella {

inline constexpr std::string_view kSnapshotStem = "~$$$";
inline constexpr std::string_view kSnapshotExtension = ".html";

// The folder of a path with its trailing separator; empty for a bare name.
std::string FolderOf(std::string_view path);

// The name with the stem `count` times (at least once) in the document's
// folder.
std::string SnapshotName(std::string_view documentPath, int count = 1);

// Takes the first free name, counting up from one stem, by creating it
// empty and exclusively: an existing file (or one that appears meanwhile)
// is never written over. The caller fills the file and deletes it.
Result<std::string> ReserveSnapshotFile(std::string_view documentPath);

}  // namespace norvella
