#include "game/FieldScale.h"

#include <algorithm>
#include <cmath>

int32_t FittingCellPixels(QSize deviceSize, int32_t cellsAcross, int32_t cellsDown) {
  if (cellsAcross <= 0 || cellsDown <= 0) return MinCellPixels;
  const int32_t across = deviceSize.width() / cellsAcross;
  const int32_t down = deviceSize.height() / cellsDown;
  return std::max(MinCellPixels, std::min(across, down));
}

int32_t DevicePixelOf(double logical, double ratio) {
  const double snapped = std::round(logical * ratio * 256.0) / 256.0;
  return int32_t(std::clamp(std::floor(snapped), double(INT32_MIN), double(INT32_MAX)));
}

QSize DeviceSizeOf(QSize size, double ratio) {
  return {DevicePixelOf(size.width(), ratio), DevicePixelOf(size.height(), ratio)};
}
