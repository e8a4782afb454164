// glowmere [--help] [--version]. A plain start takes no arguments and is
// what the desktop's menu runs. The two options answer on standard output
// and end the program with status 0 before any window system is asked for,
// so they work in a terminal without a display. Anything else is left to
// the application object as before (Qt takes its own options, such as
// -platform, and the game ignores the rest).
#pragma once

// Call first thing in main, before the application object exists.
void ProcessGameCommandLine(int argc, char** argv);
