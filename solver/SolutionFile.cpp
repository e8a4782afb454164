// Written through the framework's own INI document and atomic file writer,
// so the bytes are those of a file the game saved: sections in order,
// CR LF line ends, the index rule for keys. A fresh document is used, not
// a tree on the target: a tree would keep the keys of whatever file stood
// there before.
#include "solver/SolutionFile.h"

#include "framework/IniDocument.h"
#include "framework/PathResolution.h"
#include "framework/WholeFile.h"

namespace {

void Set(TIniDocument& document, const std::string& path, int32_t index, int32_t value) {
  const TSectionKey place = SplitPath(ResolvePath("/", path, index));
  document.SetValue(place.Section, place.Key, std::to_string(value));
}

}  // namespace

bool WriteSolutionFile(const std::string& path, const std::vector<std::pair<int32_t, int32_t>>& lights) {
  TIniDocument document(path);
  Set(document, "/etc/level", 0, SolutionFileLevel);
  Set(document, "vertices", 0, int32_t(lights.size()));
  for (size_t i = 0; i < lights.size(); ++i) {
    Set(document, "x", int32_t(i), lights[i].first);
    Set(document, "y", int32_t(i), lights[i].second);
  }
  return WriteFileAtomically(path, document.Save());
}
