#pragma once

// The start-up picture: borderless, on top of other windows, centred on the
// screen; it closes 600 ms after the main window is first shown.

#include <functional>

#include <QPixmap>
#include <QWidget>

namespace norvella {

class TSplash : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kShowMilliseconds = 600;

  TSplash();
  // Shows and paints the picture at once, before the main window exists.
  void ShowNow();
  // Starts the timer; when it fires the splash closes, runs `afterClose`
  // (the main window's restore of the reading position) and frees itself.
  void CloseLater(std::function<void()> afterClose);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace norvella
