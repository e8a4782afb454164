// Per-user folders of the platform, asked for by shell folder identifiers.
// On Linux they map to the XDG base and user directories:
//   local application data (0x001C): $XDG_DATA_HOME, else ~/.local/share;
//   documents (0x0005): $XDG_DOCUMENTS_DIR, else XDG_DOCUMENTS_DIR from
//     ${XDG_CONFIG_HOME:-~/.config}/user-dirs.dirs, else ~/Documents.
// The environment is read on every call (tests redirect it), and these
// variables are the only ones the framework reads.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t CSIDL_PERSONAL = 0x0005;
constexpr int32_t CSIDL_LOCAL_APPDATA = 0x001C;
// Or-ed into the identifier: create the folder (and its parents) if missing.
constexpr int32_t CSIDL_FLAG_CREATE = 0x8000;

// The folder's path without a trailing separator; empty when the platform
// cannot name it (unknown identifier, no home folder).
std::string GetSpecialFolderPath(int32_t folder);

// The user's home folder: $HOME, else the password database; empty if
// neither names an absolute path.
std::string HomeFolder();

// Creates a folder and its missing parents; failures are ignored (a later
// write into it then fails on its own).
void ForceFolder(const std::string& path);

// base + "/" + name, or name alone (relative to the current directory) when
// base is empty, so that an unknown folder never turns into the root.
std::string JoinFolder(const std::string& base, const std::string& name);
