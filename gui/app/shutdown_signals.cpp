#include "gui/app/shutdown_signals.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace norvella {
namespace {

int pipeEnds[2] = {-1, -1};

extern "C" void NoteSignal(int signalNumber) {
  // Only async-signal-safe calls here: later signals get the default action.
  std::signal(signalNumber, SIG_DFL);
  const char byte = static_cast<char>(signalNumber);
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
}

}  // namespace

void EndGracefullyOnSignals(std::function<void()> onSignal) {
  if (pipeEnds[0] < 0) {
    if (::pipe(pipeEnds) != 0) return;
    for (const int end : pipeEnds) ::fcntl(end, F_SETFD, FD_CLOEXEC);
    ::fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK);
  }
  auto* notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, onSignal] {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(pipeEnds[0], &byte, 1);
    notifier->setEnabled(false);
    onSignal();
  });
  std::signal(SIGINT, NoteSignal);
  std::signal(SIGTERM, NoteSignal);
}

}  // namespace norvella
