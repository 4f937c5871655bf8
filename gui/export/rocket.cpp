#include "gui/export/rocket.h"

#include <QProcess>
#include <QStandardPaths>

namespace norvella {

bool SendToRocket(const QString& documentPath) {
  const QString program = QStandardPaths::findExecutable(kLibrarianProgram);
  if (program.isEmpty()) return false;
  return QProcess::startDetached(program, {documentPath});
}

}  // namespace norvella
