// The level map and the field grid. The map is a TBitmap32 of W x H pixels,
// one per cell: 0xFF000000 is a wall cell, anything else free. From it the
// engine derives, once per start, the wall rectangles (obstacles of the
// visibility computation), the wall outlines (for drawing and for the dark
// remainder) and the number of wall cells.
//
// Units: cells for polygons; grid point (i, j) is the cell corner (i, j) and
// sits at field pixel (c*i + c, c*j + c), c the field's pixels per cell: 10
// in the design size, more where the field is drawn larger.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/EngineError.h"
#include "engine/MapText.h"
#include "geometry/Polygons.h"
#include "raster/Bitmap32.h"
#include "raster/Transformation.h"

// A grid point (a cell corner): column x, row y.
struct TGridPoint {
  int32_t x = 0, y = 0;
  bool operator==(const TGridPoint&) const = default;
};

constexpr TColor32 WallPixel = 0xFF000000;
constexpr TColor32 FreePixel = 0xFFFFFFFF;
constexpr TColor32 RunMarkPixel = 0xFFFF0000;  // inside BuildWallRects only
// How a map pixel reads: a wall cell, or floor (any other value).
constexpr bool IsWallPixel(TColor32 pixel) { return pixel == WallPixel; }

// The field's size in cells, set once by the main window from the map; read
// by the pixel/grid conversions.
extern int32_t FieldWidth;
extern int32_t FieldHeight;

// One rectangle (x0,y),(x1,y),(x1,y+1),(x0,y+1) per maximal horizontal run
// of wall cells, ordered by x0 then y. The map's pixels are unchanged after.
TPolygonList BuildWallRects(TBitmap32& map, int32_t& wallCount);

// One contour per boundary of a side-connected wall region, clockwise on
// screen, starting at its top-left-most corner. Throws "err #21".
TPolygonList TraceWallOutlines(const TBitmap32& map);

// The corner table's capacity: every grid point of the largest map
// (engine/MapText.h) a corner, so no map that the reader takes is refused;
// a larger bitmap with more corners is.
constexpr int32_t MaxCornerRecords = (MaxMapSide + 1) * (MaxMapSide + 1);

// One entry of TraceWallOutlines' corner table: a grid point where 1 or 3
// of the 4 surrounding cells are wall, and the direction (each -1 or +1)
// towards the odd cell, which is also where the outline's two edges leave
// the point.
struct CornerRecord {
  int32_t x = 0, y = 0;
  int32_t dx = 0, dy = 0;
  bool used = false;
};
using TCornerTable = std::vector<CornerRecord>;

// The two steps of TraceWallOutlines, apart so that a table that no map
// gives can be traced too. The nearest record ahead is found through the
// table sorted by rows and by columns, with the same answer as the full
// scan of every record (ties to the lowest number, nothing at 1,000,000 or
// farther), so a map of the largest size traces in milliseconds. DetectWallCorners throws EEngineError when the
// map has more than MaxCornerRecords corners; TraceCornerTable refuses a
// table larger than that, marks the records used as it goes and throws
// "err #21" when a trace cannot go on.
TCornerTable DetectWallCorners(const TBitmap32& map);
TPolygonList TraceCornerTable(TCornerTable& table);

void SetBitmapAlpha(TBitmap32& bitmap, uint8_t alpha);

// The field's pixels per cell in its design size: a margin of one cell
// round the map, 620 x 410 pixels for 60 x 39 cells.
constexpr int32_t DesignCellPixels = 10;

// cell: the field's pixels per cell, 1 or more. A grid point sits on pixel
// c*i + c; a pixel belongs to the grid point nearest to it, round(p / c) - 1
// with ties to even, so at 10 a cell pixels 15 and 25 both give 1.
int32_t GridToPixel(int32_t i, int32_t cell = DesignCellPixels);   // saturated, never overflows
int32_t PixelToGridX(int32_t px, int32_t cell = DesignCellPixels); // -1 off the field
int32_t PixelToGridY(int32_t py, int32_t cell = DesignCellPixels);
// The field transformation for `cell` pixels per cell: cell units scaled by
// cell, then moved by one cell, so that it agrees with GridToPixel.
void SetFieldTransform(TAffineTransformation& transformation, int32_t cell);
