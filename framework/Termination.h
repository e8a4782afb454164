// Orderly termination from outside. SIGTERM, SIGINT and SIGHUP, and the
// desktop session ending, close the task's windows normally, so the event
// loop ends and FinalizeTask writes every file, instead of the process
// dying with the player's position unsaved.
//
// The signal handler only writes a byte into a self-pipe (the one thing a
// handler may safely do); a socket notifier reads it in the event loop and
// closes the windows there. Requests that arrive before any loop runs wait
// in the pipe until one does; one handled in a modal loop that runs before
// the application's own loop (quit() is lost there) is repeated once the
// application's loop runs.
#pragma once

// Call once the QApplication exists; calling again is harmless. Returns
// false when there is no application or the pipe cannot be made.
bool InstallTerminationHandlers();

// Restores the signal actions found at installation (tests use this).
void UninstallTerminationHandlers();

// What a termination request does, on the GUI thread: close every
// top-level window (modal ones first, in Qt's order), then end the event
// loop if no window stayed open.
void CloseTaskForTermination();

// True while the windows are being closed for a termination request or
// because the application quits: a window must not ask anything then
// (nobody may be there to answer, and a session's end would wait on it).
bool ClosingForTermination();
