#include "editwindow/SolvePanel.h"

#include <QVBoxLayout>

#include "editwindow/EditorTexts.h"

namespace {
QFont PixelFont(int pixels, bool bold) {
  QFont font;
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}
}  // namespace

TSolvePanel::TSolvePanel(const TEditorTexts& texts, QWidget* parent) : QWidget(parent), texts_(texts) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(14, 12, 14, 12);
  lbCaption = new QLabel(texts_.Text("panel/caption"), this);
  lbCaption->setWordWrap(true);
  lbCaption->setFont(PixelFont(14, true));
  lbFewest = new QLabel(QStringLiteral("…"), this);
  lbFewest->setFont(PixelFont(32, true));
  lbFewest->setWordWrap(true);
  lbBound = new QLabel(this);
  lbBest = new QLabel(this);
  lbChange = new QLabel(this);
  for (QLabel* label : {lbBound, lbBest, lbChange}) label->setFont(PixelFont(17, false));
  lbChange->setFont(PixelFont(19, true));
  lbStatus = new QLabel(this);
  lbStatus->setWordWrap(true);
  lbStatus->setFont(PixelFont(13, false));
  cbCover = new QCheckBox(texts_.Text("action/cover"), this);
  cbHeat = new QCheckBox(texts_.Text("action/heat"), this);
  cbWitnesses = new QCheckBox(texts_.Text("action/witnesses"), this);
  // The keys stay on the field after a click on a switch.
  for (QCheckBox* box : {cbCover, cbHeat, cbWitnesses}) box->setFocusPolicy(Qt::TabFocus);
  for (QWidget* w : std::initializer_list<QWidget*>{lbCaption, lbFewest, lbBound, lbBest, lbChange, lbStatus})
    column->addWidget(w);
  // Named, so that a script's probe can read them (tools/edit_probe).
  lbFewest->setObjectName(QStringLiteral("lbFewest"));
  lbChange->setObjectName(QStringLiteral("lbChange"));
  lbStatus->setObjectName(QStringLiteral("lbStatus"));
  column->addSpacing(16);
  for (QWidget* w : std::initializer_list<QWidget*>{cbCover, cbHeat, cbWitnesses}) column->addWidget(w);
  column->addStretch(1);
  setAccessibleName(texts_.Text("access/panel"));
  setFixedWidth(290);
  ShowFigures(std::nullopt, std::nullopt);
}

void TSolvePanel::ShowFigures(const std::optional<TSolveFigures>& figures, const std::optional<TOptimumChange>& change) {
  if (!figures) {
    lbFewest->setText(QStringLiteral("…"));
    lbBound->setText(texts_.Text("panel/bound").arg(QStringLiteral("…")));
    lbBest->setText(texts_.Text("panel/best").arg(QStringLiteral("…")));
  } else {
    lbFewest->setText(figures->proved ? texts_.Text("panel/proved").arg(figures->best)
                                      : QStringLiteral("%1 … %2").arg(figures->bound).arg(figures->best));
    lbBound->setText(texts_.Text("panel/bound").arg(figures->bound));
    lbBest->setText(texts_.Text("panel/best").arg(figures->best));
  }
  lbChange->setText(change ? texts_.Text("panel/change").arg(change->before).arg(change->after) : QString());
}

void TSolvePanel::ShowStatus(const QString& status) { lbStatus->setText(status); }
