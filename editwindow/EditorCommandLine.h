// glowmere-edit [--help] [--version] [MAP]. --help and --version answer on
// standard output and end the program before any window system is asked
// for. MAP is the level to edit: a file that does not exist yet is a new
// level to be saved there. Qt's own options are taken by the application
// object first.
#pragma once

#include <QStringList>
#include <optional>
#include <ostream>
#include <string>

// Call first thing in main, before the application object exists.
void ProcessEditorCommandLine(int argc, char** argv);

struct TEditorOptions {
  std::string mapPath;  // empty: a new level
};

// The arguments left after the application took Qt's (program name
// first); nothing, with the reason written to err, when they are wrong.
std::optional<TEditorOptions> ReadEditorOptions(const QStringList& arguments, std::ostream& err);
