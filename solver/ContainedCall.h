// A piece of work run in a child process, so that whatever it does to its
// own memory (a crash inside a library, an abort, a hang past its time)
// cannot take the caller with it. The child writes its answer into a pipe;
// the caller reads it back, and stops the child at a deadline.
//
// The caller must have no other threads running at the call: the child
// starts with only the calling thread, and a lock another thread held at
// that moment would stay held in the child for ever. (A thread that only
// waits for a signal, holding no lock, as glowmere-solve's watcher of its
// stop signals does, is no such thread.) A stop requested through the
// deadline ends the child within a few hundredths of a second, and the
// child dies with its parent.
#pragma once

#include <functional>
#include <string>

#include "solver/Deadline.h"

struct TContainedOutcome {
  std::string answer;     // every byte the work wrote, in order
  bool completed = false; // the child ran the work to its end and exited normally
  bool stopped = false;   // the deadline came first and the child was killed
  std::string failure;    // otherwise, how the child ended ("signal 11", "exit status 3")
};

// Runs work(fd) in a child process: work writes its answer to fd (with
// WriteAll). An exception from work ends the child with exit status 3.
TContainedOutcome RunContained(const std::function<void(int fd)>& work, const TDeadline& deadline);

// Writes all of data to fd, across short writes; false on an error.
bool WriteAll(int fd, const void* data, size_t size);
