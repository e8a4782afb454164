// Where the editor finds the game and the solver: beside its own
// executable first (the build tree's run/ folder, or an installed tree
// wherever it was moved), then in the folder the programs are installed in.
#pragma once

#include <string>

// The program's path, or empty when it is in neither place.
std::string SiblingProgram(const std::string& name);

// The folder the programs are installed in (absolute, from the build).
void SetInstalledProgramFolder(const std::string& folder);
