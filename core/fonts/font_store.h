#pragma once

// The device font width tables kept in the settings store, one subkey per
// font under the settings key's "Fonts".

#include "core/fonts/font_widths.h"

namespace norvella {

class Registry;

class RegistryFontStore final : public FontStore {
 public:
  explicit RegistryFontStore(Registry& registry) : registry_(registry) {}

  std::vector<std::string> FontNames() override;
  std::optional<FontKeyValues> ReadFont(std::string_view name, bool create) override;
  void WriteFont(std::string_view name, const FontKeyValues& values) override;

 private:
  Registry& registry_;
};

}  // namespace norvella
