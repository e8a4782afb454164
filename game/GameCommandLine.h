// glowmere [--help] [--version] [--map FILE [SOLUTION]]. A plain start takes
// no arguments and is what the desktop's menu runs. --help and --version
// answer on standard output and end the program with status 0 before any
// window system is asked for, so they work in a terminal without a display.
//
// --map FILE opens the game on a level designer's map (the map text that
// glowmere-solve and glowmere-judge read), with the lights of SOLUTION on
// it when one is given. Such a preview keeps its record and position in
// memory: it never reads or writes the player's record, autosave,
// settings or statistics, so it needs no one-game lock and runs beside the
// player's game. Qt's own options (such as -platform) are taken by the
// application object first.
#pragma once

#include <QStringList>
#include <optional>
#include <ostream>
#include <string>

#include "art/LevelResources.h"

// Call first thing in main, before the application object exists.
void ProcessGameCommandLine(int argc, char** argv);

struct TGameOptions {
  TLevelChoice level;        // shipped unless --map
  std::string solutionPath;  // SOLUTION, empty when none
};

// The options left after the application took Qt's (program name first).
// Nothing when the command line is wrong or the map is refused; the reason
// is written to err.
std::optional<TGameOptions> ReadGameOptions(const QStringList& arguments, std::ostream& err);
