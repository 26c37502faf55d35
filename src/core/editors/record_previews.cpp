#include "core/editors/record_previews.h"

#include <algorithm>
#include <cmath>

namespace quillane::editors {

PreviewPlacement enemyPlacement(double size, double unit) {
  const double width = unit * size;
  // A size that is no number, not positive or absurdly wide draws nothing (and never
  // overflows the pixel arithmetic).
  if (!(width > 0) || width > 1e6) return {0, 0, 0, 0};
  const int sourceWidth = static_cast<int>(std::lround(width));
  const int left = static_cast<int>(std::lround(kEnemyBandWidth / 2.0 - width / 2));
  return {sourceWidth, kEnemyBandHeight, left, 0};
}

PreviewPlacement animationPlacement(int width, int height) {
  return {width, height, kAnimationWidth / 2 - static_cast<int>(std::floor(width / 2.0)), 0};
}

}  // namespace quillane::editors
