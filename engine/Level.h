// TLevel: the level as the rules see it, a value built once from the level
// map and shared by the game window, the judge and the solver. It holds
// the size, the wall cells, the wall rectangles (the obstacles of every lit
// region), the wall outlines, the floor and its free cells, and answers
// the statement's rule for where a light may stand. Plain C++: the judge
// and the solver use it without a window.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/LevelMap.h"
#include "engine/WallGrid.h"
#include "geometry/Polygons.h"
#include "raster/Bitmap32.h"

class TLevel {
 public:
  // map: WallPixel cells are walls, any other cell floor; only its pixels
  // are read, never its outer colour. Throws EEngineError as
  // TraceWallOutlines does.
  explicit TLevel(const TBitmap32& map);
  // walls: the cells as they are; beyond them, wall. Throws as above.
  explicit TLevel(TWallGrid walls);
  ~TLevel();
  TLevel(const TLevel&) = delete;
  TLevel& operator=(const TLevel&) = delete;

  int32_t Width() const { return walls_.width; }    // W, cells
  int32_t Height() const { return walls_.height; }  // H, cells
  // (W + 1)(H + 1): every grid point of the field.
  int64_t GridPoints() const { return (int64_t(Width()) + 1) * (int64_t(Height()) + 1); }
  // W H less the wall cells: the floor's area in square cells, which a lit
  // share is measured against.
  int32_t FreeCells() const { return freeCells_; }

  const TWallGrid& Walls() const { return walls_; }
  // Beyond the map: wall.
  bool IsWallCell(int64_t x, int64_t y) const { return walls_.IsWallCell(x, y); }
  // The statement's rule for where a light may stand: a grid point whose
  // four surrounding cells are all wall takes no light, the cells beyond
  // the map counting as wall. Any 32-bit point may be asked.
  bool IsWalledGridPoint(int32_t gx, int32_t gy) const;
  // 0 <= x <= W and 0 <= y <= H.
  bool OnField(const TGridPoint& p) const { return p.x >= 0 && p.y >= 0 && p.x <= Width() && p.y <= Height(); }

  // BuildWallRects of the map: one rectangle per run of wall cells in a row.
  const TPolygonList& WallRects() const { return wallRects_; }
  // TraceWallOutlines of the map (the outside read as free).
  const TPolygonList& WallOutlines() const { return wallOutlines_; }
  // The field [0, W] x [0, H] minus the walls (their outlines read
  // together): the floor that the free cells measure, a ring of walls
  // keeping the floor inside it. The dark floor is this minus the lit
  // regions.
  const TPolygon& Floor() const { return *floor_; }

  // The lit region of a light at p (ComputeLitRegion against the wall
  // rectangles, in the level's own field). It reads and writes nothing
  // global, so regions of this level and of any other may be computed on
  // several threads at once.
  std::unique_ptr<TPolygon> LitRegion(const TGridPoint& p) const;
  // LitRegion of each point, in order.
  TPolygonList LitRegions(const std::vector<TGridPoint>& points) const;

 private:
  TWallGrid walls_;
  int32_t freeCells_ = 0;
  TPolygonList wallRects_;
  TPolygonList wallOutlines_;
  std::unique_ptr<TPolygon> floor_;
};

// The sets of a list as the plain pointers that unions and verdicts take.
std::vector<const TPolygon*> PolygonPointers(const TPolygonList& sets);
