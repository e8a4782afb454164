// What the field can show over the cells, each part switched on and off by
// the designer: the best cover found (its lights and the floor they light),
// the visibility heat map (one colour a floor cell), and the independent
// witness points that the lower bound comes from. Coordinates in cells:
// grid point (i, j) is the point (i, j), a cell (c, r) the unit square at
// (c, r).
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <vector>

#include "engine/LevelMap.h"

struct TFieldOverlays {
  bool showCover = false;
  bool showHeat = false;
  bool showWitnesses = false;

  std::vector<TGridPoint> lights;  // the best cover
  QPainterPath litArea;            // the floor the lights light, odd-even filled
  QImage heat;                     // width x height of the level, one pixel a cell; null: none yet
  std::vector<QPointF> witnesses;  // points that no grid point sees two of
};
