// Self-pipe signal handling and the session-end hooks.
#include "framework/Termination.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <csignal>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

namespace {

constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

int pipeFds[2] = {-1, -1};
bool signalsInstalled = false;
struct sigaction previousActions[3];
QPointer<QSocketNotifier> notifier;
QPointer<QCoreApplication> hookedApplication;
// Set by aboutToQuit: tells whether a quit request reached a running
// application loop (quit() does nothing before QApplication::exec).
bool quitStarted = false;
// Set while CloseTaskForTermination or the quit closes the windows.
bool closingForTermination = false;

void CloseAllWindowsForTermination() {
  closingForTermination = true;
  QApplication::closeAllWindows();
  closingForTermination = false;
}

extern "C" void OnTerminationSignal(int signalNumber) {
  const int savedErrno = errno;
  const char byte = static_cast<char>(signalNumber);
  // A full pipe already holds a pending request; dropping this one is fine.
  [[maybe_unused]] const ssize_t written = write(pipeFds[1], &byte, 1);
  errno = savedErrno;
}

void DrainPipe() {
  char buffer[64];
  while (read(pipeFds[0], buffer, sizeof buffer) > 0) {
  }
}

bool MakePipe() {
  if (pipeFds[0] >= 0) return true;
  if (pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) != 0) {
    pipeFds[0] = pipeFds[1] = -1;
    return false;
  }
  return true;
}

}  // namespace

void CloseTaskForTermination() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    QCoreApplication::quit();
    return;
  }
  CloseAllWindowsForTermination();
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible()) return;  // a window refused to close; it has the last word
  }
  quitStarted = false;
  QCoreApplication::quit();
  if (!quitStarted && hookedApplication == QCoreApplication::instance()) {
    // The request came in a modal loop that runs before the application's
    // own loop (a window showing a dialog while it is first shown): quit()
    // is lost there, so try again once the next loop runs.
    QTimer::singleShot(10, QCoreApplication::instance(), [] { CloseTaskForTermination(); });
  }
}

bool ClosingForTermination() { return closingForTermination; }

bool InstallTerminationHandlers() {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || !MakePipe()) return false;

  if (!notifier) {
    notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, application);
    QObject::connect(notifier, &QSocketNotifier::activated, application, [] {
      DrainPipe();
      CloseTaskForTermination();
    });
  }
  if (hookedApplication != application) {
    hookedApplication = application;
    // Windows get their close events also when something else ends the loop.
    QObject::connect(application, &QCoreApplication::aboutToQuit, application, [] {
      quitStarted = true;
      if (qobject_cast<QApplication*>(QCoreApplication::instance())) CloseAllWindowsForTermination();
    });
#ifndef QT_NO_SESSIONMANAGER
    if (auto* gui = qobject_cast<QGuiApplication*>(application)) {
      QObject::connect(gui, &QGuiApplication::commitDataRequest, gui,
                       [](QSessionManager&) { CloseTaskForTermination(); });
    }
#endif
  }

  if (!signalsInstalled) {
    for (size_t i = 0; i < std::size(Signals); ++i) {
      struct sigaction action {};
      action.sa_handler = OnTerminationSignal;
      sigemptyset(&action.sa_mask);
      action.sa_flags = SA_RESTART;
      sigaction(Signals[i], &action, &previousActions[i]);
    }
    signalsInstalled = true;
  }
  return true;
}

void UninstallTerminationHandlers() {
  if (!signalsInstalled) return;
  for (size_t i = 0; i < std::size(Signals); ++i) sigaction(Signals[i], &previousActions[i], nullptr);
  signalsInstalled = false;
}
