// The figures of the side panel, the autosave and the record. The share and
// whether the field is full come from the level's verdict on the lights
// (engine/Verdict.h), as the judge's do; the share that decides "full" is
// the computed one, in extended precision, never the rounded text.
#include <QLocale>
#include <charconv>

#include "engine/Verdict.h"
#include "framework/FileCommands.h"
#include "game/Glowmere.h"

QString FormatPercent(long double percent) {
  // to_chars writes a point whatever the C locale says; the separator shown
  // is the Qt locale's alone.
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, percent, std::chars_format::fixed, 2).ptr;
  QString s = QString::fromLatin1(text, end - text);
  s.replace(QLatin1Char('.'), QLocale().decimalPoint());
  return s + QLatin1Char('%');
}

long double TfrmGlowmere::LitArea() const { return LitAreaOf(lights); }

void TfrmGlowmere::UpdateState(bool autosave) {
  const TVerdict verdict = VerdictOf(*level, LightPoints(), LightRegions());
  litPercent = verdict.share;
  pointsCount = lights.Count();
  const bool full = verdict.full;
  QString shown = FormatPercent(litPercent);
  lbPoints->setText(QString::number(pointsCount));
  if (!full && shown == FormatPercent(100.0L)) shown = FormatPercent(99.99L);
  lbLight->setText(shown);
  if (autosave) {
    AutosavePosition();
    RetryUnsavedRecord();
  }
  if (full && (recordPoints == -1 || pointsCount < recordPoints)) {
    recordPoints = pointsCount;
    SaveRecord();
  }
  lbRecord->setText(recordPoints == -1 ? QStringLiteral("-") : QString::number(recordPoints));
  // Every change the player makes ends here with the autosave; loading the
  // stores at creation and a judge's solution are no steps of play.
  if (autosave) history.Commit(LightPoints());
  N11->setEnabled(history.CanUndo());
  N12->setEnabled(history.CanRedo());
  // Screen readers read a figure with its caption.
  lbPoints->setAccessibleName(lbPointsCaption->text() + QStringLiteral(": ") + lbPoints->text());
  lbLight->setAccessibleName(lbLightCaption->text() + QStringLiteral(": ") + lbLight->text());
  lbRecord->setAccessibleName(lbRecordCaption->text() + QStringLiteral(": ") + lbRecord->text());
  DescribeKeyboardCursor();
}

void TfrmGlowmere::WriteRecordCertificate() {
  WriteCertificateLine(localization->Translate("data/points") + ": " + std::to_string(recordPoints));
}
