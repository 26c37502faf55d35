#pragma once
// The zoom steps of the map view, in percent, from the largest to the smallest.
#include <array>

namespace quillane::settings {

inline constexpr std::array<double, 7> kZoomSteps{100, 75, 62.5, 50, 37.5, 31.25, 25};

// The step nearest to `zoom`; 75 when `zoom` is not positive.
double snapZoom(double zoom);
// Index of `zoom` in kZoomSteps (of its nearest step).
int zoomIndex(double zoom);

}  // namespace quillane::settings
