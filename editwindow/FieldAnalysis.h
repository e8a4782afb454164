// What the overlays need of the level beyond the solver's figures: the
// visibility heat map and the floor that the best cover lights. Both come
// from lit regions, which can take seconds on the largest levels, so they
// are computed on a worker thread of their own, one at a time, each on its
// own copy of the walls: the window never waits for them, and a request
// for a newer revision stops the heat map under way. Results arrive on the
// window's thread, with the revision they were made for.
#pragma once

#include <QObject>
#include <QPainterPath>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

#include "editor/VisibilityHeat.h"
#include "engine/LevelMap.h"
#include "engine/WallGrid.h"

class TFieldAnalysis : public QObject {
  Q_OBJECT
 public:
  explicit TFieldAnalysis(QObject* parent = nullptr);
  ~TFieldAnalysis() override;  // stops the work under way and waits for it

  void HeatFor(int64_t revision, const TWallGrid& walls);
  void LitAreaFor(int64_t revision, const TWallGrid& walls, const std::vector<TGridPoint>& lights);

  std::function<void(int64_t revision, const TVisibilityHeat& heat)> OnHeat;
  // The lit floor in cells, odd-even filled.
  std::function<void(int64_t revision, const QPainterPath& lit)> OnLitArea;

  // The level of walls, as the lit regions are computed on it; nothing for
  // walls without floor (no level).
  static std::unique_ptr<TLevel> LevelOf(const TWallGrid& walls);
  // The floor that lights light together, as a path in cells.
  static QPainterPath LitAreaOf(const TLevel& level, const std::vector<TGridPoint>& lights);

 private:
  struct THeatJob {
    int64_t revision;
    TWallGrid walls;
  };
  struct TLitJob {
    int64_t revision;
    TWallGrid walls;
    std::vector<TGridPoint> lights;
  };
  void Work(std::stop_token stop);

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::optional<THeatJob> heat_;  // waiting
  std::optional<TLitJob> lit_;    // waiting
  std::stop_source heatStop_;     // of the heat map under way
  std::jthread worker_;           // last: it goes first, while the rest still stands
};
