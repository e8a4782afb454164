// The level's file: reading it into walls, with what the editor must know
// beyond them (the line end to keep, whether there was a file at all, the
// reader's reason for a refusal), and saving walls into it through the one
// writer, atomically. A refused level (no floor) is never written.
#pragma once

#include <cstdint>
#include <string>

#include "engine/MapTextWriter.h"
#include "engine/WallGrid.h"

enum class TMapOpening {
  Read,     // walls, lineEnd and bytes hold the file
  Missing,  // no file of that name: a new level to be saved there
  Refused,  // the reader refused it (reason), or it could not be read
};

struct TOpenedMap {
  TMapOpening opening = TMapOpening::Missing;
  TWallGrid walls;               // Read only
  TLineEnd lineEnd = TLineEnd::Lf;
  std::string bytes;             // the file as read (Read only)
  std::string reason;            // Refused: the reader's line, naming the path
};

TOpenedMap OpenMapFile(const std::string& path);

enum class TMapSaving {
  Saved,
  Refused,      // the reader would refuse the text (reason); nothing written
  WriteFailed,  // the file could not be replaced; it is as it was
};

struct TSavedMap {
  TMapSaving saving = TMapSaving::Saved;
  std::string bytes;   // what was written (Saved only)
  std::string reason;  // Refused: the reader's reason
};

// Writes the walls' picture with lineEnd, replacing the file in one step
// and syncing it, so that neither a kill nor a power cut leaves half a map.
TSavedMap SaveMapFile(const std::string& path, const TWallGrid& walls, TLineEnd lineEnd);
