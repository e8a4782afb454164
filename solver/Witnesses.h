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

// Up to perPiece points inside every piece (outer contour) of dark larger
// than ArtefactArea: the
// middles of the piece's widest chords on horizontal lines spread over its
// height. Each point lies inside the set, not on its boundary.
std::vector<gpc_vertex> WitnessesInDark(const TPolygon& dark, int32_t perPiece);
