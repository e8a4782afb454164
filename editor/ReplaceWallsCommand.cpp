#include "editor/ReplaceWallsCommand.h"

#include "editor/EditSession.h"

TReplaceWallsCommand::TReplaceWallsCommand(TEditSession& session, TWallGrid before, TWallGrid after)
    : session_(session), before_(std::move(before)), after_(std::move(after)) {}

void TReplaceWallsCommand::undo() { session_.ReplaceWalls(before_); }
void TReplaceWallsCommand::redo() { session_.ReplaceWalls(after_); }
