// Screenshots of the real main window: norvella-screenshot BOOK OUTDIR
// Loads the book, shows it in the simple mode and then in the advanced
// mode, and saves simple.png and advanced.png. Meant to run under a
// virtual display (scripts/screenshot).

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>

#include "gui/convert/app_store.h"
#include "gui/convert/converter_controller.h"
#include "gui/ui/main_window.h"
#include "gui/ui/web_browser.h"

namespace {

// The settings of a user who has seen the questions before and made the
// window larger, as the program stored them at its last exit.
class SeasonedUserStore final : public norvella::AppStore {
 public:
  SeasonedUserStore() {
    using norvella::Opt;
    norvella::Options o;
    o.SetFlag(Opt::AskAboutTitle, false);
    o.SetFlag(Opt::ConfirmToc, false);
    o.SetFlag(Opt::AskedAboutTitle, true);
    o.SetNumber(Opt::WindowWidth, 1120);
    o.SetNumber(Opt::WindowHeight, 720);
    o.SetNumber(Opt::PanelWidth, 270);
    norvella::SaveSettings(registry_, o, {});
  }
  norvella::Registry& Keys() override { return registry_; }
  const norvella::Registry& Keys() const override { return registry_; }

 private:
  norvella::Registry registry_;
};

bool Shoot(norvella::TMain& window, const QString& file) {
  window.ActiveBrowser()->WaitUntilReady();
  norvella::WebBrowser::WaitFor([] { return false; }, 1500);  // let the page paint
  const QPixmap shot = window.screen()->grabWindow(window.winId());
  return shot.save(file, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor") QIcon::setThemeName("Adwaita");
  if (argc != 3) {
    std::fprintf(stderr, "usage: norvella-screenshot BOOK OUTDIR\n");
    return 2;
  }
  const QString book = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  const QDir out(QString::fromLocal8Bit(argv[2]));
  SeasonedUserStore store;
  norvella::TMain window(std::make_unique<norvella::ConverterController>(store), QString());
  window.move(0, 0);
  window.show();
  window.SetSourceFileName(book);
  window.LoadSrc(norvella::TMain::kLoadNamedFile);
  bool ok = Shoot(window, out.filePath("simple.png"));
  window.InterfaceModeClick(norvella::kAdvancedMode);
  ok = Shoot(window, out.filePath("advanced.png")) && ok;
  std::fprintf(stderr, "%s\n", ok ? "screenshots written" : "norvella-screenshot: could not write");
  return ok ? 0 : 1;
}
