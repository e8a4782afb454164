// Written through the framework's own tree and atomic file writer, so the
// bytes are those of a file the game saved: sections in order, CR LF line
// ends, the index rule for keys. The tree starts empty (it has no file), not
// on the target: a tree there would keep the keys of whatever file stood
// there before.
#include "solver/SolutionFile.h"

#include <charconv>
#include <cmath>

#include "engine/SolutionFormat.h"
#include "engine/TaskIdentity.h"
#include "framework/IniDocument.h"
#include "framework/IniNameValueTree.h"
#include "framework/TaskLevelPath.h"
#include "framework/WholeFile.h"

bool WriteSolutionFile(const std::string& path, const std::vector<TGridPoint>& lights) {
  TIniNameValueTree tree("");
  tree.WriteInteger(TaskLevelPath, GlowmereLevel);
  StoreSolutionPoints(tree, lights);
  return WriteFileAtomically(path, tree.IniDocument().Save());
}

std::optional<std::vector<TGridPoint>> ReadSolutionFile(const std::string& path, int64_t gridPoints,
                                                        std::string& error) {
  std::string bytes, why;
  const TReadResult read = ReadWholeFile(path, bytes, why);
  if (read != TReadResult::Read) {
    error = "cannot read " + path + (read == TReadResult::Missing ? std::string(": no such file") : ": " + why);
    return std::nullopt;
  }
  TIniNameValueTree tree("");
  tree.IniDocument().Load(bytes);
  const TSolutionCount count = ReadSolutionCount(tree, gridPoints);
  if (!count.Holds()) {
    error = path + " holds no solution";
    return std::nullopt;
  }
  return ReadSolutionPoints(tree, count.count);
}

namespace {

void AppendNumber(std::string& text, double value) {
  char digits[64];
  const auto done = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, done.ptr);
}

}  // namespace

std::string WitnessText(const std::vector<gpc_vertex>& points) {
  std::string text;
  for (const gpc_vertex& p : points) {
    AppendNumber(text, p.x);
    text += ' ';
    AppendNumber(text, p.y);
    text += '\n';
  }
  return text;
}

std::optional<std::vector<gpc_vertex>> ReadWitnessText(const std::string& text, std::string& error) {
  std::vector<gpc_vertex> points;
  size_t line = 0;
  for (size_t at = 0; at < text.size();) {
    ++line;
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const char* p = text.data() + at;
    const char* stop = text.data() + end;
    if (stop > p && stop[-1] == '\r') --stop;
    gpc_vertex v{};
    const auto x = std::from_chars(p, stop, v.x);
    const bool space = x.ec == std::errc() && x.ptr < stop && *x.ptr == ' ';
    const auto y = space ? std::from_chars(x.ptr + 1, stop, v.y) : x;
    if (!space || y.ec != std::errc() || y.ptr != stop || !std::isfinite(v.x) || !std::isfinite(v.y)) {
      error = "line " + std::to_string(line) + " is not two numbers \"x y\"";
      return std::nullopt;
    }
    points.push_back(v);
    at = end + 1;
  }
  return points;
}
