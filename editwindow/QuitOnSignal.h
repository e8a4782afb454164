// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C in the terminal, the
// terminal closing) end the editor at once and quietly, with exit status 0:
// no question is asked, since nobody may be there to answer it, and nothing
// is lost, since the journal keeps every unsaved step for the next start on
// the same map. The handler only writes a byte into a pipe; the event loop
// reads it and quits, so the window and its solver child are taken down in
// order.
#pragma once

// Call once the application exists; false when the pipe cannot be made.
bool QuitOnTerminationSignals();

// True once a termination signal was served. A signal served by a modal
// box's own loop before the main loop runs (the refused map's box at the
// start) only ends that box, and the main loop would then run on: main asks
// this before it enters the loop.
bool TerminationRequested();
