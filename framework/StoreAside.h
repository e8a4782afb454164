// A per-user store found damaged is kept, not thrown away: its file is
// moved aside, beside itself, as NAME.bad (NAME.bad.2, NAME.bad.3, ... when
// that name is taken), and the tree goes on empty, so that its next write
// makes a sound file under the old name. The task decides what "damaged"
// means for its own stores; the player can send the file in or mend it.
#pragma once

#include <string>

#include "framework/IniNameValueTree.h"

// The file's bytes as they are on the disk; empty when it cannot be read
// (missing, a folder, unreadable).
std::string StoreFileBytes(const TIniNameValueTree& tree);

// Moves the tree's file aside and empties the tree. Returns the new name
// (the file name alone, without its folder), or "" when the file could not
// be moved; the tree then stays as it was.
std::string KeepStoreAside(TIniNameValueTree& tree);
