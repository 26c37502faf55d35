#include "core/settings/zoom_steps.h"

#include <cmath>

namespace quillane::settings {

int zoomIndex(double zoom) {
  if (!(zoom > 0)) return 1;  // 75
  int best = 0;
  for (int i = 1; i < static_cast<int>(kZoomSteps.size()); ++i)
    if (std::fabs(kZoomSteps[i] - zoom) < std::fabs(kZoomSteps[best] - zoom)) best = i;
  return best;
}

double snapZoom(double zoom) { return kZoomSteps[zoomIndex(zoom)]; }

}  // namespace quillane::settings
