// The program folder's own bitmaps: the welcome dialog's title, the font sheet and
// the editor's symbol patterns.
#include <cmath>

#include "core/media/symbol_layout.h"
#include "generators.h"
#include "image.h"
#include "pixel_font.h"

namespace make_assets {

namespace sym = quillane::media::symbol;

namespace {

Rgb keyColour() {
  return rgb((sym::kTransparentKey >> 16) & 0xFF, (sym::kTransparentKey >> 8) & 0xFF,
             sym::kTransparentKey & 0xFF);
}

void drawQuill(Image& img, int baseX, int baseY) {
  // A feather leaning right: a shaft with barbs on both sides, tip at the bottom.
  const int length = 86;
  for (int i = 0; i < length; ++i) {
    double t = double(i) / length;
    int x = baseX + static_cast<int>(i * 0.45);
    int y = baseY - i;
    double vane = std::sin(t * M_PI) * 14.0 * (t > 0.15 ? 1.0 : t / 0.15);
    for (int k = 1; k <= static_cast<int>(vane); ++k) {
      Rgb c = mix(rgb(250, 250, 255), rgb(150, 190, 235), double(k) / (vane + 1));
      img.set(x - k, y - k / 3, c);
      img.set(x + k, y - k / 3 - 1, shade(c, -20));
    }
    img.set(x, y, rgb(235, 215, 160));
  }
  img.line(baseX, baseY, baseX - 3, baseY + 8, rgb(40, 40, 60));  // the nib
}

}  // namespace

void makeFontSheet(const std::string& path) {
  // 16 × 6 cells of 16 × 16 for characters 0x20..0x7F, white on black.
  Image sheet(256, 96, rgb(0, 0, 0));
  for (int code = 0x20; code < 0x7F; ++code) {
    int cell = code - 0x20;
    char c = static_cast<char>(code);
    drawText(sheet, (cell % 16) * 16 + 3, (cell / 16) * 16 + 1, std::string_view(&c, 1), 2,
             rgb(255, 255, 255));
  }
  sheet.saveBmp(path);
}

Written makeProgramAssets(const std::string& dir) {
  Random rnd(20261207);

  // Title: dusk sky, stars, hills, a quill and the name in gilded pixel letters.
  Image title(400, 120);
  title.verticalGradient(0, 0, 400, 120, rgb(18, 22, 64), rgb(232, 140, 92));
  for (int i = 0; i < 70; ++i) {
    int x = rnd.range(0, 399), y = rnd.range(0, 60);
    title.set(x, y, mix(rgb(255, 255, 220), title.get(x, y), rnd.unit() * 0.6));
  }
  for (int x = 0; x < 400; ++x) {
    int far = 96 + static_cast<int>(8 * std::sin(x / 37.0) + 5 * std::sin(x / 13.0));
    int near = 106 + static_cast<int>(6 * std::sin(x / 23.0 + 1.7));
    for (int y = far; y < 120; ++y) title.set(x, y, rgb(70, 52, 92));
    for (int y = near; y < 120; ++y) title.set(x, y, rgb(36, 30, 58));
  }
  drawQuill(title, 28, 104);
  const char* name = "Quillane";
  const int scale = 7;
  int x0 = 62 + (338 - textWidth(name, scale)) / 2;
  const int y0 = 16;
  for (int dy = -1; dy <= 1; ++dy)  // dark outline, then a soft shadow
    for (int dx = -1; dx <= 1; ++dx) drawText(title, x0 + dx * 2, y0 + dy * 2, name, scale, rgb(40, 20, 30));
  Image letters(400, 120, rgb(255, 0, 255));
  drawText(letters, x0, y0, name, scale, rgb(255, 255, 255));
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 400; ++x)
      if (letters.get(x, y) == rgb(255, 255, 255)) {
        double t = double(y - y0) / (7 * scale);
        Rgb c = mix(rgb(255, 240, 150), rgb(230, 150, 40), t);
        if ((y - y0) % scale == 0) c = shade(c, 25);  // a highlight on each pixel row
        title.set(x, y, c);
      }
  const char* subtitle = "GAME DATA EDITOR";
  int sx = 62 + (338 - textWidth(subtitle, 2)) / 2;
  drawText(title, sx + 1, 79, subtitle, 2, rgb(40, 20, 30));
  drawText(title, sx, 78, subtitle, 2, rgb(250, 235, 210));
  title.frameRect(0, 0, 400, 120, rgb(20, 16, 36));
  title.saveBmp(dir + "/TITLE.BMP");

  makeFontSheet(dir + "/FONT.BMP");

  // Symbol patterns, one 32 × 32 slot each (see core/media/symbol_layout.h).
  const int p = sym::kPatternSize;
  Image symbol(sym::kWidth, sym::kHeight, rgb(0, 0, 0));
  symbol.fillRect(sym::kDimMultiplyX, 0, p, p, rgb(120, 120, 150));
  for (int y = 0; y < p; ++y)
    for (int x = 0; x < p; ++x)
      if ((x + y) % 4 == 0) symbol.set(sym::kDimHazeX + x, y, rgb(18, 22, 46));
  for (int slot : {sym::kBlockedMarkX, sym::kEventBlockedMarkX, sym::kStartMarkX})
    symbol.fillRect(slot, 0, p, p, keyColour());

  int bx = sym::kBlockedMarkX;  // red cross with a dark rim
  for (int d = -2; d <= 2; ++d) {
    Rgb c = (d == -2 || d == 2) ? rgb(70, 0, 0) : rgb(235, 40, 40);
    symbol.line(bx + 6 + d, 6, bx + 25 + d, 25, c);
    symbol.line(bx + 25 + d, 6, bx + 6 + d, 25, c);
  }
  for (int d = -1; d <= 1; ++d) {
    symbol.line(bx + 6 + d, 6, bx + 25 + d, 25, rgb(235, 40, 40));
    symbol.line(bx + 25 + d, 6, bx + 6 + d, 25, rgb(235, 40, 40));
  }

  int ex = sym::kEventBlockedMarkX;  // amber warning triangle
  symbol.fillTriangle(ex + 16, 3, ex + 2, 28, ex + 30, 28, rgb(80, 50, 0));
  symbol.fillTriangle(ex + 16, 7, ex + 6, 26, ex + 26, 26, rgb(250, 185, 30));
  symbol.fillRect(ex + 15, 12, 3, 8, rgb(60, 35, 0));
  symbol.fillRect(ex + 15, 22, 3, 2, rgb(60, 35, 0));

  int st = sym::kStartMarkX;  // white flag in a green ring
  for (int r = 12; r <= 14; ++r) symbol.circle(st + 16, 16, r, r == 13 ? rgb(40, 220, 100) : rgb(0, 70, 30));
  symbol.fillRect(st + 11, 7, 2, 18, rgb(240, 240, 240));
  symbol.fillTriangle(st + 13, 7, st + 24, 11, st + 13, 15, rgb(255, 255, 255));
  symbol.fillRect(st + 9, 24, 6, 2, rgb(0, 70, 30));
  symbol.saveBmp(dir + "/" + sym::kFileName);

  return {"TITLE.BMP", "FONT.BMP", sym::kFileName};
}

}  // namespace make_assets
