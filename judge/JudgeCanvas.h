// Where glowmere-judge draws its pictures: the field of the level as the
// game window draws it at its design size (engine/FieldScene), on a layer
// stack of its own, without a window or an application. It is the light
// host while it lives, so make one at a time. The verdicts never come from
// it; it only shows each file's lights as the game would draw them.
#pragma once

#include <vector>

#include "art/LevelResources.h"
#include "engine/FieldScene.h"
#include "engine/Level.h"
#include "engine/Light.h"
#include "raster/Bitmap32.h"
#include "raster/Layers.h"

class TJudgeCanvas : public TFieldScene {
 public:
  // level: the one built from choice's map, which outlives the canvas.
  // Throws ELevelResource when the shipped level's pictures are missing.
  TJudgeCanvas(const TLevelChoice& choice, const TLevel& level);
  ~TJudgeCanvas() override;
  TJudgeCanvas(const TJudgeCanvas&) = delete;
  TJudgeCanvas& operator=(const TJudgeCanvas&) = delete;

  // The field with these lights on it (the placed light's icon), the dark
  // floor marked as the hint marks it: the stack composed, field pixels,
  // with the alpha that blending left. Valid until the next call.
  const TBitmap32& Compose(const std::vector<TGridPoint>& lights);

  const TLevel& Level() const { return level_; }

  // TLightHost, what the lights stand on.
  TLightList& Lights() override { return lights_; }
  const TPolygonList& WallRects() override { return level_.WallRects(); }

 private:
  TLayerCollection stack_;  // first made, last gone: the layers are its
  const TLevel& level_;
  TBitmap32List imlMap_;     // the map, the unlit and the lit picture
  TBitmap32List imlPoints_;  // the five light icons
  TBitmap32 composed_;
  TLightList lights_;
  TLightHost* previousHost_ = nullptr;
};
