#pragma once
// Where the enemy picture and the animation frames stand on their preview canvases: the
// battle screen's enemy band and the animation screen, both 640 pixels wide and shown
// scaled down in the dialogs.
namespace quillane::editors {

struct PreviewPlacement {
  int sourceWidth;   // pixels taken from the picture's left edge (0: nothing drawn)
  int sourceHeight;
  int left;          // where they stand on the canvas
  int top;
};

inline constexpr int kEnemyBandWidth = 640;
inline constexpr int kEnemyBandHeight = 268;
inline constexpr int kEnemyPreviewX = 31, kEnemyPreviewY = 298, kEnemyPreviewWidth = 480, kEnemyPreviewHeight = 201;
inline constexpr int kAnimationWidth = 640;
inline constexpr int kAnimationHeight = 288;
inline constexpr int kAnimationPreviewX = 79, kAnimationPreviewY = 391, kAnimationPreviewWidth = 393,
                     kAnimationPreviewHeight = 177;

// An enemy of `size` units of `unit` pixels (the project's standard enemy image width)
// is centred on the band: `unit` x size pixels from the picture's left edge, the full
// band height, at x = 320 - unit / 2 x size.
PreviewPlacement enemyPlacement(double size, double unit);

// An animation frame of `width` pixels stands unscaled with its left edge at
// 320 - floor(width / 2), top 0.
PreviewPlacement animationPlacement(int width, int height);

}  // namespace quillane::editors
