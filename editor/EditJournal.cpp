#include "editor/EditJournal.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/EngineError.h"
#include "engine/MapText.h"
#include "engine/MapTextWriter.h"
#include "framework/WholeFile.h"

namespace {

const std::string Magic = "glowmere-edit journal 1\n";

// The map's absolute, normal path, so that one map has one journal however
// it is named on the command line.
std::string AbsoluteMapPath(const std::string& mapPath) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::weakly_canonical(std::filesystem::absolute(mapPath, error), error);
  return error ? mapPath : absolute.string();
}

// The line after prefix at offset, moving offset past it; false when the
// text has no such line there.
bool TakeLine(const std::string& text, size_t& offset, const std::string& prefix, std::string& value) {
  const size_t end = text.find('\n', offset);
  if (end == std::string::npos || text.compare(offset, prefix.size(), prefix) != 0) return false;
  value = text.substr(offset + prefix.size(), end - offset - prefix.size());
  offset = end + 1;
  return true;
}

// A path on one line: backslashes and line breaks escaped.
std::string OneLine(const std::string& path) {
  std::string line;
  for (const char c : path) {
    if (c == '\\') line += "\\\\";
    else if (c == '\n') line += "\\n";
    else line += c;
  }
  return line;
}

// A grid with no floor, which the map reader refuses, is kept by its size.
const std::string AllWall = "all wall ";

std::string GridText(const TWallGrid& walls) {
  if (walls.WallCount() == walls.width * walls.height)
    return AllWall + std::to_string(walls.width) + " " + std::to_string(walls.height) + "\n";
  return MapTextOf(walls);
}

std::optional<TWallGrid> GridOf(const std::string& text) {
  if (text.compare(0, AllWall.size(), AllWall) == 0) {
    int width = 0, height = 0;
    char end = 0;
    if (std::sscanf(text.c_str() + AllWall.size(), "%d %d%c", &width, &height, &end) != 3 || end != '\n' ||
        width < 1 || height < 1 || width > MaxMapSide || height > MaxMapSide)
      return std::nullopt;
    TWallGrid walls(width, height);
    walls.cells.assign(walls.cells.size(), 1);
    return walls;
  }
  try {
    return WallsOfMapText(text);
  } catch (const EEngineError&) {
    return std::nullopt;
  }
}

}  // namespace

std::string BytesHash(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= uint8_t(c);
    hash *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

TEditJournal::TEditJournal(std::string folder, const std::string& mapPath)
    : folder_(std::move(folder)), mapPath_(mapPath.empty() ? "" : AbsoluteMapPath(mapPath)) {
  const std::string name = mapPath_.empty() ? "untitled" : BytesHash(mapPath_);
  path_ = (std::filesystem::path(folder_) / (name + ".journal")).string();
}

bool TEditJournal::Write(const std::string& base, const TWallGrid& walls) const {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  const std::string text = Magic + "map " + OneLine(mapPath_) + "\nbase " + base + "\n" + GridText(walls);
  return WriteFileAtomically(path_, text, TDurability::Synced);
}

std::optional<TJournalEntry> TEditJournal::Read() const {
  std::string text, error;
  if (ReadWholeFile(path_, text, error) != TReadResult::Read) return std::nullopt;
  if (text.compare(0, Magic.size(), Magic) != 0) return std::nullopt;
  size_t offset = Magic.size();
  std::string map;
  TJournalEntry entry;
  if (!TakeLine(text, offset, "map ", map) || !TakeLine(text, offset, "base ", entry.base)) return std::nullopt;
  // Another map whose path hashes alike has nothing to give this one.
  if (map != OneLine(mapPath_)) return std::nullopt;
  std::optional<TWallGrid> walls = GridOf(text.substr(offset));
  if (!walls) return std::nullopt;
  entry.walls = std::move(*walls);
  return entry;
}

void TEditJournal::Remove() const {
  std::error_code error;
  std::filesystem::remove(path_, error);
}
