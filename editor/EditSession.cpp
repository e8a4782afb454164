// The session's cells change in two ways only: SetCells, for painting, and
// ReplaceWalls, for a new grid; both grow the revision and report the
// change. Strokes paint through SetCells too, before their command exists.
#include "editor/EditSession.h"

#include <algorithm>
#include <cstdlib>

#include "editor/PaintCommand.h"
#include "editor/ReplaceWallsCommand.h"
#include "engine/MapText.h"

namespace {
int32_t ClampSide(int32_t side) { return std::clamp(side, TEditSession::MinSide, TEditSession::MaxSide()); }
}  // namespace

int32_t TEditSession::MaxSide() { return MaxMapSide; }

TEditSession::TEditSession(int32_t width, int32_t height)
    : TEditSession(TWallGrid(ClampSide(width), ClampSide(height))) {}

TEditSession::TEditSession(TWallGrid walls) : walls_(std::move(walls)), stack_(std::make_unique<QUndoStack>()) {}

TEditSession::~TEditSession() {
  // The commands refer to this session; they go first, and quietly: the
  // stack's clearing is no step that anyone should hear of.
  stack_->blockSignals(true);
  stack_.reset();
}

void TEditSession::Changed(const TCellRect& cells, bool resized) {
  ++revision_;
  if (OnChanged) OnChanged(cells, resized);
}

void TEditSession::SetCells(const std::vector<int32_t>& cells, bool wall) {
  TCellRect touched;
  for (const int32_t i : cells) {
    walls_.cells[size_t(i)] = wall ? 1 : 0;
    const int32_t x = i % walls_.width, y = i / walls_.width;
    touched = touched.United({x, y, x + 1, y + 1});
  }
  if (!touched.Empty()) Changed(touched, false);
}

void TEditSession::ReplaceWalls(const TWallGrid& walls) {
  const bool resized = walls.width != walls_.width || walls.height != walls_.height;
  walls_ = walls;
  Changed({0, 0, walls_.width, walls_.height}, resized);
}

void TEditSession::BeginStroke(bool wall, int32_t x, int32_t y) {
  EndStroke();
  stroke_ = TStroke{wall, x, y, {}, {}};
  PaintCell(x, y);
}

void TEditSession::PaintCell(int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height() || IsWall(x, y) == stroke_->wall) return;
  const int32_t index = y * Width() + x;
  stroke_->cells.push_back(index);
  SetCells({index}, stroke_->wall);
}

void TEditSession::PaintTo(int32_t x, int32_t y) {
  if (!stroke_) return;
  // Every cell the straight line from the last cell passes, in steps of one
  // cell along the longer axis (Bresenham's).
  int32_t cx = stroke_->lastX, cy = stroke_->lastY;
  const int32_t dx = std::abs(x - cx), dy = -std::abs(y - cy);
  const int32_t sx = cx < x ? 1 : -1, sy = cy < y ? 1 : -1;
  int32_t error = dx + dy;
  while (cx != x || cy != y) {
    const int32_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      cx += sx;
    }
    if (twice <= dx) {
      error += dx;
      cy += sy;
    }
    PaintCell(cx, cy);
  }
  stroke_->lastX = x;
  stroke_->lastY = y;
}

void TEditSession::EndStroke() {
  if (!stroke_) return;
  TStroke stroke = std::move(*stroke_);
  stroke_.reset();
  if (!stroke.cells.empty()) stack_->push(new TPaintCommand(*this, stroke.wall, std::move(stroke.cells), true));
}

void TEditSession::FillRectangle(const TCellRect& cells, bool wall) {
  EndStroke();
  std::vector<int32_t> changed;
  for (int32_t y = std::max(cells.top, 0); y < std::min(cells.bottom, Height()); ++y)
    for (int32_t x = std::max(cells.left, 0); x < std::min(cells.right, Width()); ++x)
      if (IsWall(x, y) != wall) changed.push_back(y * Width() + x);
  if (!changed.empty()) stack_->push(new TPaintCommand(*this, wall, std::move(changed), false));
}

void TEditSession::ToggleCell(int32_t x, int32_t y) {
  EndStroke();
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  stack_->push(new TPaintCommand(*this, !IsWall(x, y), {y * Width() + x}, false));
}

void TEditSession::Resize(int32_t width, int32_t height) {
  EndStroke();
  width = ClampSide(width);
  height = ClampSide(height);
  if (width == Width() && height == Height()) return;
  TWallGrid resized(width, height);
  for (int32_t y = 0; y < std::min(height, Height()); ++y)
    for (int32_t x = 0; x < std::min(width, Width()); ++x) resized.Set(x, y, IsWall(x, y));
  stack_->push(new TReplaceWallsCommand(*this, walls_, std::move(resized)));
}

void TEditSession::Restore(TWallGrid walls) {
  EndStroke();
  if (walls == walls_) return;
  stack_->push(new TReplaceWallsCommand(*this, walls_, std::move(walls)));
}

void TEditSession::Undo() {
  EndStroke();
  stack_->undo();
}

void TEditSession::Redo() {
  EndStroke();
  stack_->redo();
}
