// The journal of a level's unsaved edits, in the per-user folder: after
// every change of the walls the whole grid is written there (a new file
// renamed over the old one, synced), so that a kill or a power cut loses
// at most the stroke under way. Opening the same map again finds it and
// puts the edits back; a save or an orderly close removes it.
//
// One journal per map, named by a hash of the map's absolute path (a new
// level not yet saved anywhere has one of its own). It also keeps a hash of
// the file's bytes as they were when the edits began, so that a file
// changed since by someone else is told apart.
//
// Format, text: the line "glowmere-edit journal 1", "map " and the map's
// path (backslashes and line breaks escaped), "base " and 16 hex digits of
// the bytes' hash or "none" (no file), then the grid in the map text's own
// form, or "all wall W H" for a grid without floor, which the map reader
// would refuse.
#pragma once

#include <optional>
#include <string>

#include "engine/WallGrid.h"

// The hash a journal keeps of a file's bytes (64-bit FNV-1a, hex).
std::string BytesHash(const std::string& bytes);

struct TJournalEntry {
  std::string base;  // BytesHash of the file the edits began on, or "none"
  TWallGrid walls;   // the walls as the designer left them
};

class TEditJournal {
 public:
  // folder: the per-user folder for journals (created when first written).
  // mapPath: the level's file, empty for a level not yet saved anywhere.
  TEditJournal(std::string folder, const std::string& mapPath);

  const std::string& Path() const { return path_; }
  // False when it could not be written (the old journal then stays).
  bool Write(const std::string& base, const TWallGrid& walls) const;
  // Nothing when there is none, or it is damaged (cut, not a journal, a
  // grid the map reader refuses).
  std::optional<TJournalEntry> Read() const;
  void Remove() const;

 private:
  std::string folder_, mapPath_, path_;
};
