#include "gui/app/startup.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>

#include "gui/convert/app_store.h"
#include "gui/ui/main_window.h"

namespace norvella {

QString JoinArguments(const QStringList& arguments) { return arguments.join(' '); }

bool IsUninstallCommand(const QStringList& arguments) {
  return !arguments.isEmpty() && arguments.first().toUpper() == "/UNINSTALL";
}

void RunUninstall(AppStore& store, QWidget* parent) {
  QMessageBox ask(QMessageBox::NoIcon, "Uninstall",
                  "Are you sure you want to remove all Norvella settings from registry?",
                  QMessageBox::Yes | QMessageBox::No, parent);
  if (ask.exec() != QMessageBox::Yes) return;
  store.RemoveStoredData();
  QMessageBox done(QMessageBox::NoIcon, "Uninstall",
                   "No data is stored for program now. Remove executable manually.",
                   QMessageBox::Ok, parent);
  done.exec();
}

bool BrowserVersionPasses(const QString& version) {
  return !version.isEmpty() && version.front().isDigit() && version.front().digitValue() >= 4;
}

void CheckBrowserVersion(const QString& version, AppStore& store, QWidget* parent) {
  if (BrowserVersionPasses(version) || store.MarkWarningShown()) return;
  QMessageBox::critical(parent, "Error !!!",
                        "Looks like you have no IE4+ installed. This may cause some problems.");
}

bool BrowserEngineAvailable() {
  QString helper = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
  if (helper.isEmpty())
    helper = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/QtWebEngineProcess";
  return QFileInfo(helper).isExecutable();
}

void ShowBrowserMissing(QWidget* parent) {
  QMessageBox::critical(parent, "Fatal error !!!",
                        "Looks like you have no ActiveX browser installed. Install IE 4 (or later) "
                        "or other OLE-supporting browser.\n Sorry, but the program will not work.");
}

QString IncorrectFilenameMessage(const QString& joinedName) {
  return "Incorrect filename in parameters:\n\"" + joinedName + "\":\nFile does not exists";
}

void OpenCommandLineFile(TMain& window, const QStringList& arguments) {
  if (arguments.isEmpty() || arguments.first().isEmpty()) return;
  const QString name = JoinArguments(arguments);
  const QFileInfo file(name);
  if (file.isFile()) {
    window.SetSourceFileName(file.absoluteFilePath());
    window.LoadSrc(TMain::kLoadNamedFile);
    return;
  }
  QMessageBox::information(&window, "Info", IncorrectFilenameMessage(name));
}

}  // namespace norvella
