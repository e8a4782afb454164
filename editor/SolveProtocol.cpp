#include "editor/SolveProtocol.h"

#include <charconv>

namespace {

template <class T>
bool Number(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

// "X,Y;X,Y;..." (empty: none) into pairs.
template <class T, class TPoint>
bool Points(std::string_view text, std::vector<TPoint>& points) {
  while (!text.empty()) {
    const size_t end = std::min(text.find(';'), text.size());
    const std::string_view pair = text.substr(0, end);
    const size_t comma = pair.find(',');
    T x{}, y{};
    if (comma == std::string_view::npos || !Number(pair.substr(0, comma), x) || !Number(pair.substr(comma + 1), y))
      return false;
    points.push_back({x, y});
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return true;
}

std::vector<std::string_view> Words(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::vector<std::string_view> words;
  while (!line.empty()) {
    const size_t space = line.find(' ');
    if (space != 0) words.push_back(line.substr(0, space));
    if (space == std::string_view::npos) break;
    line.remove_prefix(space + 1);
  }
  return words;
}

}  // namespace

std::optional<TSolveProgressLine> ParseProgressLine(std::string_view line) {
  const std::vector<std::string_view> words = Words(line);
  if (words.empty() || words[0] != "progress") return std::nullopt;
  TSolveProgressLine progress;
  bool bound = false, best = false, proved = false;
  for (size_t i = 1; i < words.size(); ++i) {
    const size_t equals = words[i].find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = words[i].substr(0, equals), value = words[i].substr(equals + 1);
    bool ok = true;
    if (key == "bound") ok = bound = Number(value, progress.figures.bound);
    else if (key == "best") ok = best = Number(value, progress.figures.best);
    else if (key == "proved") {
      ok = proved = value == "0" || value == "1";
      progress.figures.proved = value == "1";
    } else if (key == "elapsed") ok = Number(value, progress.elapsed);
    else if (key == "lights") ok = Points<int32_t>(value, progress.lights);
    else if (key == "independent") ok = Points<double>(value, progress.independent);
    if (!ok) return std::nullopt;
  }
  if (!bound || !best || !proved) return std::nullopt;
  return progress;
}

std::optional<TSolveFigures> ParseResultLine(std::string_view line) {
  const std::vector<std::string_view> words = Words(line);
  TSolveFigures figures;
  if (words.size() == 2 && words[0] == "optimum" && Number(words[1], figures.best)) {
    figures.bound = figures.best;
    figures.proved = true;
    return figures;
  }
  if (words.size() == 5 && words[0] == "best" && words[1].size() > 1 && words[1].back() == ',' &&
      Number(words[1].substr(0, words[1].size() - 1), figures.best) && words[2] == "lower" && words[3] == "bound" &&
      Number(words[4], figures.bound)) {
    figures.proved = figures.bound == figures.best;
    return figures;
  }
  return std::nullopt;
}

std::vector<gpc_vertex> WitnessesAwayFrom(const std::vector<gpc_vertex>& points, const TCellRect& changed) {
  if (changed.Empty()) return points;
  std::vector<gpc_vertex> kept;
  for (const gpc_vertex& p : points)
    if (p.x < changed.left - 1 || p.x > changed.right + 1 || p.y < changed.top - 1 || p.y > changed.bottom + 1)
      kept.push_back(p);
  return kept;
}
