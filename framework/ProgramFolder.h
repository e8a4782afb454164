// Where a task reads its localization files. The current directory comes
// first, as it always has: a contest machine's task folder holds the files
// there. Then the folder of the program itself, so that a program started
// from anywhere by its path (the build tree's run/ folder, a copy of the
// task's folder) finds the files that lie beside it. Last, an installed
// program reads the copies installed with it. Those copies belong to the
// package, not to the run: they are never written back, also when root
// runs the game.
#pragma once

#include <string>
#include <vector>

// The installed data folder: absolute, or relative to the folder of the
// running executable ("../share/games/glowmere"). Empty, the default, means the
// program is not installed (tests, the judge): the current directory is
// then the program folder whatever it holds.
void SetInstalledDataFolder(const std::string& folder);
// The folder set above, made absolute and normal, without a trailing "/";
// empty when none is set or the executable cannot be found.
std::string InstalledDataFolder();

struct TProgramFolderChoice {
  std::string Folder;  // ends with "/" (unless empty: names stay relative)
  bool Installed;      // Folder is the installed data folder: read, never written
};

// current, beside (the executable's folder) and installed end without "/";
// names are the localization file names. The first of current and beside
// that holds any of them (a file, or whatever else stands under that
// name); else the installed folder, whether it holds them or not; with
// nothing installed, the current directory. Either way Installed tells
// whether the folder chosen is the installed one, also when it is that
// folder under another name.
TProgramFolderChoice ChooseProgramFolder(const std::string& current, const std::string& beside,
                                         const std::string& installed, const std::vector<std::string>& names);

// The folder of the running executable, from /proc/self/exe; empty if unknown.
std::string ExecutableFolder();
