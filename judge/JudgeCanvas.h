// Where glowmere-judge draws its pictures: a game window, made only when
// pictures are asked for, in a folder of the judge's own (judge/JudgeFolder)
// with an offscreen application. The verdicts never come from it; it only
// shows each file's lights as the game would draw them.
#pragma once

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "engine/LevelMap.h"
#include "judge/JudgeFolder.h"
#include "game/LevelResources.h"

class TfrmGlowmere;

class TJudgeCanvas {
 public:
  // Makes the folder (throws std::runtime_error when it cannot), enters it,
  // and opens the window on level. Relative names the caller gave are then
  // no longer for the current directory; the old one is back afterwards.
  explicit TJudgeCanvas(const TLevelChoice& level);
  ~TJudgeCanvas();  // the framework writes its files into the folder first
  // The field with these lights, the dark floor marked, as a PNG file;
  // false when it cannot be written.
  bool WritePicture(const std::vector<TGridPoint>& lights, const std::string& path);

 private:
  TJudgeFolder folder_;  // first made, last gone
  std::unique_ptr<QApplication> app_;
  std::unique_ptr<TfrmGlowmere> window_;
};
