#include "gui/export/rocket.h"

#include <QProcess>
#include <QStandardPaths>

namespace norvella {

QString SendToRocket(const QString& documentPath) {
  const QString program = QStandardPaths::findExecutable(kLibrarianProgram);
  if (program.isEmpty()) return QString("%1 was not found on the PATH.").arg(kLibrarianProgram);
  QProcess process;
  process.setProgram(program);
  process.setArguments({documentPath});
  if (process.startDetached()) return {};
  return QString("%1: %2").arg(program, process.errorString());
}

}  // namespace norvella
