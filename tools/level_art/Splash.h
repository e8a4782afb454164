// The splash picture shown while the game starts: the level itself, dimmed,
// with a few lights burning in it, and the game's name over it.
#pragma once

#include <QImage>
#include <vector>

#include "art/ArtMap.h"
#include "art/FieldPictures.h"
#include "art/LightIcons.h"

constexpr int SplashWidth = 532;
constexpr int SplashHeight = 366;

// Needs a QGuiApplication (fonts). Format_ARGB32, opaque.
QImage DrawSplash(const ArtMap& map, const FieldPictures& pictures, const std::vector<LightIcon>& icons);
