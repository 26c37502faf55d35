// The sample project's large pictures: battle backgrounds BTL1.BMP (field) and
// BTL2.BMP (cave), the distant view VIEW1.BMP, and the animation frames AT0_<k>.bmp
// (a sword slash) and mg0_<k>.bmp (a magic burst) on the transparent magenta.
#include <cmath>

#include "generators.h"
#include "image.h"

namespace make_assets {

namespace {

const Rgb kKey = {255, 0, 255};

void ridge(Image& img, int baseY, double amp, double freq, double phase, Rgb c, Random& rnd) {
  for (int x = 0; x < img.width(); ++x) {
    int top = baseY - static_cast<int>(amp * (0.6 * std::sin(x * freq + phase) + 0.4 * std::sin(x * freq * 2.7 + phase * 1.3)));
    for (int y = std::max(0, top); y < img.height(); ++y) img.set(x, y, c);
  }
  (void)rnd;
}

Image fieldBattle() {
  Random rnd(41);
  Image img(640, 480);
  img.verticalGradient(0, 0, 640, 240, rgb(90, 150, 230), rgb(190, 220, 245));
  for (int i = 0; i < 5; ++i) {  // clouds
    int cx = 60 + i * 130, cy = 50 + (i % 3) * 25;
    img.fillEllipse(cx, cy, 50, 16, rgb(245, 248, 255));
    img.fillEllipse(cx + 25, cy - 8, 30, 14, rgb(255, 255, 255));
  }
  ridge(img, 230, 40, 0.012, 0.5, rgb(120, 150, 190), rnd);
  ridge(img, 250, 25, 0.02, 2.0, rgb(80, 140, 90), rnd);
  img.verticalGradient(0, 268, 640, 212, rgb(90, 160, 70), rgb(60, 120, 50));
  ridge(img, 268, 6, 0.05, 1.0, rgb(90, 160, 70), rnd);
  img.noise(0, 260, 640, 220, 8, rnd);
  for (int i = 0; i < 300; ++i) {
    int x = rnd.range(0, 639), y = rnd.range(270, 479);
    img.line(x, y, x + rnd.range(-1, 1), y - 3, rgb(50, 110, 40));
  }
  return img;
}

Image caveBattle() {
  Random rnd(42);
  Image img(640, 480);
  img.verticalGradient(0, 0, 640, 480, rgb(40, 30, 45), rgb(80, 65, 60));
  for (int i = 0; i < 14; ++i) {  // stalactites
    int x = rnd.range(0, 639), len = rnd.range(40, 140);
    img.fillTriangle(x - 18, 0, x + 18, 0, x, len, rgb(70, 55, 65));
  }
  img.verticalGradient(0, 300, 640, 180, rgb(90, 75, 65), rgb(60, 50, 45));
  img.noise(0, 0, 640, 480, 7, rnd);
  for (int i = 0; i < 6; ++i) {  // glowing crystals
    int x = rnd.range(20, 620), y = rnd.range(310, 460);
    img.fillTriangle(x, y - 30, x - 8, y, x + 8, y, rgb(120, 200, 240));
    img.line(x, y - 28, x, y - 2, rgb(220, 245, 255));
  }
  return img;
}

Image distantView() {
  Random rnd(43);
  Image img(640, 480);
  img.verticalGradient(0, 0, 640, 480, rgb(40, 60, 140), rgb(250, 190, 130));
  img.fillCircle(470, 300, 40, rgb(255, 235, 180));
  ridge(img, 330, 70, 0.008, 0.3, rgb(120, 110, 160), rnd);
  ridge(img, 380, 45, 0.014, 1.7, rgb(85, 80, 130), rnd);
  ridge(img, 430, 25, 0.025, 3.1, rgb(50, 50, 90), rnd);
  for (int i = 0; i < 12; ++i) {  // snow on the far peaks
    int x = rnd.range(0, 639);
    for (int y = 0; y < 480; ++y)
      if (img.get(x, y) == rgb(120, 110, 160)) {
        img.fillTriangle(x, y, x - 10, y + 12, x + 10, y + 12, rgb(235, 235, 250));
        break;
      }
  }
  return img;
}

Image slashFrame(int k) {
  Image img(96, 96, kKey);
  double t = (k + 1) / 4.0;
  int reach = static_cast<int>(80 * t);
  for (int w = -3; w <= 3; ++w) {
    Rgb c = std::abs(w) == 3 ? rgb(120, 160, 240) : std::abs(w) == 2 ? rgb(190, 220, 255) : rgb(255, 255, 255);
    img.line(8 + w, 8 - w, 8 + reach + w, 8 + reach - w, c);
  }
  if (k == 3)
    for (int i = 0; i < 8; ++i) {
      double a = i * M_PI / 4;
      img.line(70, 70, 70 + static_cast<int>(18 * std::cos(a)), 70 + static_cast<int>(18 * std::sin(a)), rgb(255, 240, 150));
    }
  return img;
}

Image burstFrame(int k) {
  Image img(96, 96, kKey);
  int r = 10 + k * 10;
  img.fillCircle(48, 48, r, rgb(120, 80, 230));
  img.fillCircle(48, 48, r * 2 / 3, rgb(190, 150, 255));
  img.fillCircle(48, 48, r / 3, rgb(255, 255, 255));
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4 + k * 0.3;
    int x = 48 + static_cast<int>((r + 8) * std::cos(a)), y = 48 + static_cast<int>((r + 8) * std::sin(a));
    img.fillCircle(x, y, 3, rgb(255, 240, 160));
  }
  return img;
}

}  // namespace

Written makeScenes(const std::string& dir) {
  fieldBattle().saveBmp(dir + "/BTL1.BMP");
  caveBattle().saveBmp(dir + "/BTL2.BMP");
  distantView().saveBmp(dir + "/VIEW1.BMP");
  Written out = {"BTL1.BMP", "BTL2.BMP", "VIEW1.BMP"};
  for (int k = 0; k < 4; ++k) {
    std::string at = "AT0_" + std::to_string(k) + ".bmp";
    std::string mg = "mg0_" + std::to_string(k) + ".bmp";
    slashFrame(k).saveBmp(dir + "/" + at);
    burstFrame(k).saveBmp(dir + "/" + mg);
    out.push_back(at);
    out.push_back(mg);
  }
  return out;
}

}  // namespace make_assets
