// The desktop icon: a quill over a strip of map tiles on a dusk-coloured rounded
// square, the colours of the welcome dialog's title. Drawn per pixel from shapes with
// 4 × 4 supersampling, so every size is sharp and its edges are smooth.
#include <algorithm>
#include <cmath>

#include "generators.h"
#include "image.h"
#include "png_writer.h"

namespace make_assets {

namespace {

struct Sample {
  bool inside = false;
  Rgb colour;
};

// What the icon shows at (x, y), both in 0..1.
Sample iconAt(double x, double y) {
  const double radius = 0.18, margin = 0.04;
  double cx = std::clamp(x, margin + radius, 1 - margin - radius);
  double cy = std::clamp(y, margin + radius, 1 - margin - radius);
  if (std::hypot(x - cx, y - cy) > radius) return {};  // outside the rounded square

  Rgb c = mix(rgb(18, 22, 64), rgb(232, 140, 92), (y - margin) / (1 - 2 * margin));
  if (y > 0.66) {  // a strip of grass tiles with darker seams
    double tx = std::fmod(x * 8, 1.0), ty = std::fmod((y - 0.66) * 8, 1.0);
    c = (tx < 0.08 || ty < 0.08) ? rgb(38, 96, 44) : mix(rgb(92, 170, 74), rgb(64, 140, 60), ty);
  }

  // The quill: a shaft from the nib (lower left) to the tip (upper right), vanes on both sides.
  const double x0 = 0.26, y0 = 0.88, x1 = 0.82, y1 = 0.10;
  double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
  double t = ((x - x0) * dx + (y - y0) * dy) / (len * len);
  double side = ((x - x0) * dy - (y - y0) * dx) / len;  // signed distance from the shaft
  if (t >= 0 && t <= 1) {
    double vane = std::sin(t * M_PI) * 0.15 * std::min(1.0, t / 0.22);
    if (std::abs(side) < 0.012 && t > 0.02) return {true, rgb(240, 222, 170)};
    if (std::abs(side) < vane) {
      double k = std::abs(side) / std::max(vane, 1e-6);
      Rgb feather = mix(rgb(252, 252, 255), rgb(150, 190, 235), k);
      if (side > 0) feather = shade(feather, -22);
      // fine barbs: thin darker lines across the vane
      if (std::fmod(t * 40 + std::abs(side) * 30, 1.0) < 0.12) feather = shade(feather, -18);
      return {true, feather};
    }
  }
  if (t < 0.02 && t > -0.07 && std::abs(side) < 0.018 * (t + 0.07) / 0.09)
    return {true, rgb(40, 40, 60)};  // the nib
  return {true, c};
}

std::vector<Rgba> drawIcon(int size) {
  const int ss = 4;
  std::vector<Rgba> pixels(static_cast<std::size_t>(size) * size);
  for (int py = 0; py < size; ++py)
    for (int px = 0; px < size; ++px) {
      int r = 0, g = 0, b = 0, n = 0;
      for (int sy = 0; sy < ss; ++sy)
        for (int sx = 0; sx < ss; ++sx) {
          Sample s = iconAt((px + (sx + 0.5) / ss) / size, (py + (sy + 0.5) / ss) / size);
          if (!s.inside) continue;
          r += s.colour.r, g += s.colour.g, b += s.colour.b, ++n;
        }
      Rgba& out = pixels[static_cast<std::size_t>(py) * size + px];
      if (n == 0) continue;
      out = {static_cast<std::uint8_t>(r / n), static_cast<std::uint8_t>(g / n),
             static_cast<std::uint8_t>(b / n), static_cast<std::uint8_t>(255 * n / (ss * ss))};
    }
  return pixels;
}

}  // namespace

Written makeIcons(const std::string& dir) {
  Written names;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    std::string name = "quillane-" + std::to_string(size) + ".png";
    savePng(dir + "/" + name, size, size, drawIcon(size));
    names.push_back(name);
  }
  return names;
}

}  // namespace make_assets
