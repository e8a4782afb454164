// The level's field pictures (unlit and lit floor with the walls) at the
// size the field is drawn, for a field drawn larger than its design size.
//
// The art library draws them for any number of pixels per cell, but that
// takes seconds for a large field (about 1.9 s of CPU at 30 pixels a cell
// for the shipped map), far beyond a resize. So each size is drawn once, on
// a worker thread, and kept: until it is there, the field shows the nearest
// larger size already drawn scaled down (or, where none is, the design
// pictures scaled up), which takes milliseconds, and the window is told
// when the exact pictures have come (OnExactPictures), to show them. The
// design size itself is never drawn here: the window has the level's own
// pictures for it.
#pragma once

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <list>
#include <memory>

#include "art/ArtMap.h"
#include "engine/WallGrid.h"
#include "raster/Bitmap32.h"

class TFieldArt : public QObject {
 public:
  // walls: the level's cells; unlit, lit: its pictures at the design size,
  // as the window holds them (copied).
  TFieldArt(const TWallGrid& walls, const TBitmap32& unlit, const TBitmap32& lit);
  ~TFieldArt() override;  // gives up a drawing under way and waits for it

  struct TPictures {
    std::shared_ptr<TBitmap32> unlit, lit;  // opaque, (W + 2) * cell x (H + 2) * cell
    bool exact = false;                     // drawn at this size, not scaled
  };
  // The pictures at cell pixels per cell (not the design size); asks for
  // the exact ones when these are not.
  TPictures PicturesAt(int32_t cell);
  // Called on the GUI thread when the exact pictures at cell are there.
  std::function<void(int32_t cell)> OnExactPictures;

 private:
  struct TEntry {
    int32_t cell = 0;
    TPictures pictures;
  };
  void Draw(int32_t cell);
  void Drawn(int32_t cell, TPictures pictures);
  const TEntry* Exact(int32_t cell) const;
  TPictures ScaledFrom(const TPictures& source, int32_t cell) const;

  ArtMap map_;
  TPictures design_;
  std::list<TEntry> exact_;  // most recently used first
  int32_t drawingCell_ = 0;  // the size being drawn, 0 for none
  int32_t wantedCell_ = 0;   // the size to draw next, 0 for none
  std::shared_ptr<std::atomic<bool>> stop_;  // of the drawing under way
  QThreadPool pool_;
};
