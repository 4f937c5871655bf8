#pragma once

// Keeps the desktop's screen saver and screen blanking off while
// autoscroll runs, through the freedesktop ScreenSaver interface on the
// session bus. Without a session bus (or a desktop that offers the
// interface) it does nothing.

#include <QString>

namespace norvella {

class ScreenSaverInhibitor {
 public:
  ScreenSaverInhibitor() = default;
  ~ScreenSaverInhibitor() { Release(); }
  ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
  ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

  // Asks for the inhibition once; true when the desktop granted it.
  bool Inhibit(const QString& reason);
  void Release();
  bool Active() const { return active_; }

 private:
  bool active_ = false;
  unsigned cookie_ = 0;
};

}  // namespace norvella
