#include "image.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <stdexcept>

#include "little_endian.h"

namespace make_assets {

namespace {
std::uint8_t clamp8(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

std::uint32_t key(Rgb c) { return (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b; }

// The colour cell of `c` when each channel keeps its top `bits` bits.
Rgb posterize(Rgb c, int bits) {
  const std::uint8_t mask = static_cast<std::uint8_t>(0xFF << (8 - bits));
  return {static_cast<std::uint8_t>(c.r & mask), static_cast<std::uint8_t>(c.g & mask),
          static_cast<std::uint8_t>(c.b & mask)};
}
}  // namespace

Rgb rgb(int r, int g, int b) { return {clamp8(r), clamp8(g), clamp8(b)}; }

Rgb mix(Rgb a, Rgb b, double t) {
  return rgb(static_cast<int>(std::lround(a.r + (b.r - a.r) * t)),
             static_cast<int>(std::lround(a.g + (b.g - a.g) * t)),
             static_cast<int>(std::lround(a.b + (b.b - a.b) * t)));
}

Rgb shade(Rgb c, int d) { return rgb(c.r + d, c.g + d, c.b + d); }

std::uint32_t Random::next() {
  // xorshift32
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}
int Random::range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hi - lo + 1)); }
double Random::unit() { return (next() >> 8) / 16777216.0; }

Image::Image(int width, int height, Rgb fill)
    : w_(width), h_(height), px_(static_cast<std::size_t>(width) * height, fill) {}

Rgb Image::get(int x, int y) const {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return {};
  return px_[static_cast<std::size_t>(y) * w_ + x];
}

void Image::set(int x, int y, Rgb c) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
  px_[static_cast<std::size_t>(y) * w_ + x] = c;
}

void Image::fillRect(int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Image::frameRect(int x, int y, int w, int h, Rgb c) {
  for (int i = x; i < x + w; ++i) {
    set(i, y, c);
    set(i, y + h - 1, c);
  }
  for (int j = y; j < y + h; ++j) {
    set(x, j, c);
    set(x + w - 1, j, c);
  }
}

void Image::line(int x0, int y0, int x1, int y1, Rgb c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Image::fillCircle(int cx, int cy, int r, Rgb c) { fillEllipse(cx, cy, r, r, c); }

void Image::fillEllipse(int cx, int cy, int rx, int ry, Rgb c) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = -ry; y <= ry; ++y)
    for (int x = -rx; x <= rx; ++x) {
      double v = double(x * x) / (rx * rx) + double(y * y) / (ry * ry);
      if (v <= 1.0) set(cx + x, cy + y, c);
    }
}

void Image::circle(int cx, int cy, int r, Rgb c) {
  for (int a = 0; a < 360 * 4; ++a) {
    double t = a * M_PI / 720.0;
    set(cx + static_cast<int>(std::lround(r * std::cos(t))),
        cy + static_cast<int>(std::lround(r * std::sin(t))), c);
  }
}

void Image::fillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgb c) {
  int minX = std::min({x0, x1, x2}), maxX = std::max({x0, x1, x2});
  int minY = std::min({y0, y1, y2}), maxY = std::max({y0, y1, y2});
  auto edge = [](int ax, int ay, int bx, int by, int px, int py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
  };
  for (int y = minY; y <= maxY; ++y)
    for (int x = minX; x <= maxX; ++x) {
      int a = edge(x0, y0, x1, y1, x, y), b = edge(x1, y1, x2, y2, x, y), d = edge(x2, y2, x0, y0, x, y);
      if ((a >= 0 && b >= 0 && d >= 0) || (a <= 0 && b <= 0 && d <= 0)) set(x, y, c);
    }
}

void Image::verticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int j = 0; j < h; ++j) {
    Rgb c = mix(top, bottom, h > 1 ? double(j) / (h - 1) : 0.0);
    for (int i = 0; i < w; ++i) set(x + i, y + j, c);
  }
}

