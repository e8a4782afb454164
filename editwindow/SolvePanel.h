// The panel beside the field: the fewest lights of the level as it stands,
// in a type large enough to read at a glance (the lower bound and the best
// cover while the search goes on, «N — доказано» once they meet), what the
// edits did to the optimum, what the solver is doing, and the switches of
// the overlays.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QWidget>
#include <optional>

#include "editor/OptimumTrack.h"

class TEditorTexts;

class TSolvePanel : public QWidget {
  Q_OBJECT
 public:
  TSolvePanel(const TEditorTexts& texts, QWidget* parent = nullptr);

  void ShowFigures(const std::optional<TSolveFigures>& figures, const std::optional<TOptimumChange>& change);
  void ShowStatus(const QString& status);

  QLabel* lbCaption = nullptr;
  QLabel* lbFewest = nullptr;  // the large figure
  QLabel* lbBound = nullptr;
  QLabel* lbBest = nullptr;
  QLabel* lbChange = nullptr;
  QLabel* lbStatus = nullptr;
  QCheckBox* cbCover = nullptr;
  QCheckBox* cbHeat = nullptr;
  QCheckBox* cbWitnesses = nullptr;

 private:
  const TEditorTexts& texts_;
};
