#include "core/settings/registry.h"

#include <algorithm>
#include <stdexcept>

#include "core/base/cp1251.h"
#include "core/base/text.h"

namespace norvella {
namespace {

// A name must fit on one line of the store's file.
bool NameFitsALine(std::string_view name) {
  return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

void CheckValueName(std::string_view utf8Name) {
  if (!NameFitsALine(utf8Name) || !IsValidUtf8(utf8Name))
    throw std::invalid_argument("registry value name cannot be stored: " + std::string(utf8Name));
}

void CheckKeyName(std::string_view utf8Name) {
  if (utf8Name.empty() || utf8Name.find('\\') != std::string_view::npos ||
      !NameFitsALine(utf8Name) || !IsValidUtf8(utf8Name))
    throw std::invalid_argument("registry key name cannot be stored: " + std::string(utf8Name));
}

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const auto slash = path.find('\\');
    const std::string_view part = path.substr(0, slash);
    if (!part.empty()) parts.push_back(part);
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return parts;
}

std::string ToCp1251(std::string_view utf8) {
  std::string out;
  Utf8ToCp1251(utf8, out);  // the model holds valid UTF-8 only
  return out;
}

}  // namespace

RegValue RegValue::String(std::string utf8Name, std::string utf8Text) {
  RegValue v;
  v.name = std::move(utf8Name);
  v.type = RegType::String;
  v.data = std::move(utf8Text);
  return v;
}

RegValue RegValue::Dword(std::string utf8Name, std::uint32_t value) {
  RegValue v;
  v.name = std::move(utf8Name);
  v.type = RegType::Dword;
  v.dword = value;
  return v;
}

RegValue RegValue::Binary(std::string utf8Name, std::string bytes, int hexType) {
  RegValue v;
  v.name = std::move(utf8Name);
  v.type = RegType::Binary;
  v.data = std::move(bytes);
  v.hexType = hexType;
  return v;
}

std::string FoldName(std::string_view utf8) {
  std::string cp;
  if (!Utf8ToCp1251(utf8, cp)) return std::string(utf8);
  return LowerCase(cp);
}

bool FitsCp1251(std::string_view utf8) {
  std::size_t codePoints = 0;
  for (const char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++codePoints;
  std::string cp;
  return Utf8ToCp1251(utf8, cp) && cp.size() == codePoints;
}

RegKey::RegKey(std::string utf8Name) : name_(std::move(utf8Name)), folded_(FoldName(name_)) {}

std::size_t RegKey::ValueIndex(std::string_view folded) const {
  for (std::size_t i = 0; i < valueFolded_.size(); ++i)
    if (valueFolded_[i] == folded) return i;
  return values_.size();
}

std::size_t RegKey::ChildIndex(std::string_view folded) const {
  const auto at = std::lower_bound(children_.begin(), children_.end(), folded,
                                   [](const std::unique_ptr<RegKey>& k, std::string_view f) {
                                     return k->folded_ < f;
                                   });
  if (at != children_.end() && (*at)->folded_ == folded)
    return static_cast<std::size_t>(at - children_.begin());
  return children_.size();
}

const RegValue* RegKey::FindUtf8(std::string_view utf8Name) const {
  const std::size_t i = ValueIndex(FoldName(utf8Name));
  return i < values_.size() ? &values_[i] : nullptr;
}

void RegKey::SetUtf8(RegValue value) {
  CheckValueName(value.name);
  if (value.type == RegType::String && !IsValidUtf8(value.data))
    throw std::invalid_argument("registry string is not UTF-8: " + value.name);
  std::string folded = FoldName(value.name);
  const std::size_t i = ValueIndex(folded);
  if (i < values_.size()) {
    value.name = std::move(values_[i].name);
    values_[i] = std::move(value);
    return;
  }
  values_.push_back(std::move(value));
  valueFolded_.push_back(std::move(folded));
}

bool RegKey::DeleteValueUtf8(std::string_view utf8Name) {
  const std::size_t i = ValueIndex(FoldName(utf8Name));
  if (i >= values_.size()) return false;
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(i));
  valueFolded_.erase(valueFolded_.begin() + static_cast<std::ptrdiff_t>(i));
  return true;
}

RegKey* RegKey::SubKeyUtf8(std::string_view utf8Name) {
  const std::size_t i = ChildIndex(FoldName(utf8Name));
  return i < children_.size() ? children_[i].get() : nullptr;
}

const RegKey* RegKey::SubKeyUtf8(std::string_view utf8Name) const {
  const std::size_t i = ChildIndex(FoldName(utf8Name));
  return i < children_.size() ? children_[i].get() : nullptr;
}

RegKey& RegKey::CreateSubKeyUtf8(std::string_view utf8Name) {
  CheckKeyName(utf8Name);
  if (RegKey* existing = SubKeyUtf8(utf8Name)) return *existing;
  auto child = std::make_unique<RegKey>(std::string(utf8Name));
  const auto at = std::upper_bound(children_.begin(), children_.end(), child,
                                   [](const std::unique_ptr<RegKey>& a, const std::unique_ptr<RegKey>& b) {
                                     return a->folded_ < b->folded_;
                                   });
  return **children_.insert(at, std::move(child));
}

bool RegKey::DeleteSubKeyUtf8(std::string_view utf8Name) {
  const std::size_t i = ChildIndex(FoldName(utf8Name));
  if (i >= children_.size()) return false;
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(i));
  return true;
}

