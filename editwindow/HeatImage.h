// The heat map as the field shows it: one pixel a cell, red where few grid
// points see the cell's centre, through yellow to green where most do,
// walls left clear; half transparent, so that the cells show through.
#pragma once

#include <QImage>

#include "editor/VisibilityHeat.h"

QImage HeatImage(const TVisibilityHeat& heat);
