#include "core/fonts/font_store.h"

#include <string>

#include "core/settings/registry.h"
#include "core/settings/settings_io.h"

namespace norvella {
namespace {

std::string FontsPath() { return std::string(kSettingsKey) + "\\" + std::string(kFontsKey); }

}  // namespace

std::vector<std::string> RegistryFontStore::FontNames() {
  return registry_.Create(FontsPath()).SubKeyNames();
}

std::optional<FontKeyValues> RegistryFontStore::ReadFont(std::string_view name, bool create) {
  RegKey* fonts = create ? &registry_.Create(FontsPath()) : registry_.Open(FontsPath());
  if (fonts == nullptr) return std::nullopt;
  RegKey* key = create ? &fonts->CreateSubKey(name) : fonts->SubKey(name);
  if (key == nullptr) return std::nullopt;
  FontKeyValues values;
  if (const auto widths = key->ReadBinary(kCharWidthsValue))
    values.charWidths = std::vector<std::uint8_t>(widths->begin(), widths->end());
  if (const auto shortWidth = key->ReadInteger(kShortValue))
    values.shortWidth = static_cast<std::uint32_t>(*shortWidth);
  if (const auto longWidth = key->ReadInteger(kLongValue))
    values.longWidth = static_cast<std::uint32_t>(*longWidth);
  return values;
}

void RegistryFontStore::WriteFont(std::string_view name, const FontKeyValues& values) {
  RegKey& key = registry_.Create(FontsPath()).CreateSubKey(name);
  if (values.charWidths)
    key.WriteBinary(kCharWidthsValue,
                    std::string(values.charWidths->begin(), values.charWidths->end()));
  if (values.shortWidth) key.WriteInteger(kShortValue, static_cast<std::int32_t>(*values.shortWidth));
  if (values.longWidth) key.WriteInteger(kLongValue, static_cast<std::int32_t>(*values.longWidth));
}

}  // namespace norvella
