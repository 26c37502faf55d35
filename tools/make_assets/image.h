#pragma once
// A plain RGB raster with the few drawing operations the asset generator needs, and an
// 8-bit paletted BMP writer, which keeps the committed files small.
#include <cstdint>
#include <string>
#include <vector>

namespace make_assets {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

Rgb rgb(int r, int g, int b);
Rgb mix(Rgb a, Rgb b, double t);       // t = 0 gives a, 1 gives b
Rgb shade(Rgb c, int delta);           // adds delta to each channel, clamped

// A small deterministic random source, so the generated files never change by chance.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed ? seed : 1) {}
  std::uint32_t next();
  int range(int lo, int hi);  // lo..hi inclusive
  double unit();              // [0, 1)

 private:
  std::uint32_t state_;
};

class Image {
 public:
  Image(int width, int height, Rgb fill = {});
  int width() const { return w_; }
  int height() const { return h_; }

  Rgb get(int x, int y) const;
  void set(int x, int y, Rgb c);  // ignores points outside
  void fillRect(int x, int y, int w, int h, Rgb c);
  void frameRect(int x, int y, int w, int h, Rgb c);
  void line(int x0, int y0, int x1, int y1, Rgb c);
  void fillCircle(int cx, int cy, int r, Rgb c);
  void fillEllipse(int cx, int cy, int rx, int ry, Rgb c);
  void circle(int cx, int cy, int r, Rgb c);
  void fillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgb c);
  void verticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
  // Scatters +-amount brightness noise over a rectangle.
  void noise(int x, int y, int w, int h, int amount, Random& rnd);
  // Copies `src` with its top-left at (x, y); pixels equal to `key` are left out
  // when `useKey` is set.
  void blit(const Image& src, int x, int y, bool useKey = false, Rgb key = {});

  // Writes an uncompressed 8-bit BMP; throws on failure.
  void saveBmp(const std::string& path) const;

 private:
  int w_, h_;
  std::vector<Rgb> px_;
};

}  // namespace make_assets