std::optional<std::string> RegKey::ReadString(std::string_view name) const {
  const RegValue* v = FindUtf8(Cp1251ToUtf8(name));
  if (v == nullptr || v->type != RegType::String) return std::nullopt;
  return ToCp1251(v->data);
}

std::optional<std::int32_t> RegKey::ReadInteger(std::string_view name) const {
  const RegValue* v = FindUtf8(Cp1251ToUtf8(name));
  if (v == nullptr || v->type != RegType::Dword) return std::nullopt;
  return static_cast<std::int32_t>(v->dword);
}

std::optional<std::string> RegKey::ReadBinary(std::string_view name) const {
  const RegValue* v = FindUtf8(Cp1251ToUtf8(name));
  if (v == nullptr || v->type != RegType::Binary) return std::nullopt;
  return v->data;
}

bool RegKey::HasValue(std::string_view name) const {
  return FindUtf8(Cp1251ToUtf8(name)) != nullptr;
}

void RegKey::WriteString(std::string_view name, std::string_view cp1251Text) {
  const std::string utf8Name = Cp1251ToUtf8(name);
  // The same text as stored, seen through Windows-1251: keep the stored
  // form, which may hold characters the code page lacks.
  if (const RegValue* v = FindUtf8(utf8Name);
      v != nullptr && v->type == RegType::String && ToCp1251(v->data) == cp1251Text)
    return;
  SetUtf8(RegValue::String(utf8Name, Cp1251ToUtf8(cp1251Text)));
}

void RegKey::WriteInteger(std::string_view name, std::int32_t value) {
  SetUtf8(RegValue::Dword(Cp1251ToUtf8(name), static_cast<std::uint32_t>(value)));
}

void RegKey::WriteBinary(std::string_view name, std::string_view bytes) {
  SetUtf8(RegValue::Binary(Cp1251ToUtf8(name), std::string(bytes)));
}

bool RegKey::DeleteValue(std::string_view name) { return DeleteValueUtf8(Cp1251ToUtf8(name)); }

RegKey* RegKey::SubKey(std::string_view name) { return SubKeyUtf8(Cp1251ToUtf8(name)); }

const RegKey* RegKey::SubKey(std::string_view name) const { return SubKeyUtf8(Cp1251ToUtf8(name)); }

RegKey& RegKey::CreateSubKey(std::string_view name) { return CreateSubKeyUtf8(Cp1251ToUtf8(name)); }

bool RegKey::DeleteSubKey(std::string_view name) { return DeleteSubKeyUtf8(Cp1251ToUtf8(name)); }

std::vector<std::string> RegKey::SubKeyNames() const {
  std::vector<std::string> out;
  out.reserve(children_.size());
  for (const auto& child : children_) out.push_back(ToCp1251(child->name_));
  return out;
}

std::vector<std::string> RegKey::ValueNames() const {
  std::vector<std::string> out;
  out.reserve(values_.size());
  for (const auto& value : values_) out.push_back(ToCp1251(value.name));
  return out;
}

Registry::Registry() : root_(std::make_unique<RegKey>(std::string(kUserHive))) {}

RegKey* Registry::OpenUtf8(std::string_view path) {
  RegKey* key = root_.get();
  for (const auto part : SplitPath(path)) {
    key = key->SubKeyUtf8(part);
    if (key == nullptr) return nullptr;
  }
  return key;
}

RegKey& Registry::CreateUtf8(std::string_view path) {
  RegKey* key = root_.get();
  for (const auto part : SplitPath(path)) key = &key->CreateSubKeyUtf8(part);
  return *key;
}

bool Registry::DeleteTreeUtf8(std::string_view path) {
  const auto parts = SplitPath(path);
  if (parts.empty()) return false;  // the hive itself is never deleted
  RegKey* parent = root_.get();
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    parent = parent->SubKeyUtf8(parts[i]);
    if (parent == nullptr) return false;
  }
  return parent->DeleteSubKeyUtf8(parts.back());
}

RegKey* Registry::Open(std::string_view path) { return OpenUtf8(Cp1251ToUtf8(path)); }

const RegKey* Registry::Open(std::string_view path) const {
  return const_cast<Registry*>(this)->OpenUtf8(Cp1251ToUtf8(path));
}

RegKey& Registry::Create(std::string_view path) { return CreateUtf8(Cp1251ToUtf8(path)); }

bool Registry::DeleteTree(std::string_view path) { return DeleteTreeUtf8(Cp1251ToUtf8(path)); }

}  // namespace norvella
