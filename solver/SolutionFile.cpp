// Written through the framework's own tree and atomic file writer, so the
// bytes are those of a file the game saved: sections in order, CR LF line
// ends, the index rule for keys. The tree starts empty (it has no file), not
// on the target: a tree there would keep the keys of whatever file stood
// there before.
#include "solver/SolutionFile.h"

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
