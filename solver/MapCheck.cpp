// The solver's map check. The picture is split as engine/MapText splits it,
// so that whatever passes here reads there as the same cells.
#include "solver/MapCheck.h"

#include <string_view>
#include <vector>

namespace {

std::string Printable(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x20 && u < 0x7F) return std::string("'") + c + "'";
  static const char* digits = "0123456789ABCDEF";
  return std::string("byte 0x") + digits[u >> 4] + digits[u & 15];
}

}  // namespace

std::string CheckMapText(const std::string& text) {
  std::vector<std::string_view> rows;
  const std::string_view all(text);
  for (size_t start = 0; start < all.size();) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view row = all.substr(start, end - start);
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    rows.push_back(row);
    if (rows.size() > size_t(MaxSolverMapSide)) break;
    start = end + 1;
  }
  if (rows.empty()) return "the map is empty";
  const std::string limit = "at most " + std::to_string(MaxSolverMapSide) + " x " + std::to_string(MaxSolverMapSide);
  if (rows.size() > size_t(MaxSolverMapSide)) return "more than " + std::to_string(MaxSolverMapSide) + " rows; " + limit + " cells";
  bool floor = false;
  for (size_t r = 0; r < rows.size(); ++r) {
    const std::string_view row = rows[r];
    const std::string where = "row " + std::to_string(r + 1);
    if (row.empty()) return where + " is empty";
    if (row.size() > size_t(MaxSolverMapSide))
      return where + " has " + std::to_string(row.size()) + " cells; " + limit + " cells";
    if (row.size() != rows[0].size())
      return where + " has " + std::to_string(row.size()) + " cells, row 1 has " + std::to_string(rows[0].size());
    for (size_t c = 0; c < row.size(); ++c) {
      if (row[c] == '.') {
        floor = true;
      } else if (row[c] != '#') {
        return where + ", column " + std::to_string(c + 1) + ": " + Printable(row[c]) +
               " is neither a wall '#' nor floor '.'";
      }
    }
  }
  if (!floor) return "the map has no floor";
  return "";
}
