// Witness points: floor points that a cover must light. Every full cover
// lights every witness, so the fewest lights that light a set of witnesses
// is a lower bound of the fewest that light the floor.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/Polygons.h"
#include "solver/CoverField.h"

// The first witnesses: the centre of every free cell and, in each free
// cell, a point close to each of its corners that touches a wall (the
// floor behind a wall's corner is where one light's view ends and the
// next one's must begin).
std::vector<gpc_vertex> FirstWitnesses(const TCoverField& field);

// A point inside a dark piece, and the piece: the number of its outer
// contour in the dark set.
struct TDarkSample {
  gpc_vertex point;
  int32_t piece = 0;
};

// Points inside every piece (outer contour) of dark larger than
// ArtefactArea: the middles of the piece's widest chords on up to chords
// horizontal lines spread over its height, and a point just inside each of
// up to CornerSamples of its corners, where the piece narrows to the places
// that the fewest lights see. Each point lies inside the set, not on its
// boundary.
constexpr int32_t CornerSamples = 16;
std::vector<TDarkSample> SamplesInDark(const TPolygon& dark, int32_t chords);
