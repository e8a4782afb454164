// One step of painting on the undo stack: a stroke, a filled rectangle or
// one toggled cell. It keeps only the cells that it changed and the kind it
// painted them (every one of them was the other kind before), a delta
// rather than a copy of the grid, so a long session on a 200 x 200 level
// stays small.
#pragma once

#include <QUndoCommand>
#include <cstdint>
#include <vector>

class TEditSession;

class TPaintCommand : public QUndoCommand {
 public:
  // cells: indices y * width + x in the session's grid, each changed from
  // !wall to wall by this step. applied: the cells are already painted (a
  // stroke paints as the pointer goes), so the push does not paint them.
  TPaintCommand(TEditSession& session, bool wall, std::vector<int32_t> cells, bool applied);

  void undo() override;
  void redo() override;

  bool Wall() const { return wall_; }
  const std::vector<int32_t>& Cells() const { return cells_; }

 private:
  TEditSession& session_;
  bool wall_;
  std::vector<int32_t> cells_;
  bool skipRedo_;
};
