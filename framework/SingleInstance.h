// One running copy of a task per user. Two copies would each hold the
// record and the autosave in memory and write them whole at exit, so the
// one that ends last would throw away a better record set by the other.
//
// The lock is flock() on "<stem>.lock" in the per-user folder. The kernel
// drops it when the process ends, however it ends, so a game that was
// killed never blocks the next start. The copy that holds the lock listens
// on the local socket "<stem>.socket" beside it, and a later start asks it
// through that socket to come to the front. Both files go when the holder
// ends normally, so that between runs the folder holds the task's own
// files only; a taker checks, once locked, that the file it locked still
// has the name, which closes the race with a holder removing it.
#pragma once

#include <QObject>
#include <string>

class QLocalServer;

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit TSingleInstance(std::string stem);
  ~TSingleInstance() override;  // closes the socket; the lock goes with the file descriptor

  // Takes the lock without waiting. True: this process is the one; from
  // now on it brings its windows to the front when a later start asks.
  // Also true when no lock file can be made at all (no home, a folder that
  // may not be written): a game that cannot write its files cannot lose a
  // record either, and refusing to start would help nobody. False: another
  // process holds the lock.
  bool Acquire();
  bool Held() const { return held_; }
  bool Listening() const;

  // For a process that did not get the lock: asks the holder to come to
  // the front and waits for its answer, up to timeoutMs, in a local event
  // loop (so the holder may even be this process). True when it answered.
  bool ActivateRunning(int timeoutMs = 3000);

  std::string LockFileName() const { return stem_ + ".lock"; }
  std::string SocketName() const { return stem_ + ".socket"; }

 signals:
  // Emitted in the holder after it brought the task window to the front.
  void Activated();

 private:
  void Listen();
  void Answer();

  std::string stem_;
  int fd_ = -1;
  bool held_ = false;
  bool locked_ = false;  // held_ through a real lock on the named file
  QLocalServer* server_ = nullptr;  // child of this object
};
