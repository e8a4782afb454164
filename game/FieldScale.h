// How large the field is drawn. The field takes the area left of the panel
// and is drawn for that area's size in device pixels (its size on screen
// times the device pixel ratio), at a whole number of pixels per cell so
// that grid lines, cell edges and icons fall on whole pixels: the largest
// that fits both ways, the map's proportions kept, centred in the area.
// At the design size (620 x 410 at ratio 1) that is 10, and the field is
// drawn exactly as it always was.
#pragma once

#include <QSize>
#include <cstdint>

// The fewest device pixels per cell the field is drawn with: a designer's
// map of 200 x 200 cells (202 x 202 with its margin, 606 pixels) then
// still fits, with the menu and the panel's buttons, on a laptop screen
// 768 pixels high, and grid points stay apart for the pointer.
constexpr int32_t MinCellPixels = 3;

// Device pixels per cell for a field of cellsAcross x cellsDown cells (the
// map and its one-cell margin) in an area of deviceSize device pixels: the
// largest that fits, at least MinCellPixels.
int32_t FittingCellPixels(QSize deviceSize, int32_t cellsAcross, int32_t cellsDown);

// The device pixel under a logical coordinate at a device pixel ratio. A
// position that came from a whole device pixel through a division by the
// ratio (1.5, say) is taken back to that pixel, whatever the rounding of
// the division: coordinates are first snapped to 1/256 pixel.
int32_t DevicePixelOf(double logical, double ratio);

// The device pixels that an area of logical size `size` covers.
QSize DeviceSizeOf(QSize size, double ratio);
