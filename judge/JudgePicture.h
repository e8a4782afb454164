// The judge's picture of a judged file: what an organiser settling a
// dispute looks at. The field exactly as the game window draws it (walls,
// lit floor, the lights' icons) with the dark floor marked as the hint
// marks it, drawn on the judge's canvas; and, for each light off the
// field, a mark on the field's edge pointing toward it.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "engine/LevelMap.h"

class TJudgeCanvas;

QImage JudgePicture(TJudgeCanvas& canvas, const std::vector<TGridPoint>& lights);

// JudgePicture as a PNG file; false when it cannot be written.
bool WriteJudgePicture(TJudgeCanvas& canvas, const std::vector<TGridPoint>& lights, const std::string& path);
