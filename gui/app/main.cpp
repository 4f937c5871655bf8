// norvella: the desktop converter and reader.

#include <exception>
#include <memory>
#include <stdexcept>

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QTimer>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include "core/settings/store.h"
#include "gui/app/settings_app_store.h"
#include "gui/common/artwork.h"
#include "gui/app/shutdown_signals.h"
#include "gui/app/splash.h"
#include "gui/app/startup.h"
#include "gui/convert/converter_controller.h"
#include "gui/ui/main_window.h"

int main(int argc, char** argv) {
  using namespace norvella;
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Norvella");
  QApplication::setApplicationVersion("1.00");
  QApplication::setDesktopFileName("norvella");
  QApplication::setWindowIcon(AppIcon());
  // Our own pictures stand in for icons the desktop theme lacks; without a
  // configured theme, a common one is looked in first.
  if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor") QIcon::setThemeName("Adwaita");

  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  SettingsAppStore store(DefaultStorePath());
  if (IsUninstallCommand(arguments)) {
    RunUninstall(store, nullptr);
    return 0;
  }

  auto* splash = new TSplash;
  splash->ShowNow();
  CheckBrowserVersion(QString::fromLatin1(qWebEngineVersion()), store, splash);

  std::unique_ptr<TMain> window;
  try {
    if (!BrowserEngineAvailable()) throw std::runtime_error("no page engine");
    window = std::make_unique<TMain>(std::make_unique<ConverterController>(store),
                                     JoinArguments(arguments));
  } catch (const std::exception&) {
    splash->close();
    ShowBrowserMissing(nullptr);
    return 1;
  }
  QObject::connect(window.get(), &TMain::FirstShown, splash, [splash] {
    // The reader restores its reading position here once it exists.
    splash->CloseLater({});
  });
  // Ending on a signal leaves every event loop, a question's included.
  EndGracefullyOnSignals([] { QCoreApplication::quit(); });
  window->show();
  // The file is opened from inside the event loop, so that an interruption
  // during its questions ends the program too.
  QTimer::singleShot(0, window.get(), [&window, arguments] { OpenCommandLineFile(*window, arguments); });
  const int code = QApplication::exec();
  window.reset();  // settings saved, temporary files deleted
  return code;
}
