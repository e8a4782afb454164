// One step that replaces the whole grid: a resize, or the edits of an
// earlier session restored from its journal. Both grids are kept; a resize
// may drop cells that its undo must bring back.
#pragma once

#include <QUndoCommand>

#include "engine/WallGrid.h"

class TEditSession;

class TReplaceWallsCommand : public QUndoCommand {
 public:
  TReplaceWallsCommand(TEditSession& session, TWallGrid before, TWallGrid after);

  void undo() override;
  void redo() override;

 private:
  TEditSession& session_;
  TWallGrid before_, after_;
};