void Image::noise(int x, int y, int w, int h, int amount, Random& rnd) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) set(i, j, shade(get(i, j), rnd.range(-amount, amount)));
}

void Image::blit(const Image& src, int x, int y, bool useKey, Rgb keyColour) {
  for (int j = 0; j < src.h_; ++j)
    for (int i = 0; i < src.w_; ++i) {
      Rgb c = src.get(i, j);
      if (useKey && c == keyColour) continue;
      set(x + i, y + j, c);
    }
}

void Image::saveBmp(const std::string& path) const {
  // Up to 256 distinct colours are kept exactly; otherwise a palette of the 256 most
  // used colour cells (5 bits a channel, averaged) is built and every pixel takes its
  // nearest entry. Either way the file is 8-bit.
  std::vector<Rgb> pixels = px_;
  std::map<std::uint32_t, int> palette;
  for (const Rgb& c : px_) {
    palette.emplace(key(c), 0);
    if (palette.size() > 256) break;
  }
  if (palette.size() > 256) {
    struct Cell { double r = 0, g = 0, b = 0; long n = 0; };
    std::map<std::uint32_t, Cell> cells;
    for (const Rgb& c : px_) {
      Cell& cell = cells[key(posterize(c, 5))];
      cell.r += c.r; cell.g += c.g; cell.b += c.b; ++cell.n;
    }
    std::vector<std::pair<long, Rgb>> ranked;
    for (auto& [k, cell] : cells)
      ranked.push_back({cell.n, rgb(static_cast<int>(cell.r / cell.n + 0.5), static_cast<int>(cell.g / cell.n + 0.5),
                                    static_cast<int>(cell.b / cell.n + 0.5))});
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<Rgb> chosen;
    for (const auto& [n, c] : ranked) {
      if (chosen.size() == 256) break;
      if (std::find(chosen.begin(), chosen.end(), c) == chosen.end()) chosen.push_back(c);
    }
    std::map<std::uint32_t, Rgb> nearest;
    for (Rgb& c : pixels) {
      auto [it, fresh] = nearest.emplace(key(c), Rgb{});
      if (fresh) {
        long best = -1;
        for (const Rgb& q : chosen) {
          long d = long(c.r - q.r) * (c.r - q.r) + long(c.g - q.g) * (c.g - q.g) + long(c.b - q.b) * (c.b - q.b);
          if (best < 0 || d < best) { best = d; it->second = q; }
        }
      }
      c = it->second;
    }
    palette.clear();
    for (const Rgb& q : chosen) palette.emplace(key(q), 0);
  }
  int index = 0;
  for (auto& [k, v] : palette) v = index++;

  const int rowBytes = (w_ + 3) & ~3;
  const std::uint32_t offset = 14 + 40 + 256 * 4;
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes) * h_;

  std::string out = "BM";
  put32(out, offset + imageBytes);
  put32(out, 0);
  put32(out, offset);
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(w_));
  put32(out, static_cast<std::uint32_t>(h_));  // bottom-up rows
  put16(out, 1);
  put16(out, 8);
  put32(out, 0);  // no compression
  put32(out, imageBytes);
  put32(out, 2835);
  put32(out, 2835);
  put32(out, 256);
  put32(out, 0);
  std::vector<std::uint32_t> entries(256, 0);
  for (auto& [k, v] : palette) entries[static_cast<std::size_t>(v)] = k;
  for (std::uint32_t k : entries) {
    out.push_back(static_cast<char>(k & 0xFF));
    out.push_back(static_cast<char>((k >> 8) & 0xFF));
    out.push_back(static_cast<char>((k >> 16) & 0xFF));
    out.push_back(0);
  }
  for (int y = h_ - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < w_; ++x) row.push_back(static_cast<char>(palette[key(pixels[static_cast<std::size_t>(y) * w_ + x])]));
    row.resize(static_cast<std::size_t>(rowBytes), '\0');
    out += row;
  }
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw std::runtime_error("cannot write " + path);
  f.write(out.data(), static_cast<std::streamsize>(out.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

}  // namespace make_assets
