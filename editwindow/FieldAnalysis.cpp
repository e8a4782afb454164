#include "editwindow/FieldAnalysis.h"

#include <QMetaObject>
#include <algorithm>

#include "geometry/gpc.h"

TFieldAnalysis::TFieldAnalysis(QObject* parent)
    : QObject(parent), worker_([this](std::stop_token stop) { Work(stop); }) {}

TFieldAnalysis::~TFieldAnalysis() {
  heatStop_.request_stop();
  worker_.request_stop();
  wake_.notify_all();
  worker_.join();
}

std::unique_ptr<TLevel> TFieldAnalysis::LevelOf(const TWallGrid& walls) {
  if (walls.WallCount() == walls.width * walls.height) return nullptr;
  return std::make_unique<TLevel>(walls);
}

QPainterPath TFieldAnalysis::LitAreaOf(const TLevel& level, const std::vector<TGridPoint>& lights) {
  TPolygon lit;
  lit.Clear();
  for (const TGridPoint& light : lights)
    if (level.OnField(light) && !level.IsWalledGridPoint(light.x, light.y))
      if (const std::unique_ptr<TPolygon> region = level.LitRegion(light)) lit.Clip(GPC_UNION, region.get());
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  for (const TContour& contour : lit.Contours()) {
    if (contour.empty()) continue;
    path.moveTo(contour[0].x, contour[0].y);
    for (size_t i = 1; i < contour.size(); ++i) path.lineTo(contour[i].x, contour[i].y);
    path.closeSubpath();
  }
  return path;
}

void TFieldAnalysis::HeatFor(int64_t revision, const TWallGrid& walls) {
  std::lock_guard lock(mutex_);
  heatStop_.request_stop();
  heat_ = THeatJob{revision, walls};
  wake_.notify_all();
}

void TFieldAnalysis::LitAreaFor(int64_t revision, const TWallGrid& walls, const std::vector<TGridPoint>& lights) {
  std::lock_guard lock(mutex_);
  lit_ = TLitJob{revision, walls, lights};
  wake_.notify_all();
}

void TFieldAnalysis::Work(std::stop_token stop) {
  const int32_t threads = std::max(1, int32_t(std::thread::hardware_concurrency()));
  while (!stop.stop_requested()) {
    std::optional<THeatJob> heatJob;
    std::optional<TLitJob> litJob;
    std::stop_token heatStop;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, stop, [this] { return heat_ || lit_; });
      if (stop.stop_requested()) return;
      // The lit area first: it is quick, and it follows every best cover.
      if (lit_) {
        litJob = std::move(lit_);
        lit_.reset();
      } else {
        heatJob = std::move(heat_);
        heat_.reset();
        heatStop_ = std::stop_source();
        heatStop = heatStop_.get_token();
      }
    }
    if (litJob) {
      const std::unique_ptr<TLevel> level = LevelOf(litJob->walls);
      QPainterPath lit = level ? LitAreaOf(*level, litJob->lights) : QPainterPath();
      QMetaObject::invokeMethod(this, [this, revision = litJob->revision, lit] {
        if (OnLitArea) OnLitArea(revision, lit);
      }, Qt::QueuedConnection);
      continue;
    }
    const std::unique_ptr<TLevel> level = LevelOf(heatJob->walls);
    std::optional<TVisibilityHeat> heat;
    if (level) heat = ComputeVisibilityHeat(*level, threads, heatStop);
    else heat = TVisibilityHeat{heatJob->walls.width, heatJob->walls.height,
                                std::vector<int32_t>(heatJob->walls.cells.size(), -1), 0};
    if (!heat) continue;
    QMetaObject::invokeMethod(this, [this, revision = heatJob->revision, heat = std::move(*heat)] {
      if (OnHeat) OnHeat(revision, heat);
    }, Qt::QueuedConnection);
  }
}
