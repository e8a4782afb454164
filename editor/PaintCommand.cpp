#include "editor/PaintCommand.h"

#include "editor/EditSession.h"

TPaintCommand::TPaintCommand(TEditSession& session, bool wall, std::vector<int32_t> cells, bool applied)
    : session_(session), wall_(wall), cells_(std::move(cells)), skipRedo_(applied) {}

void TPaintCommand::undo() { session_.SetCells(cells_, !wall_); }

void TPaintCommand::redo() {
  if (skipRedo_) {
    skipRedo_ = false;
    return;
  }
  session_.SetCells(cells_, wall_);
}
