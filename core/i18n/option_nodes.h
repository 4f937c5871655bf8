#pragma once

// How an option shows in its option-tree node after its setter ran: the
// on/off icon and, for the nodes whose caption carries the value, the
// caption.

#include <optional>
#include <string>

#include "core/settings/options.h"

namespace norvella {

class StringTable;

inline constexpr int kIconOff = 0;
inline constexpr int kIconOn = 1;

// The icon of an option shown as an on/off node: Booleans by their value,
// the two length options by their off values, "Detect two empty lines" when
// above 0 and the custom open tags when not empty. nullopt for options
// without such a node.
std::optional<int> OptionNodeIcon(Opt id, const Options& options);

// The caption of a node that shows its option's value: "Londg strings min"
// and "Short strings max" (the tree's prefix and the number, or "80" when
// off) and "Detect two empty lines". nullopt for every other option.
std::optional<std::string> OptionNodeCaption(Opt id, const Options& options, const StringTable& strings);

}  // namespace norvella
