#include "core/settings/window_placement.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "core/settings/registry.h"
#include "core/settings/settings_io.h"

namespace norvella {
namespace {

constexpr int kMinWidth = 300;
constexpr int kMinHeight = 200;
// How much of the window's top edge must lie on a screen for the user to
// grab it there.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 30;

bool Intersects(const WindowRect& a, const WindowRect& b, int minWidth, int minHeight) {
  const int left = std::max(a.x, b.x);
  const int right = std::min(a.x + a.width, b.x + b.width);
  const int top = std::max(a.y, b.y);
  const int bottom = std::min(a.y + a.height, b.y + b.height);
  return right - left >= minWidth && bottom - top >= minHeight;
}

}  // namespace

std::string FormatWindowPlacement(const WindowPlacement& p) {
  return std::to_string(p.normal.x) + ' ' + std::to_string(p.normal.y) + ' ' + std::to_string(p.normal.width) +
         ' ' + std::to_string(p.normal.height) + ' ' + (p.maximized ? '1' : '0');
}

std::optional<WindowPlacement> ParseWindowPlacement(std::string_view text) {
  int numbers[5] = {};
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  for (int i = 0; i < 5; ++i) {
    if (i > 0) {
      if (at == end || *at != ' ') return std::nullopt;
      ++at;
    }
    const auto [next, error] = std::from_chars(at, end, numbers[i]);
    if (error != std::errc()) return std::nullopt;
    at = next;
  }
  if (at != end) return std::nullopt;
  if (numbers[2] < kMinWidth || numbers[3] < kMinHeight || (numbers[4] != 0 && numbers[4] != 1))
    return std::nullopt;
  return WindowPlacement{{numbers[0], numbers[1], numbers[2], numbers[3]}, numbers[4] == 1};
}

std::optional<WindowPlacement> ReadWindowPlacement(const Registry& registry) {
  const RegKey* key = registry.Open(kSettingsKey);
  if (key == nullptr) return std::nullopt;
  if (const std::optional<std::string> text = key->ReadString(kWindowPlacementValue)) return ParseWindowPlacement(*text);
  const std::optional<std::int32_t> width = key->ReadInteger("Window Width");
  const std::optional<std::int32_t> height = key->ReadInteger("Window Height");
  if (!width || !height || *width < kMinWidth || *height < kMinHeight) return std::nullopt;
  WindowPlacement sized;
  sized.normal = {0, 0, *width, *height};
  sized.positioned = false;
  return sized;
}

void WriteWindowPlacement(Registry& registry, const WindowPlacement& placement) {
  registry.Create(kSettingsKey).WriteString(kWindowPlacementValue, FormatWindowPlacement(placement));
}

WindowRect DefaultWindowRect(const WindowRect& screen) {
  const int width = std::max(kMinWidth, screen.width * 3 / 4);
  const int height = std::max(kMinHeight, screen.height * 3 / 4);
  return {screen.x + (screen.width - width) / 2, screen.y + (screen.height - height) / 2, width, height};
}

WindowPlacement ChooseWindowPlacement(const std::optional<WindowPlacement>& stored,
                                      const std::vector<WindowRect>& screens, const WindowRect& primary) {
  if (stored && !stored->positioned) {
    const WindowRect& r = stored->normal;
    if (r.width <= primary.width && r.height <= primary.height)
      return {{primary.x + (primary.width - r.width) / 2, primary.y + (primary.height - r.height) / 2, r.width,
               r.height},
              false};
  } else if (stored) {
    const WindowRect& r = stored->normal;
    const WindowRect titleBar{r.x, r.y, r.width, kGrabHeight};
    const bool reachable = std::any_of(screens.begin(), screens.end(), [&](const WindowRect& screen) {
      return Intersects(titleBar, screen, std::min(kGrabWidth, r.width), kGrabHeight);
    });
    const bool fits = std::any_of(screens.begin(), screens.end(), [&](const WindowRect& screen) {
      return r.width <= screen.width && r.height <= screen.height;
    });
    if (reachable && fits) return *stored;
  }
  return {DefaultWindowRect(primary), false};
}

}  // namespace norvella
