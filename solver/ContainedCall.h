// A piece of work run in a child process, so that whatever it does to its
// own memory (a crash inside a library, an abort, a hang past its time)
// cannot take the caller with it. The child writes its answer into a pipe;
// the caller reads it back, and stops the child at a deadline.
//
// The caller must have no other threads running at the call: the child
// starts with only the calling thread, and a lock another thread held at
// that moment would stay held in the child for ever. (A thread that only
// waits for a signal, holding no lock, as glowmere-solve's watcher of its
// stop signals does, is no such thread.) Work of the caller's own that
// should run while the child does (the local search) is handed in as
// alongside, which starts its thread after the fork. A stop requested
// through the deadline ends the child within a few hundredths of a
// second, and the child dies with its parent.
#pragma once

#include <functional>
#include <stop_token>
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
// alongside, where given, runs in the parent on a thread started after
// the fork, is asked to stop through its token once the child has ended
// (or was ended), and is joined before RunContained returns.
using TAlongside = std::function<void(std::stop_token)>;
TContainedOutcome RunContained(const std::function<void(int fd)>& work, const TDeadline& deadline,
                               const TAlongside& alongside = nullptr);

// Writes all of data to fd, across short writes; false on an error.
bool WriteAll(int fd, const void* data, size_t size);
