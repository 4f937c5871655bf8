#include "gui/reader/screen_saver.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace norvella {
namespace {

constexpr const char* kService = "org.freedesktop.ScreenSaver";
constexpr const char* kPath = "/org/freedesktop/ScreenSaver";
constexpr const char* kInterface = "org.freedesktop.ScreenSaver";

bool ServiceAvailable() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()) return false;
  return bus.interface()->isServiceRegistered(kService).value();
}

}  // namespace

bool ScreenSaverInhibitor::Inhibit(const QString& reason) {
  if (active_) return true;
  if (!ServiceAvailable()) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Inhibit");
  call << QCoreApplication::applicationName() << reason;
  const QDBusReply<unsigned> reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 2000);
  if (!reply.isValid()) return false;
  cookie_ = reply.value();
  active_ = true;
  return true;
}

void ScreenSaverInhibitor::Release() {
  if (!active_) return;
  active_ = false;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "UnInhibit");
  call << cookie_;
  QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
}

}  // namespace norvella
