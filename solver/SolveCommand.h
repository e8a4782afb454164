// glowmere-solve: the fewest lights that light a level's whole floor, with
// a proof, from the command line. Progress goes to standard error, one
// line per round; the result to standard output, "optimum N" or, when
// the time limit comes first, "best N, lower bound M".
//
// Exit statuses: 0 the search ended (proved or stopped by the time limit);
// 1 the solution file could not be written, or the game would not count
// the cover as full; 2 a bad command line or a map that is refused
// (nothing is written then); 3 the integer-programming library failed (the
// best cover and lower bound so far are still reported and written).
#pragma once

#include <QStringList>
#include <ostream>

// arguments: the whole command line, program name first.
int RunSolve(const QStringList& arguments, std::ostream& out, std::ostream& err);

// The level map the game plays, built into the program.
const char* ShippedMapText();
