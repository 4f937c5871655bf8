#pragma once

// The settings store's data model: the per-user registry's model of keys
// with subkeys and typed values (string, 32-bit integer, binary), with key
// and value names compared without regard to letter case.
//
// Names and texts are kept in UTF-8, the form of the store's file, so a
// value that the program never changes is written back exactly as it was
// read. The typed accessors speak the core's Windows-1251: a character that
// Windows-1251 lacks reads as an HTML numeric character reference
// ("&#8594;"), and writing back the same Windows-1251 text leaves the stored
// UTF-8 untouched, so the character is neither dropped nor replaced.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

enum class RegType { String, Dword, Binary };

// The registry type number of plain binary data ("hex:" in export files).
inline constexpr int kRegBinary = 3;

struct RegValue {
  std::string name;  // UTF-8, spelled as first written; "" is the key's default value
  RegType type = RegType::String;
  std::string data;  // String: UTF-8 text; Binary: the bytes
  std::uint32_t dword = 0;
  // Binary: the registry type the bytes carry. Types the model does not
  // interpret (expandable and multi-strings, 64-bit numbers, ...) are kept
  // as bytes with their number, so an import never loses them.
  int hexType = kRegBinary;

  static RegValue String(std::string utf8Name, std::string utf8Text);
  static RegValue Dword(std::string utf8Name, std::uint32_t value);
  static RegValue Binary(std::string utf8Name, std::string bytes, int hexType = kRegBinary);
};

// The form in which names are compared: their Windows-1251 form with Latin
// and Cyrillic letters in lower case.
std::string FoldName(std::string_view utf8);

// Whether a UTF-8 text converts to Windows-1251 without character references.
bool FitsCp1251(std::string_view utf8);

class RegKey {
 public:
  explicit RegKey(std::string utf8Name);
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  const std::string& Name() const { return name_; }  // UTF-8

  // Typed access; names are Windows-1251 like every text of the core.
  // A missing value and a value of another type both read as nullopt.
  std::optional<std::string> ReadString(std::string_view name) const;
  std::optional<std::int32_t> ReadInteger(std::string_view name) const;
  std::optional<std::string> ReadBinary(std::string_view name) const;
  bool HasValue(std::string_view name) const;
  void WriteString(std::string_view name, std::string_view cp1251Text);
  void WriteInteger(std::string_view name, std::int32_t value);
  void WriteBinary(std::string_view name, std::string_view bytes);
  bool DeleteValue(std::string_view name);

  // One level of subkeys, by Windows-1251 name.
  RegKey* SubKey(std::string_view name);
  const RegKey* SubKey(std::string_view name) const;
  RegKey& CreateSubKey(std::string_view name);
  // Deletes the subkey with all its subkeys; false when there is none.
  bool DeleteSubKey(std::string_view name);

  // Enumeration: subkeys in the registry's order (by name, ignoring case),
  // values in the order they were first written. Names in Windows-1251.
  std::vector<std::string> SubKeyNames() const;
  std::vector<std::string> ValueNames() const;
  std::size_t SubKeyCount() const { return children_.size(); }
  std::size_t ValueCount() const { return values_.size(); }

  // The same operations on UTF-8 names, for the file reader and writer.
  const RegValue* FindUtf8(std::string_view utf8Name) const;
  // Stores a value; one with the same name (ignoring case) is replaced in
  // its place and keeps its spelling. Throws std::invalid_argument for a
  // name that a file line cannot hold (line breaks, NUL) or text that is not
  // UTF-8.
  void SetUtf8(RegValue value);
  bool DeleteValueUtf8(std::string_view utf8Name);
  RegKey* SubKeyUtf8(std::string_view utf8Name);
  const RegKey* SubKeyUtf8(std::string_view utf8Name) const;
  // Throws std::invalid_argument for an empty name or one holding "\",
  // line breaks or NUL.
  RegKey& CreateSubKeyUtf8(std::string_view utf8Name);
  bool DeleteSubKeyUtf8(std::string_view utf8Name);
  const std::vector<RegValue>& Values() const { return values_; }
  const std::vector<std::unique_ptr<RegKey>>& SubKeys() const { return children_; }

 private:
  std::size_t ValueIndex(std::string_view folded) const;
  std::size_t ChildIndex(std::string_view folded) const;

  std::string name_;
  std::string folded_;
  std::vector<RegValue> values_;
  std::vector<std::string> valueFolded_;          // parallel to values_
  std::vector<std::unique_ptr<RegKey>> children_;  // sorted by folded name
};

// The per-user hive. Paths are backslash-separated key names below it
// ("Software\Marn Soft\Norvella\1.00"); empty parts are ignored. A pointer
// to a key stays valid until that key or one above it is deleted.
class Registry {
 public:
  Registry();

  RegKey& Root() { return *root_; }
  const RegKey& Root() const { return *root_; }

  // Opens without creating; nullptr when some part of the path is missing.
  RegKey* Open(std::string_view path);
  const RegKey* Open(std::string_view path) const;
  RegKey& Create(std::string_view path);
  // Deletes the key with all its subkeys; false when it does not exist.
  bool DeleteTree(std::string_view path);

  // The same on UTF-8 paths.
  RegKey* OpenUtf8(std::string_view path);
  RegKey& CreateUtf8(std::string_view path);
  bool DeleteTreeUtf8(std::string_view path);

  bool Empty() const { return root_->SubKeyCount() == 0 && root_->ValueCount() == 0; }

 private:
  std::unique_ptr<RegKey> root_;
};

// The name of the hive as export files spell it.
inline constexpr std::string_view kUserHive = "HKEY_CURRENT_USER";

}  // namespace norvella
