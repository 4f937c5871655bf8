#pragma once

// Registry export files ("Windows Registry Editor Version 5.00" or
// "REGEDIT4"): the store's own file format, and the format in which
// localisations and skins are installed.
//
//   [HKEY_CURRENT_USER\Software\Marn Soft\Norvella\1.00]   a key (created)
//   [-HKEY_CURRENT_USER\...]                              deletes a key tree
//   "name"="text"   "name"=dword:0000001f   "name"=hex:05,06   "name"=-
//   @="text"        the key's default (unnamed) value
//   ; comment       hex data may go on over lines ending in "\"
//
// Only keys of the per-user hive (HKEY_CURRENT_USER, also spelled HKCU) are
// taken; keys of other hives are counted and skipped.

#include <string>
#include <string_view>
#include <vector>

#include "core/settings/registry.h"

namespace norvella {

// Turns the bytes of a registry file into UTF-8 text: UTF-16 (either byte
// order) or UTF-8 when the file starts with a byte-order mark; otherwise
// UTF-8 when the bytes are valid UTF-8, else Windows-1251 ("ANSI"). Returns
// false with a reason for UTF-16 that does not decode.
bool DecodeRegFileText(std::string_view bytes, std::string& utf8, std::string* error);

struct RegFileOperation {
  enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
  Kind kind = Kind::CreateKey;
  std::string path;  // UTF-8, below the hive
  RegValue value;    // SetValue; DeleteValue uses value.name
};

struct RegFileContents {
  bool ok = false;
  std::string error;  // "line N: reason" when !ok
  std::vector<RegFileOperation> operations;
  int foreignKeys = 0;        // keys of other hives, skipped with their values
  int values = 0;             // values set
  int unmappableStrings = 0;  // strings holding characters Windows-1251 lacks
};

// Parses a whole file; on any fault the result holds no operations, so a
// bad file is never half applied.
RegFileContents ParseRegFile(std::string_view bytes);

// Applies parsed operations to a registry, in file order.
void ApplyRegFile(const RegFileContents& contents, Registry& registry);

// The whole registry as a "Windows Registry Editor Version 5.00" file in
// UTF-8 with line feeds: every key in pre-order, values in their order.
// Strings holding control characters other than tab are written as
// hex(1): UTF-16LE data, the export form of such strings.
std::string WriteRegFile(const Registry& registry);

}  // namespace norvella
