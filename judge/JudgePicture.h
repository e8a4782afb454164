// The judge's picture of a judged file: what an organiser settling a
// dispute looks at. The field exactly as the game window draws it (walls,
// lit floor, the lights' icons) with the hint button held, so the dark
// floor is marked as the hint marks it; and, for each light off the field,
// a mark on the field's edge pointing toward it.
#pragma once

#include <QImage>
#include <string>

class TfrmGlowmere;

// The picture of the window's lights; the hint is pressed and released
// around it, so the window shows the same before and after.
QImage JudgePicture(TfrmGlowmere& window);

// JudgePicture as a PNG file; false when it cannot be written.
bool WriteJudgePicture(TfrmGlowmere& window, const std::string& path);
