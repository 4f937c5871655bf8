#pragma once

// The Ok and Cancel buttons of the program's dialogs. Each dialog places
// them in its own layout; what they are and do is the same everywhere.

#include <QDialog>
#include <QPushButton>
#include <QString>

namespace norvella {

struct OkCancelButtons {
  QPushButton* ok;
  QPushButton* cancel;
};

// Named "ok" and "cancel" (the names tests and scripts find them by), Ok
// the default button, accepting and rejecting the dialog.
inline OkCancelButtons MakeOkCancelButtons(QDialog* dialog, const QString& okText, const QString& cancelText) {
  auto* ok = new QPushButton(okText, dialog);
  ok->setObjectName("ok");
  ok->setDefault(true);
  auto* cancel = new QPushButton(cancelText, dialog);
  cancel->setObjectName("cancel");
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return {ok, cancel};
}

}  // namespace norvella
