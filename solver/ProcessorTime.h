// Processor time, the measure of work that a busy machine does not
// stretch: an allowance of wall-clock time holds a fraction of the work on
// a loaded machine that it holds on a quiet one, so a limit meant to say
// "this much work, then try otherwise" is set in processor time. The
// time limit of a whole solve stays wall-clock time.
#pragma once

#include <sys/types.h>

// This process's processor time (user and system, every thread) and that
// of its child processes that have ended and been waited for, in seconds.
double ProcessorSeconds();
// The processor time of a running child process, every thread of it, in
// seconds; negative when it cannot be read (the child is gone).
double ChildProcessorSeconds(pid_t child);
