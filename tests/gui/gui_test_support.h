#pragma once

// Helpers for the desktop program's tests: a store kept in memory, and an
// answerer that deals with modal dialogs as they come up, the way a user
// would, recording what they said.

#include <functional>
#include <map>
#include <set>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
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

// Keys with their entry counts and the settings as stored texts. Saving
// writes every option, so a second window started on the same store loads
// what the first one left.
class MemoryStore : public AppStore {
 public:
  std::map<std::string, std::string> values;  // stored option name -> text
  std::map<std::string, std::size_t> keys;    // key path -> number of entries
  bool warningShown = false;
  int saves = 0;

  void LoadSettings(Options& options) override {
    for (const OptionInfo& info : OptionTable()) {
      const auto found = values.find(std::string(info.name));
      if (found != values.end()) options.SetFromText(info.name, found->second, nullptr);
    }
  }
  void SaveSettings(const Options& options, const SaveSettingsState&) override {
    ++saves;
    for (const OptionInfo& info : OptionTable()) {
      values[std::string(info.name)] = info.type == OptionType::String
                                           ? options.Text(info.id)
                                           : std::to_string(options.Number(info.id));
    }
    keys.emplace(std::string(kSettingsKey), 0);
    keys.emplace(std::string(kUninstallKey), 2);
  }
  bool KeyExists(std::string_view path) const override { return keys.count(std::string(path)) > 0; }
  std::size_t EntryCount(std::string_view path) const override {
    const auto found = keys.find(std::string(path));
    if (found == keys.end()) return 0;
    std::size_t count = found->second;
    const std::string prefix = std::string(path) + "\\";
    for (const auto& [key, entries] : keys)
      if (key.compare(0, prefix.size(), prefix) == 0 && key.find('\\', prefix.size()) == std::string::npos)
        ++count;
    return count;
  }
  void DeleteKey(std::string_view path) override {
    const std::string prefix = std::string(path) + "\\";
    for (auto it = keys.begin(); it != keys.end();) {
      if (it->first == path || it->first.compare(0, prefix.size(), prefix) == 0) it = keys.erase(it);
      else ++it;
    }
  }
  bool MarkWarningShown() override {
    const bool before = warningShown;
    warningShown = true;
    return before;
  }
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
