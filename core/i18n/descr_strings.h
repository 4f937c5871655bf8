#pragma once

// The default texts of the option panel's prompts and descriptions, the
// section "interface\descr" of the interface strings.

#include <span>

#include "core/i18n/strings.h"

namespace norvella {

std::span<const StringDefault> DescrDefaults();

}  // namespace norvella
