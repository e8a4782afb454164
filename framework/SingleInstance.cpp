// The per-user lock and the bring-to-front socket; see SingleInstance.h.
#include "framework/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>
#include <cerrno>

#include "framework/QtText.h"
#include "framework/TaskStart.h"

namespace {

// The request and its answer: one line each.
constexpr char Request[] = "front\n";
constexpr char Reply[] = "ok\n";

void BringToFront(QWidget* window) {
  if (!window) return;
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->raise();
  window->activateWindow();
}

}  // namespace

TSingleInstance::TSingleInstance(std::string stem) : stem_(std::move(stem)) {}

TSingleInstance::~TSingleInstance() {
  delete server_;  // removes the socket file while we still hold the lock
  server_ = nullptr;
  // Unlinked while still locked: a later taker that opened the old file
  // finds, once it has the lock, that the name no longer leads to it.
  if (locked_) unlink(LockFileName().c_str());
  if (fd_ >= 0) close(fd_);
}

namespace {

// The descriptor's file is the one the name leads to now.
bool StillNamed(int fd, const std::string& name) {
  struct stat opened {}, named {};
  return fstat(fd, &opened) == 0 && stat(name.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

}  // namespace

bool TSingleInstance::Acquire() {
  if (held_) return true;
  for (;;) {
    if (fd_ < 0) {
      fd_ = open(LockFileName().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
      if (fd_ < 0) {
        held_ = true;  // see the header: nothing to lock, nothing to lose
        return true;
      }
    }
    int result;
    do {
      result = flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0 && errno == EWOULDBLOCK) return false;
    // A file system without locks (ENOLCK) cannot keep a second copy out.
    if (result != 0) {
      held_ = true;
      return true;
    }
    if (StillNamed(fd_, LockFileName())) break;
    // The holder removed the file after we opened it: take the lock on
    // the name as it is now.
    close(fd_);
    fd_ = -1;
  }
  held_ = true;
  locked_ = true;
  Listen();
  return true;
}

bool TSingleInstance::Listening() const { return server_ && server_->isListening(); }

void TSingleInstance::Listen() {
  const QString name = PathToQString(SocketName());
  // Holding the lock, we know that no live copy listens there: a socket
  // file left by a killed one is stale and goes.
  QLocalServer::removeServer(name);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name)) {
    // A path longer than a socket address holds, say: later starts then
    // fall back to their message instead.
    delete server_;
    server_ = nullptr;
    return;
  }
  connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::Answer);
}

void TSingleInstance::Answer() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > 64) socket->abort();  // not one of ours
        return;
      }
      if (socket->readLine(64) != Request) {
        socket->abort();
        return;
      }
      // The task window first, then a dialog that runs over it.
      BringToFront(TaskWindow);
      if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != TaskWindow) BringToFront(modal);
      socket->write(Reply);
      socket->flush();
      emit Activated();
    });
  }
}

bool TSingleInstance::ActivateRunning(int timeoutMs) {
  QLocalSocket socket;
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  QByteArray answer;
  connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  connect(&socket, &QLocalSocket::connected, &loop, [&socket] { socket.write(Request); });
  connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
    answer += socket.readAll();
    if (answer.contains('\n') || answer.size() > 64) loop.quit();
  });
  connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
  connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
  timer.start(timeoutMs);
  socket.connectToServer(PathToQString(SocketName()));
  // A connection refused at once has already reported its error.
  if (socket.state() != QLocalSocket::UnconnectedState) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return answer == Reply;
}
