#pragma once

// What happens before and around the main window: the command line, the
// uninstall command, the check of the page engine, and the file named on
// the command line.

#include <QString>
#include <QStringList>

class QWidget;

namespace norvella {

class AppStore;
class TMain;

// The arguments joined by single spaces, so that an unquoted path with
// spaces is understood.
QString JoinArguments(const QStringList& arguments);
// True when the first argument is "/UNINSTALL" in any letter case.
bool IsUninstallCommand(const QStringList& arguments);

// The uninstall command: asks, removes the data, and says so.
void RunUninstall(AppStore& store, QWidget* parent);

// The page engine's version passes when its first character is a digit of
// 4 or more; a version that does not begin with a digit does not pass.
bool BrowserVersionPasses(const QString& version);
// Warns once per user, ever, when the version does not pass.
void CheckBrowserVersion(const QString& version, AppStore& store, QWidget* parent);
// Whether the page engine's helper program is installed; without it no
// page view can work.
bool BrowserEngineAvailable();
// The fatal message when no page view can be made.
void ShowBrowserMissing(QWidget* parent);

QString IncorrectFilenameMessage(const QString& joinedName);
// Opens the file named by the arguments in the window, or says that there
// is no such file. Nothing happens without arguments.
void OpenCommandLineFile(TMain& window, const QStringList& arguments);

}  // namespace norvella
