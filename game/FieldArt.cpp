// The pictures at other sizes: a cache of drawn sizes, scaling for the
// meantime, and one drawing at a time on a thread of its own. Only the
// drawing itself runs there; everything else, the cache included, belongs
// to the GUI thread, which the drawing's result reaches as a queued call.
#include "game/FieldArt.h"

#include <QImage>
#include <cstring>

#include "art/FieldPictures.h"
#include "engine/LevelMap.h"

namespace {

// Drawn sizes kept besides the design size: a window going back and forth
// between its usual size and maximised finds both.
constexpr size_t KeptSizes = 3;

std::shared_ptr<TBitmap32> BitmapOf(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  auto bitmap = std::make_shared<TBitmap32>();
  bitmap->Resize(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y)
    std::memcpy(bitmap->ScanLine(y), argb.constScanLine(y), size_t(argb.width()) * sizeof(TColor32));
  return bitmap;
}

// A view of the bitmap's pixels, valid while the bitmap is.
QImage ImageOf(const TBitmap32& bitmap) {
  return QImage(reinterpret_cast<const uchar*>(bitmap.Bits()), bitmap.Width(), bitmap.Height(),
                int(bitmap.Width() * sizeof(TColor32)), QImage::Format_ARGB32);
}

std::shared_ptr<TBitmap32> CopyOf(const TBitmap32& bitmap) { return BitmapOf(ImageOf(bitmap)); }

}  // namespace

TFieldArt::TFieldArt(const TWallGrid& walls, const TBitmap32& unlit, const TBitmap32& lit) : map_(ArtMapOf(walls)) {
  design_ = {CopyOf(unlit), CopyOf(lit), true};
  pool_.setMaxThreadCount(1);
}

TFieldArt::~TFieldArt() {
  if (stop_) *stop_ = true;
  pool_.waitForDone();
}

const TFieldArt::TEntry* TFieldArt::Exact(int32_t cell) const {
  for (const TEntry& entry : exact_)
    if (entry.cell == cell) return &entry;
  return nullptr;
}

TFieldArt::TPictures TFieldArt::PicturesAt(int32_t cell) {
  for (auto it = exact_.begin(); it != exact_.end(); ++it) {
    if (it->cell != cell) continue;
    exact_.splice(exact_.begin(), exact_, it);
    return exact_.front().pictures;
  }
  Draw(cell);
  // The smallest drawn size above, else the largest below.
  const TPictures* source = &design_;
  int32_t from = DesignCellPixels;
  for (const TEntry& entry : exact_) {
    const bool better = from < cell ? entry.cell > from : entry.cell >= cell && entry.cell < from;
    if (better) {
      source = &entry.pictures;
      from = entry.cell;
    }
  }
  return ScaledFrom(*source, cell);
}

TFieldArt::TPictures TFieldArt::ScaledFrom(const TPictures& source, int32_t cell) const {
  ArtMap sized = map_;
  sized.cell = cell;
  const int w = sized.PictureWidth(), h = sized.PictureHeight();
  const auto scale = [w, h](const TBitmap32& picture) {
    return BitmapOf(ImageOf(picture).scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  };
  return {scale(*source.unlit), scale(*source.lit), false};
}

void TFieldArt::Draw(int32_t cell) {
  if (cell == drawingCell_) {
    // Told to give up, it is drawn again once it has.
    wantedCell_ = *stop_ ? cell : 0;
    return;
  }
  if (drawingCell_ != 0) {
    // The size under way is no longer wanted: it gives up, and this one
    // follows when it has.
    wantedCell_ = cell;
    *stop_ = true;
    return;
  }
  drawingCell_ = cell;
  wantedCell_ = 0;
  stop_ = std::make_shared<std::atomic<bool>>(false);
  ArtMap sized = map_;
  sized.cell = cell;
  // The destructor waits for this job, so `this` outlives it; the queued
  // call dies with this object if it has not run by then.
  pool_.start([this, sized, cell, stop = stop_] {
    const FieldPictures drawn = DrawFieldPictures(sized, stop.get());
    TPictures pictures;
    if (!drawn.unlit.isNull()) pictures = {BitmapOf(drawn.unlit), BitmapOf(drawn.lit), true};
    QMetaObject::invokeMethod(this, [this, cell, pictures] { Drawn(cell, pictures); }, Qt::QueuedConnection);
  });
}

void TFieldArt::Drawn(int32_t cell, TPictures pictures) {
  drawingCell_ = 0;
  stop_.reset();
  if (pictures.exact) {
    exact_.push_front({cell, pictures});
    if (exact_.size() > KeptSizes) exact_.pop_back();
  }
  const int32_t next = wantedCell_;
  wantedCell_ = 0;
  if (next != 0 && !Exact(next)) Draw(next);
  if (pictures.exact && OnExactPictures) OnExactPictures(cell);
}
