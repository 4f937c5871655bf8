#pragma once

// Helpers for the desktop program's tests: a store kept in memory, and an
// answerer that deals with modal dialogs as they come up, the way a user
// would, recording what they said.

#include <cstdint>
#include <functional>
#include <optional>
#include <map>
#include <set>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "core/settings/options.h"
#include "gui/convert/app_store.h"

namespace norvella::test {

// The program's store kept in memory: the same registry and the same load,
// save and removal as the settings file, without the file. Saving writes
// every option, so a second window started on the same store loads what
// the first one left.
class MemoryStore : public AppStore {
 public:
  Registry registry;
  int saves = 0;  // how often the store was kept

  Registry& Keys() override { return registry; }
  const Registry& Keys() const override { return registry; }

  // Stores an option's value as the settings file holds it (a number for
  // a flag or a number). The first one brings every other option at its
  // default, as in the store of a program that was closed once: loading
  // stops at the first number it lacks.
  void Set(std::string_view option, std::string_view text) {
    RegKey* key = registry.Open(kSettingsKey);
    if (key == nullptr) {
      key = &registry.Create(kSettingsKey);
      for (const OptionInfo& info : OptionTable()) {
        if (info.type == OptionType::String) key->WriteString(info.name, info.textDefault);
        else key->WriteInteger(info.name, info.intDefault);
      }
    }
    const OptionInfo* info = FindOption(option);
    QVERIFY2(info != nullptr, std::string(option).c_str());
    if (info->type == OptionType::String) key->WriteString(info->name, text);
    else key->WriteInteger(info->name, std::stoi(std::string(text)));
  }
  // The stored value as text; empty when it is missing.
  std::string Value(std::string_view option) const {
    const RegKey* key = registry.Open(kSettingsKey);
    if (key == nullptr) return {};
    if (std::optional<std::string> text = key->ReadString(option)) return *text;
    if (std::optional<std::int32_t> number = key->ReadInteger(option)) return std::to_string(*number);
    return {};
  }
  // A key with that many values.
  void AddKey(std::string_view path, int values = 0) {
    RegKey& key = registry.Create(path);
    for (int i = 0; i < values; ++i) key.WriteInteger("value " + std::to_string(i), i);
  }
  bool WarningShown() const {
    const RegKey* key = registry.Open(kSettingsKey);
    return key != nullptr && key->HasValue("WarningShown");
  }

 protected:
  void Persist() override { ++saves; }
};

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// True when every byte was written.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Answers every modal dialog that appears while it lives. The answer
// function gets the dialog; message texts and dialog titles are recorded.
class ModalAnswerer : public QObject {
 public:
  explicit ModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
    connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
    timer_.start(10);
  }

  QStringList seen;  // message box texts, or the titles of other dialogs

  // Clicks the message box button with that role, or the child button of
  // that object name, when the dialog has it.
  static void Click(QWidget* dialog, QMessageBox::StandardButton button) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
      if (QAbstractButton* found = box->button(button)) found->click();
  }
  static void Click(QWidget* dialog, const char* buttonName) {
    if (auto* button = dialog->findChild<QAbstractButton*>(buttonName)) button->click();
  }

 private:
  void Look() {
    for (auto it = answered_.begin(); it != answered_.end();) {
      if (it->isNull() || !(*it)->isVisible()) it = answered_.erase(it);
      else ++it;
    }
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !dialog->isVisible()) return;
    for (const auto& done : answered_)
      if (done == dialog) return;
    answered_.push_back(dialog);
    auto* box = qobject_cast<QMessageBox*>(dialog);
    seen << (box != nullptr ? box->text() : dialog->windowTitle());
    answer_(dialog);
  }

  std::function<void(QWidget*)> answer_;
  QTimer timer_;
  std::vector<QPointer<QWidget>> answered_;
};

// Answers a file dialog with `path` as a person would: the folder, then the
// name typed over whatever the dialog proposes, then Save or Open. The
// dialog's own selectFile leaves the name field alone while it has the
// focus, so it cannot be trusted to change what is written there.
inline void ChooseFile(QFileDialog* dialog, const QString& path) {
  const QFileInfo target(path);
  dialog->setDirectory(target.absolutePath());
  dialog->selectFile(target.fileName());
  if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(target.fileName());
  QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
}

// A modal dialog that no answerer deals with would wait for a user who
// never comes, and the test would hang until its time-out. One that stays
// up for 20 seconds fails the running test: it is named in a warning and
// closed (a dialog is rejected), and the test goes on to its end.
class UnansweredDialogGuard : public QObject {
 public:
  explicit UnansweredDialogGuard(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
    timer_.start(1000);
  }

 private:
  void Look() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || dialog != watched_) {
      watched_ = dialog;
      seconds_ = 0;
      return;
    }
    if (++seconds_ < 20) return;
    auto* box = qobject_cast<QMessageBox*>(dialog);
    QTest::failOnWarning(QRegularExpression("^Closing a dialog no test answered"));
    qWarning("Closing a dialog no test answered: %s",
             qPrintable(box != nullptr ? box->text() : dialog->windowTitle()));
    if (auto* modal = qobject_cast<QDialog*>(dialog)) modal->reject();
    else dialog->close();
    watched_ = nullptr;
  }

  QTimer timer_;
  QPointer<QWidget> watched_;
  int seconds_ = 0;
};

}  // namespace norvella::test

// Every test program gets the guard as soon as its application exists.
inline void CloseUnansweredDialogsOfEveryTest() {
  new norvella::test::UnansweredDialogGuard(QCoreApplication::instance());
}
Q_COREAPP_STARTUP_FUNCTION(CloseUnansweredDialogsOfEveryTest)
