// Text pictures to level map bitmaps. The picture is checked completely
// before the bitmap is touched, so a refused picture changes nothing.
#include "engine/MapText.h"

#include <string_view>
#include <vector>

#include "engine/EngineError.h"
#include "engine/LevelMap.h"
#include "engine/RegularFile.h"

namespace {

std::string Printable(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x20 && u < 0x7F) return std::string("'") + c + "'";
  static const char* digits = "0123456789ABCDEF";
  return std::string("byte 0x") + digits[u >> 4] + digits[u & 15];
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t\r") == std::string_view::npos; }

// The picture without blank lines after its last row: editors and shells
// leave them there, and they carry no cells.
std::string_view WithoutTrailingBlankLines(std::string_view all) {
  size_t end = 0;  // just past the last row that is not blank
  for (size_t start = 0; start < all.size();) {
    size_t stop = all.find('\n', start);
    if (stop == std::string_view::npos) stop = all.size();
    if (!IsBlank(all.substr(start, stop - start))) end = stop;
    start = stop + 1;
  }
  return all.substr(0, end);
}

// The rows of the picture, a CR before a line break dropped; stops one row
// past the limit, since that many rows are refused anyway.
std::vector<std::string_view> SplitRows(const std::string& text) {
  std::vector<std::string_view> rows;
  const std::string_view all = WithoutTrailingBlankLines(text);
  for (size_t start = 0; start < all.size();) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view row = all.substr(start, end - start);
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    rows.push_back(row);
    if (rows.size() > size_t(MaxMapSide)) break;
    start = end + 1;
  }
  return rows;
}

std::string NeitherWallNorFloor(size_t row, size_t column, char c) {
  return "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1) + ": " + Printable(c) +
         " is neither a wall '#' nor floor '.'";
}

std::string RowsProblem(const std::vector<std::string_view>& rows) {
  if (rows.empty()) return "the map is empty";
  const std::string side = std::to_string(MaxMapSide);
  const std::string limit = "at most " + side + " x " + side + " cells";
  if (rows.size() > size_t(MaxMapSide)) return "more than " + side + " rows; " + limit;
  bool floor = false;
  for (size_t r = 0; r < rows.size(); ++r) {
    const std::string_view row = rows[r];
    const std::string where = "row " + std::to_string(r + 1);
    if (row.empty()) return where + " is empty";
    if (row.size() > size_t(MaxMapSide)) return where + " has " + std::to_string(row.size()) + " cells; " + limit;
    if (row.size() != rows[0].size())
      return where + " has " + std::to_string(row.size()) + " cells, row 1 has " + std::to_string(rows[0].size());
    for (size_t c = 0; c < row.size(); ++c) {
      if (row[c] == '.') {
        floor = true;
      } else if (row[c] != '#') {
        return NeitherWallNorFloor(r, c, row[c]);
      }
    }
  }
  if (!floor) return "the map has no floor";
  return "";
}

}  // namespace

std::string MapTextProblem(const std::string& text) { return RowsProblem(SplitRows(text)); }

TWallGrid WallsOfMapText(const std::string& text) {
  const std::vector<std::string_view> rows = SplitRows(text);
  if (const std::string problem = RowsProblem(rows); !problem.empty()) throw EEngineError(problem);
  TWallGrid walls(int32_t(rows[0].size()), int32_t(rows.size()));
  for (int32_t y = 0; y < walls.height; ++y)
    for (int32_t x = 0; x < walls.width; ++x) walls.Set(x, y, rows[size_t(y)][size_t(x)] == '#');
  return walls;
}

void LoadMapText(const std::string& text, TBitmap32& map) {
  WallsOfMapText(text).WriteTo(map);
}

std::unique_ptr<TBitmap32> LoadMapText(const std::string& text) {
  auto map = std::make_unique<TBitmap32>();
  LoadMapText(text, *map);
  return map;
}

std::string ReadMapFile(const std::string& path) {
  // A file longer than any map is refused after that many bytes.
  TFileBytes file = ReadRegularFile(path, MaxMapTextBytes);
  if (file.refusal == TFileRefusal::TooLarge) {
    // Said as what it is: a long file of a map's bytes is a map too large,
    // anything else (a picture, a program, random bytes) is no map at all.
    size_t row = 0, column = 0;
    for (const char c : file.bytes) {
      if (c == '\n') {
        ++row;
        column = 0;
      } else if (c == '#' || c == '.' || c == '\r') {
        ++column;
      } else {
        throw EEngineError(path + ": not a map: " + NeitherWallNorFloor(row, column, c));
      }
    }
    const std::string side = std::to_string(MaxMapSide);
    throw EEngineError(path + ": more than " + side + " x " + side + " cells");
  }
  if (!file.Read()) throw EEngineError("cannot read the map " + path + ": " + file.why);
  if (const std::string problem = MapTextProblem(file.bytes); !problem.empty())
    throw EEngineError(path + ": " + problem);
  return std::move(file.bytes);
}

void LoadMapFile(const std::string& path, TBitmap32& map) { LoadMapText(ReadMapFile(path), map); }

std::unique_ptr<TBitmap32> LoadMapFile(const std::string& path) {
  auto map = std::make_unique<TBitmap32>();
  LoadMapFile(path, *map);
  return map;
}

TWallGrid WallsOfMapFile(const std::string& path) { return WallsOfMapText(ReadMapFile(path)); }
