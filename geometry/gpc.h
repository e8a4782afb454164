// The polygon clipping interface that the polygon sets are built on: GPC's
// records and calls, carried out by the Clipper library underneath.
//
// Semantics that callers rely on:
// - each operand is read by even-odd parity over all of its contours; the
//   input hole flags take no part in that reading;
// - each result contour carries hole flag 0 when it bounds area from
//   outside and 1 when it is a hole;
// - coordinates are scaled to 64-bit integers by a power of two chosen per
//   call, so integers and halves round-trip exactly.
#pragma once

#include <cstdint>

struct gpc_vertex {
  double x;
  double y;
};

struct gpc_vertex_list {
  int32_t num_vertices;
  gpc_vertex* vertex;  // owned by the polygon that holds the list
};

struct gpc_polygon {
  int32_t num_contours;
  int32_t* hole;             // num_contours flags, owned
  gpc_vertex_list* contour;  // num_contours lists, owned
};

enum gpc_op : uint8_t {
  GPC_DIFF = 0,
  GPC_INT = 1,
  GPC_XOR = 2,
  GPC_UNION = 3,
};

// Appends a copy of contour's vertices, with the given hole flag.
void gpc_add_contour(gpc_polygon* polygon, const gpc_vertex_list* contour, int hole);

// result := subject op clip. result is overwritten (not freed first); the
// caller frees it with gpc_free_polygon. Contours with a non-finite
// coordinate take no part. Throws std::invalid_argument for an unknown op
// and std::runtime_error (or std::bad_alloc) when the clipper fails; result
// is untouched then.
void gpc_polygon_clip(gpc_op op, const gpc_polygon* subject, const gpc_polygon* clip, gpc_polygon* result);

// Not one of GPC's calls: result := subject minus the union of the contours
// of shapes, each contour of shapes read alone by even-odd parity (so two
// overlapping contours do not cancel as they would inside one operand).
// Subject is read by even-odd parity as in gpc_polygon_clip; hole flags of
// shapes take no part. Same ownership and failures as gpc_polygon_clip.
void gpc_subtract_union(const gpc_polygon* subject, const gpc_polygon* shapes, gpc_polygon* result);

// Releases all storage of polygon and sets num_contours to 0.
void gpc_free_polygon(gpc_polygon* polygon);
