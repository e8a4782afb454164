// The scanline filler behind every polygon fill: edges sorted by their top,
// an active-edge list advanced one sample row at a time, spans handed out
// whole to a span routine.
//
// Sampling. A pixel (x, y) covers [x, x+1) x [y, y+1) in pixel units; with
// S samples per axis its sample points lie at x + (i + 1/2)/S, y + (j +
// 1/2)/S. S = 1 samples pixel centres only: a pixel is inside exactly when
// its centre is, with crossings on a sample row counted half-open (top
// inclusive, bottom exclusive; left inclusive, right exclusive). Two
// polygons that share an edge therefore split the pixels along it with no
// gap and no overlap, and a polygon covering the whole field covers all of
// its pixels. Crossings are computed from the edge taken top to bottom,
// whatever its direction in the contour, so that both neighbours see the
// same crossing to the last bit.
//
// With S > 1 a pixel's coverage is the share of its S*S sample points that
// lie inside, scaled to 0..255; each sample row's spans are accumulated
// analytically into the pixel row (partial end pixels directly, the pixels
// between through a difference array), so the cost grows with S times the
// number of edges, not with S*S per pixel.
#pragma once

#include <cstdint>

#include "raster/Bitmap32.h"
#include "raster/FixedPoint.h"
#include "raster/PolygonFiller.h"
#include "raster/Rect.h"

// Fills the contours (16.16 pixel coordinates, each closed implicitly;
// contours of fewer than three points are skipped) into bitmap by the
// non-zero rule when nonZero is set, else by the even-odd rule,
// clipped to the bitmap. samplesPerAxis is 1 or a power of two up to 32;
// with 1 the span routine gets no coverage. Returns the rectangle of the
// pixels handed out.
TRect FillContours(TBitmap32& bitmap, const TArrayOfArrayOfFixedPoint& contours, bool nonZero,
                   int32_t samplesPerAxis, const TFillLineEvent& span);
