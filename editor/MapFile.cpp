#include "editor/MapFile.h"

#include <sys/stat.h>

#include "engine/EngineError.h"
#include "engine/MapText.h"
#include "framework/WholeFile.h"

TOpenedMap OpenMapFile(const std::string& path) {
  TOpenedMap opened;
  // A dangling link is a name that exists: it is refused, not written
  // through as a new level behind the designer's back.
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) {
    opened.opening = TMapOpening::Missing;
    return opened;
  }
  try {
    opened.bytes = ReadMapFile(path);
    opened.walls = WallsOfMapText(opened.bytes);
    opened.lineEnd = LineEndOf(opened.bytes);
    opened.opening = TMapOpening::Read;
  } catch (const EEngineError& e) {
    opened = {};
    opened.opening = TMapOpening::Refused;
    opened.reason = e.what();
  }
  return opened;
}

TSavedMap SaveMapFile(const std::string& path, const TWallGrid& walls, TLineEnd lineEnd) {
  TSavedMap saved;
  std::string text = MapTextOf(walls, lineEnd);
  if (std::string problem = MapTextProblem(text); !problem.empty()) {
    saved.saving = TMapSaving::Refused;
    saved.reason = std::move(problem);
    return saved;
  }
  if (!WriteFileAtomically(path, text, TDurability::Synced)) {
    saved.saving = TMapSaving::WriteFailed;
    return saved;
  }
  saved.bytes = std::move(text);
  return saved;
}
