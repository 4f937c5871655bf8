#include "gui/app/splash.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "gui/common/artwork.h"

namespace norvella {

TSplash::TSplash()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(SplashPicture()) {
  setObjectName("TSplash");
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(picture_.size());
}

void TSplash::ShowNow() {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  show();
  repaint();
  QCoreApplication::processEvents();
}

void TSplash::CloseLater(std::function<void()> afterClose) {
  QTimer::singleShot(kShowMilliseconds, this, [this, afterClose] {
    close();  // deletes the splash once control returns to the event loop
    if (afterClose) afterClose();
  });
}

void TSplash::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

}  // namespace norvella
