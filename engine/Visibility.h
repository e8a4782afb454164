// The lit region of one light: the field rectangle [0, W] x [0, H] minus the
// shadow of every wall rectangle as seen from the light's grid point.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/EngineError.h"
#include "geometry/Polygons.h"

// The field size of the visibility computation (always the map's size).
extern int32_t VisWidth;
extern int32_t VisHeight;
void SetFieldSize(int32_t width, int32_t height);

// The field [0, width] x [0, height] that a lit region is cut from, in
// cells. The functions below that take one read nothing global, so the
// regions of two levels can be computed on two threads at once; without
// one they take VisWidth x VisHeight.
struct TSightField {
  int32_t width = 0;
  int32_t height = 0;
};
TSightField VisField();

// The whole field as one contour, in the corner order every lit region
// starts from.
std::unique_ptr<TPolygon> FieldPolygon(TSightField field = VisField());

double CrossProduct(double ax, double ay, double bx, double by);
double DotProduct(double ax, double ay, double bx, double by);
double VectorLength(double x, double y);
int SignOf(double v);
// 1 when u is to be ordered after v (clockwise on screen from +x), -1
// before, 0 when both point the same way.
int CompareBearing(double ux, double uy, double vx, double vy);

// The shadow that obstacle (its contour 0, corners in order) casts as seen
// from the light (lx, ly): the points of the shadow polygon in the order in
// which they are added. Throws EEngineError "Error #22: pc = N" / "Error
// #24: pc = N" when the obstacle does not have exactly two silhouette
// corners.
TContour BuildShadow(int32_t lx, int32_t ly, const TPolygon& obstacle);

// Throws EEngineError "Error #22: pc = N" / "Error #24: pc = N" when an
// obstacle does not have exactly two silhouette corners. Walls that are
// grid rectangles inside the field (all the game's) are swept
// (engine/SightRegion.h); any others have their shadows subtracted.
std::unique_ptr<TPolygon> ComputeLitRegion(int32_t lx, int32_t ly, const TPolygonList& walls);
std::unique_ptr<TPolygon> ComputeLitRegion(int32_t lx, int32_t ly, const TPolygonList& walls, TSightField field);

// The field minus the shadow of every obstacle, all cut out in one clipper
// pass: the region by its definition, for any obstacles, and the slow
// model that the sweep is checked against.
std::unique_ptr<TPolygon> SubtractedShadowsRegion(int32_t lx, int32_t ly, const TPolygonList& walls,
                                                  TSightField field = VisField());
