#pragma once

// Where the main window opens: its normal rectangle and whether it was
// maximised, kept in the settings key as one text value, and the choice
// between that and a comfortable default when the value is missing, broken
// or no longer on any screen.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

class Registry;

inline constexpr std::string_view kWindowPlacementValue = "Window placement";

struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

struct WindowPlacement {
  WindowRect normal;
  bool maximized = false;
  // False when only the size is known (a store written before the
  // placement was kept): the window is centred.
  bool positioned = true;
  bool operator==(const WindowPlacement&) const = default;
};

// "x y width height maximized", for example "120 80 1024 700 0".
std::string FormatWindowPlacement(const WindowPlacement& placement);
// Nothing for a text of another shape or a size below the window's minimum.
std::optional<WindowPlacement> ParseWindowPlacement(std::string_view text);

// The value stored under the settings key, parsed; when it is missing, the
// size alone from "Window Width" and "Window Height"; nothing when neither
// is there.
std::optional<WindowPlacement> ReadWindowPlacement(const Registry& registry);
void WriteWindowPlacement(Registry& registry, const WindowPlacement& placement);

// Three quarters of the screen's available area, centred on it.
WindowRect DefaultWindowRect(const WindowRect& screen);

// The stored placement when its title bar area lies on one of the screens
// and it fits one of them (a size alone is centred on the primary screen
// when it fits there); otherwise the default on the primary screen, not
// maximised.
WindowPlacement ChooseWindowPlacement(const std::optional<WindowPlacement>& stored,
                                      const std::vector<WindowRect>& screens, const WindowRect& primary);

}  // namespace norvella
