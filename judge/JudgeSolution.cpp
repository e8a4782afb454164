// The judge's reading of one file. The document is read from the file's
// bytes into a tree that has no file, so nothing is written back, and the
// remarks come in the order the judge has always said them: why there is
// no solution, the level, each light whose keys are no whole numbers, each
// misplaced light, the dark floor, a share beyond the tolerance, the
// --strict verdict.
#include "judge/JudgeSolution.h"

#include "engine/Scoring.h"
#include "engine/SolutionFormat.h"
#include "engine/Verdict.h"
#include "framework/IniDocument.h"
#include "framework/IniNameValueTree.h"
#include "framework/TaskLevelPath.h"
#include "judge/JudgeRemarks.h"

std::string TJudgedSolution::VerdictText() const { return lights ? std::to_string(*lights) : "-"; }

std::string TJudgedSolution::ShareText() const { return holds ? TenDecimals(share) : "-"; }

TJudgedSolution JudgeSolution(const TLevel& level, const std::string& bytes, bool strict) {
  TIniNameValueTree document("");
  document.SetWriteBack(false);
  document.IniDocument().Load(bytes);

  TJudgedSolution j;
  const auto remark = [&j](const std::string& text) { j.remarks.push_back({text, false}); };
  const TSolutionCount count = ReadSolutionCount(document, level.GridPoints());
  const TDocumentLevel documentLevel = ReadDocumentLevel(document, TaskLevelPath);
  j.holds = count.Holds();
  if (!j.holds) remark(NoSolutionRemark(count, bytes, level.GridPoints()));
  if (const std::string text = LevelRemark(documentLevel); !text.empty()) remark(text);
  if (!j.holds) return j;

  j.points = ReadSolutionPoints(document, count.count);
  // A coordinate that is no whole number reads as 0, as the game reads it,
  // so the verdict stays the game's; it is named, and --strict refuses it.
  const std::vector<TLightKeys> keys = ReadSolutionKeys(document, count.count);
  const std::vector<std::string> keyRemarks = KeyRemarks(keys);
  for (const std::string& text : keyRemarks) remark(text);
  const TPolygonList regions = level.LitRegions(j.points);
  const std::vector<const TPolygon*> shown = PolygonPointers(regions);
  const TVerdict verdict = VerdictOf(level, j.points, shown, documentLevel);
  j.lights = verdict.lights;
  j.share = verdict.share;
  for (const std::string& text : PlacementRemarks(level, j.points, verdict.placements)) remark(text);
  if (!j.lights) remark(DarkFloorRemark(level, shown));
  // A share beyond the tolerance means a region was wrong; the line and
  // the rank stay as the rules give them.
  if (verdict.OverLit()) {
    j.remarks.push_back({"over-lit (share " + TenDecimals(j.share) + "%, judged " + std::to_string(OverLitVerdict) + ")",
                         true});
  }
  if (strict && (verdict.BreaksRules() || !keyRemarks.empty()) && j.lights) {
    remark("judged \"-\" by the statement's rules (--strict)");
    j.lights.reset();
  }
  return j;
}
