// TEditSession: the level being edited, as a value without a window: the
// wall grid, its size, and the history of the edits on Qt's undo stack.
// Every edit is one command on the stack: a stroke (the cells painted while
// one button is held), a filled rectangle, one toggled cell, a resize, the
// edits restored from a journal. The window only turns the mouse and the
// keys into these calls; what a designer would expect Ctrl+Z to bring back
// lives here, what the screen shows (zoom, cursor, overlays) does not.
#pragma once

#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "editor/CellRect.h"
#include "engine/WallGrid.h"

class TEditSession {
 public:
  // The least and the largest side of a level, in cells: the largest is the
  // map reader's.
  static constexpr int32_t MinSide = 1;
  static int32_t MaxSide();

  // A level of width x height floor cells, sides clamped to the limits.
  TEditSession(int32_t width, int32_t height);
  // The level walls, as read from a file; nothing to undo yet.
  explicit TEditSession(TWallGrid walls);
  ~TEditSession();
  TEditSession(const TEditSession&) = delete;
  TEditSession& operator=(const TEditSession&) = delete;

  const TWallGrid& Walls() const { return walls_; }
  int32_t Width() const { return walls_.width; }
  int32_t Height() const { return walls_.height; }
  bool IsWall(int32_t x, int32_t y) const { return walls_.IsWallCell(x, y); }
  // Grows at every change of the walls, undo and redo included, so that a
  // result computed for one revision is known stale at the next.
  int64_t Revision() const { return revision_; }

  // A stroke: BeginStroke with the kind the button paints (wall or floor),
  // PaintTo for every cell the pointer reaches, EndStroke when the button
  // comes up. The cells change at once, so the field shows them while the
  // button is held; the stroke enters the history as one step at its end,
  // and not at all when it changed nothing. PaintTo paints every cell on
  // the straight line from the cell reached last, so a fast drag leaves no
  // gaps; cells off the field are skipped.
  void BeginStroke(bool wall, int32_t x, int32_t y);
  void PaintTo(int32_t x, int32_t y);
  void EndStroke();
  bool InStroke() const { return stroke_.has_value(); }

  // One step each; nothing enters the history when nothing changes.
  void FillRectangle(const TCellRect& cells, bool wall);  // clipped to the field
  void ToggleCell(int32_t x, int32_t y);                   // off the field: nothing
  // The field's new size, clamped to the limits: the cells that stay keep
  // their place from the top-left corner, new ones are floor.
  void Resize(int32_t width, int32_t height);
  // The walls of an earlier session put back as one step, so that a
  // designer who did not want them undoes them at once.
  void Restore(TWallGrid walls);

  // Undo and redo end a stroke in progress first.
  void Undo();
  void Redo();
  bool CanUndo() const { return stack_->canUndo(); }
  bool CanRedo() const { return stack_->canRedo(); }
  QUndoStack& History() { return *stack_; }

  // Whether the walls differ from those last saved (or read), by the
  // history: undoing back to the saved step is unmodified again.
  bool Modified() const { return !stack_->isClean() || InStroke(); }
  void MarkSaved() { stack_->setClean(); }

  // The cells that the last change touched (the new field for a resize),
  // and whether the size changed: for a repaint of that part only.
  std::function<void(const TCellRect& cells, bool resized)> OnChanged;

 private:
  friend class TPaintCommand;
  friend class TReplaceWallsCommand;

  struct TStroke {
    bool wall = true;
    int32_t lastX = 0, lastY = 0;
    std::vector<int32_t> cells;  // indices y * width + x of the cells it changed, in order
    TCellRect touched;
  };

  // Sets the cells (indices) to wall or floor, as a command does.
  void SetCells(const std::vector<int32_t>& cells, bool wall);
  void ReplaceWalls(const TWallGrid& walls);
  void PaintCell(int32_t x, int32_t y);
  void Changed(const TCellRect& cells, bool resized);

  TWallGrid walls_;
  std::unique_ptr<QUndoStack> stack_;
  std::optional<TStroke> stroke_;
  int64_t revision_ = 0;
};
