#include "tile_painter.h"

#include <cmath>

namespace make_assets {

namespace {

constexpr int T = 32;

Rgb tinted(Rgb c, int tint) {
  if (tint == 1) return mix(c, rgb(c.r + 40, c.g - 10, c.b - 30), 0.6);  // autumn
  if (tint == 2) return mix(c, rgb(c.r - 40, c.g - 30, c.b + 30), 0.6);  // night
  return c;
}

struct Pen {
  Image& img;
  int ox, oy, tint;
  void fill(int x, int y, int w, int h, Rgb c) { img.fillRect(ox + x, oy + y, w, h, tinted(c, tint)); }
  void dot(int x, int y, Rgb c) { img.set(ox + x, oy + y, tinted(c, tint)); }
  void line(int x0, int y0, int x1, int y1, Rgb c) { img.line(ox + x0, oy + y0, ox + x1, oy + y1, tinted(c, tint)); }
  void disc(int x, int y, int r, Rgb c) { img.fillCircle(ox + x, oy + y, r, tinted(c, tint)); }
  void oval(int x, int y, int rx, int ry, Rgb c) { img.fillEllipse(ox + x, oy + y, rx, ry, tinted(c, tint)); }
  void tri(int x0, int y0, int x1, int y1, int x2, int y2, Rgb c) {
    img.fillTriangle(ox + x0, oy + y0, ox + x1, oy + y1, ox + x2, oy + y2, tinted(c, tint));
  }
  void frame(int x, int y, int w, int h, Rgb c) { img.frameRect(ox + x, oy + y, w, h, tinted(c, tint)); }
  void grain(int amount, Random& rnd) { img.noise(ox, oy, T, T, amount, rnd); }
};

void grass(Pen& p, int v, Random& rnd) {
  Rgb base = mix(rgb(70, 150, 60), rgb(100, 165, 55), (v % 4) / 4.0);
  p.fill(0, 0, T, T, base);
  p.grain(8, rnd);
  for (int i = 0; i < 14; ++i) {
    int x = rnd.range(1, 30), y = rnd.range(2, 30);
    p.line(x, y, x + rnd.range(-1, 1), y - 2, shade(base, -35));
  }
  if (v >= 3 && v < 8) {  // flowers
    Rgb colours[] = {rgb(250, 240, 90), rgb(240, 110, 140), rgb(250, 250, 250), rgb(150, 140, 250)};
    for (int i = 0; i < 6; ++i) {
      int x = rnd.range(3, 28), y = rnd.range(3, 28);
      Rgb c = colours[(v + i) % 4];
      p.dot(x, y, c);
      p.dot(x + 1, y, c);
      p.dot(x, y + 1, c);
      p.dot(x + 1, y + 1, shade(c, -40));
    }
  } else if (v >= 8 && v < 12) {  // tall grass tufts
    for (int i = 0; i < 5; ++i) {
      int x = rnd.range(4, 26), y = rnd.range(8, 28);
      for (int k = -2; k <= 2; ++k) p.line(x, y, x + k * 2, y - 6, shade(base, -45 + k * 5));
    }
  } else if (v >= 12) {  // clover and stones
    for (int i = 0; i < 4; ++i) p.disc(rnd.range(5, 26), rnd.range(5, 26), 1, rgb(150, 150, 140));
  }
}

void water(Pen& p, int v, Random& rnd) {
  Rgb deep = rgb(30, 60, 150), shallow = rgb(50, 110, 210);
  Rgb base = v == 0 ? deep : shallow;
  if (v == 11) base = rgb(170, 210, 235);  // ice
  if (v == 15) base = rgb(200, 60, 20);    // lava
  p.fill(0, 0, T, T, base);
  p.grain(6, rnd);
  Rgb crest = v == 15 ? rgb(255, 190, 60) : shade(base, 60);
  for (int i = 0; i < 4; ++i) {
    int x = rnd.range(2, 22), y = rnd.range(4, 28);
    p.line(x, y, x + 3, y - 1, crest);
    p.line(x + 4, y - 1, x + 7, y, crest);
  }
  Rgb land = rgb(80, 155, 60), sand = rgb(220, 200, 140);
  switch (v) {  // shores: land strip with a sand rim on one side or corner
    case 2: p.fill(0, 0, T, 8, land); p.fill(0, 8, T, 2, sand); break;
    case 3: p.fill(0, 24, T, 8, land); p.fill(0, 22, T, 2, sand); break;
    case 4: p.fill(0, 0, 8, T, land); p.fill(8, 0, 2, T, sand); break;
    case 5: p.fill(24, 0, 8, T, land); p.fill(22, 0, 2, T, sand); break;
    case 6: p.oval(0, 0, 12, 12, sand); p.oval(0, 0, 10, 10, land); break;
    case 7: p.oval(31, 0, 12, 12, sand); p.oval(31, 0, 10, 10, land); break;
    case 8: p.oval(0, 31, 12, 12, sand); p.oval(0, 31, 10, 10, land); break;
    case 9: p.oval(31, 31, 12, 12, sand); p.oval(31, 31, 10, 10, land); break;
    case 10:  // waterfall
      for (int x = 0; x < T; x += 3) p.line(x, 0, x, 31, mix(shallow, rgb(230, 240, 255), (x % 6) / 6.0 + 0.3));
      break;
    case 12: p.disc(10, 12, 5, rgb(120, 120, 115)); p.disc(22, 22, 4, rgb(100, 100, 95)); break;
    case 13: p.disc(12, 14, 5, rgb(60, 150, 60)); p.dot(12, 14, rgb(240, 150, 200)); break;
    case 14: p.fill(0, 0, T, T, rgb(70, 90, 60)); p.grain(10, rnd); break;
    default: break;
  }
}

void tree(Pen& p, int v, Random& rnd) {
  grass(p, v % 4, rnd);
  if (v >= 12) {  // on snow or sand
    p.fill(0, 0, T, T, v < 14 ? rgb(235, 240, 250) : rgb(225, 205, 145));
    p.grain(5, rnd);
  }
  int kind = (v / 4) % 3;
  p.oval(16, 29, 9, 3, rgb(40, 80, 40));  // shadow
  if (kind == 0) {  // broadleaf
    p.fill(14, 18, 5, 11, rgb(100, 65, 35));
    p.disc(16, 13, 11, rgb(30, 100, 40));
    p.disc(14, 11, 8, rgb(50, 130, 50));
    p.disc(12, 9, 4, rgb(90, 170, 80));
  } else if (kind == 1) {  // conifer
    p.fill(14, 24, 4, 6, rgb(90, 60, 30));
    p.tri(16, 1, 5, 16, 27, 16, rgb(25, 90, 55));
    p.tri(16, 7, 3, 25, 29, 25, rgb(20, 80, 50));
    p.tri(16, 3, 9, 14, 17, 14, rgb(50, 130, 80));
  } else {  // bush or dead tree
    if (v % 2 == 0) {
      p.oval(16, 20, 12, 9, rgb(40, 120, 45));
      p.oval(13, 17, 6, 4, rgb(80, 160, 70));
    } else {
      p.fill(15, 10, 3, 20, rgb(110, 85, 60));
      p.line(16, 14, 8, 6, rgb(110, 85, 60));
      p.line(16, 12, 25, 5, rgb(110, 85, 60));
      p.line(16, 18, 23, 13, rgb(110, 85, 60));
    }
  }
}

void mountain(Pen& p, int v, Random& rnd) {
  grass(p, 0, rnd);
  Rgb body = v < 4 ? rgb(140, 105, 70) : v < 8 ? rgb(130, 130, 135) : v < 12 ? rgb(120, 120, 140) : rgb(110, 80, 60);
  if (v >= 12 && v < 14) {  // boulders
    p.oval(11, 20, 9, 8, body);
    p.oval(23, 24, 7, 6, shade(body, -20));
    p.oval(9, 17, 4, 3, shade(body, 40));
    return;
  }
  p.tri(16, 2 + v % 4, 0, 31, 31, 31, body);
  p.tri(16, 2 + v % 4, 16, 31, 31, 31, shade(body, -30));
  if (v >= 8 && v < 12) p.tri(16, 2 + v % 4, 11, 11, 21, 11, rgb(245, 245, 250));
  if (v >= 14) {  // volcano: crater glow
    p.fill(12, 4, 8, 3, rgb(240, 90, 20));
    p.line(16, 4, 14, 0, rgb(120, 120, 120));
  }
}

void brickWall(Pen& p, int v, Random& rnd) {
  Rgb brick = mix(rgb(170, 80, 60), rgb(150, 140, 120), (v % 8) / 8.0);
  Rgb mortar = rgb(200, 190, 170);
  p.fill(0, 0, T, T, mortar);
  for (int row = 0; row < 4; ++row)
    for (int col = -1; col < 3; ++col) {
      int x = col * 16 + (row % 2) * 8;
      p.fill(x + 1, row * 8 + 1, 15, 7, shade(brick, rnd.range(-12, 12)));
    }
  p.grain(5, rnd);
  if (v >= 8) p.fill(0, 0, T, 3, rgb(90, 85, 80));  // wall top
  if (v >= 12) {  // window
    p.fill(9, 8, 14, 14, rgb(60, 40, 30));
    p.fill(11, 10, 10, 10, rgb(140, 190, 230));
    p.line(16, 10, 16, 19, rgb(60, 40, 30));
  }
}

void stoneWall(Pen& p, int v, Random& rnd) {
  Rgb stone = mix(rgb(140, 140, 150), rgb(110, 115, 100), (v % 4) / 4.0);
  p.fill(0, 0, T, T, shade(stone, -50));
  for (int row = 0; row < 2; ++row)
    for (int col = -1; col < 2; ++col) {
      int x = col * 20 + row * 10;
      p.fill(x + 1, row * 16 + 1, 19, 15, shade(stone, rnd.range(-15, 10)));
      p.line(x + 1, row * 16 + 1, x + 19, row * 16 + 1, shade(stone, 30));
    }
  p.grain(6, rnd);
  int deco = v / 4;
  if (deco == 1) {  // battlement
    p.fill(0, 0, T, 6, rgb(0, 0, 0));
    p.fill(0, 0, 10, 6, stone);
    p.fill(21, 0, 11, 6, stone);
  } else if (deco == 2) {  // arrow slit
    p.fill(14, 6, 4, 20, rgb(20, 20, 30));
  } else if (deco == 3) {  // pillar
    p.fill(8, 0, 16, T, shade(stone, 20));
    p.line(8, 0, 8, 31, shade(stone, -40));
    p.line(23, 0, 23, 31, shade(stone, -40));
  }
}

void roof(Pen& p, int v, Random& rnd) {
  Rgb colours[] = {rgb(180, 60, 50), rgb(60, 80, 160), rgb(70, 130, 70), rgb(150, 110, 60)};
  Rgb c = colours[v % 4];
  p.fill(0, 0, T, T, c);
  for (int y = 0; y < T; y += 6) {
    p.line(0, y, 31, y, shade(c, -45));
    for (int x = (y / 6 % 2) * 4; x < T; x += 8) p.line(x, y, x, y + 5, shade(c, -30));
  }
  p.grain(6, rnd);
  if (v >= 4 && v < 8) p.fill(0, 0, T, 4, shade(c, 40));   // ridge
  if (v >= 8 && v < 12) p.fill(0, 28, T, 4, shade(c, -60)); // eave
  if (v >= 12) {                                            // chimney
    p.fill(20, 2, 7, 12, rgb(150, 80, 60));
    p.fill(19, 2, 9, 2, rgb(90, 90, 90));
  }
}

void cliff(Pen& p, int v, Random& rnd) {
  Rgb rock = v < 8 ? rgb(120, 95, 70) : rgb(80, 75, 90);
  p.fill(0, 0, T, T, rock);
  p.grain(12, rnd);
  for (int i = 0; i < 6; ++i) {
    int x = rnd.range(0, 28), y = rnd.range(0, 28);
    p.line(x, y, x + rnd.range(-4, 4), y + rnd.range(3, 8), shade(rock, -50));
  }
  if (v % 4 == 1) p.fill(0, 0, T, 6, rgb(80, 150, 60));  // grass on top
  if (v % 4 == 2) p.fill(0, 26, T, 6, shade(rock, -45));
  if (v % 4 == 3) p.oval(16, 20, 8, 10, rgb(15, 10, 15));  // cave mouth
}

void props(Pen& p, int v, Random& rnd) {
  grass(p, 0, rnd);
  switch (v % 8) {
    case 0:  // fence
      p.fill(0, 12, T, 3, rgb(150, 110, 70));
      p.fill(0, 20, T, 3, rgb(150, 110, 70));
      for (int x = 3; x < T; x += 10) p.fill(x, 8, 4, 20, rgb(170, 130, 85));
      break;
    case 1:  // statue
      p.fill(9, 24, 14, 6, rgb(150, 150, 150));
      p.fill(12, 10, 8, 14, rgb(190, 190, 195));
      p.disc(16, 7, 4, rgb(200, 200, 205));
      break;
    case 2:  // well
      p.oval(16, 20, 11, 8, rgb(140, 140, 140));
      p.oval(16, 19, 7, 5, rgb(30, 50, 110));
      p.fill(5, 4, 2, 14, rgb(110, 75, 40));
      p.fill(25, 4, 2, 14, rgb(110, 75, 40));
      p.fill(4, 3, 24, 3, rgb(150, 60, 50));
      break;
    case 3:  // signpost
      p.fill(15, 12, 3, 18, rgb(110, 75, 40));
      p.fill(6, 6, 20, 9, rgb(180, 140, 90));
      p.line(9, 10, 22, 10, rgb(80, 60, 40));
      break;
    case 4:  // stump
      p.oval(16, 20, 9, 6, rgb(120, 85, 50));
      p.oval(16, 17, 8, 4, rgb(200, 170, 120));
      break;
    case 5:  // grave stone
      p.fill(10, 10, 12, 18, rgb(160, 160, 170));
      p.disc(16, 10, 6, rgb(160, 160, 170));
      p.line(16, 12, 16, 20, rgb(90, 90, 100));
      p.line(13, 15, 19, 15, rgb(90, 90, 100));
      break;
    case 6:  // lamp post
      p.fill(15, 8, 3, 22, rgb(50, 50, 60));
      p.fill(12, 3, 9, 7, rgb(250, 230, 130));
      p.frame(12, 3, 9, 7, rgb(50, 50, 60));
      break;
    default:  // rock pile
      p.disc(11, 21, 6, rgb(130, 125, 120));
      p.disc(21, 22, 5, rgb(110, 105, 100));
      p.disc(16, 15, 5, rgb(150, 145, 140));
      break;
  }
  if (v >= 8) p.grain(4, rnd);
}

void woodFloor(Pen& p, Random& rnd) {
  p.fill(0, 0, T, T, rgb(170, 120, 70));
  for (int y = 0; y < T; y += 8) {
    p.line(0, y, 31, y, rgb(120, 80, 45));
    int joint = (y * 7) % 24 + 4;
    p.line(joint, y, joint, y + 7, rgb(130, 90, 50));
  }
  p.grain(6, rnd);
}

void barrels(Pen& p, int v, Random& rnd) {
  if (v < 8) woodFloor(p, rnd); else { p.fill(0, 0, T, T, rgb(150, 150, 150)); p.grain(8, rnd); }
  switch (v % 4) {
    case 0:  // barrel
      p.oval(16, 17, 10, 13, rgb(140, 95, 50));
      p.fill(6, 9, 21, 2, rgb(80, 80, 90));
      p.fill(6, 24, 21, 2, rgb(80, 80, 90));
      p.oval(16, 6, 8, 3, rgb(170, 125, 75));
      break;
    case 1:  // crate
      p.fill(5, 5, 22, 22, rgb(180, 140, 80));
      p.frame(5, 5, 22, 22, rgb(100, 70, 35));
      p.line(5, 5, 26, 26, rgb(120, 85, 45));
      p.line(26, 5, 5, 26, rgb(120, 85, 45));
      break;
    case 2:  // pot
      p.oval(16, 19, 10, 10, rgb(170, 100, 60));
      p.fill(11, 5, 10, 5, rgb(150, 85, 50));
      p.oval(12, 16, 3, 4, rgb(210, 150, 110));
      break;
    default:  // sacks
      p.oval(11, 20, 8, 9, rgb(210, 190, 140));
      p.oval(22, 21, 7, 8, rgb(195, 175, 125));
      break;
  }
}

void counter(Pen& p, int v, Random& rnd) {
  woodFloor(p, rnd);
  Rgb top = v < 8 ? rgb(150, 95, 50) : rgb(190, 190, 200);
  Rgb front = shade(top, -40);
  int part = v % 8;
  if (part < 3) {  // horizontal: left end, middle, right end
    int x0 = part == 0 ? 4 : 0, x1 = part == 2 ? 28 : 32;
    p.fill(x0, 6, x1 - x0, 10, top);
    p.fill(x0, 16, x1 - x0, 12, front);
    p.line(x0, 6, x1 - 1, 6, shade(top, 40));
  } else if (part < 6) {  // vertical: top end, middle, bottom end
    int y0 = part == 3 ? 4 : 0, y1 = part == 5 ? 28 : 32;
    p.fill(8, y0, 16, y1 - y0, top);
    p.fill(20, y0, 4, y1 - y0, front);
  } else if (part == 6) {  // corner
    p.fill(0, 6, 24, 10, top);
    p.fill(8, 6, 16, 26, top);
    p.fill(20, 6, 4, 26, front);
  } else {  // counter with wares
    p.fill(0, 6, T, 10, top);
    p.fill(0, 16, T, 12, front);
    p.disc(9, 8, 3, rgb(220, 60, 50));
    p.disc(21, 8, 3, rgb(240, 200, 60));
  }
}

void furniture(Pen& p, int v, Random& rnd) {
  woodFloor(p, rnd);
  switch (v % 8) {
    case 0:  // round table
      p.oval(16, 17, 13, 10, rgb(120, 75, 40));
      p.oval(16, 15, 13, 10, rgb(170, 115, 60));
      break;
    case 1:  // long table with cloth
      p.fill(1, 6, 30, 20, rgb(240, 240, 230));
      p.fill(1, 22, 30, 4, rgb(200, 200, 190));
      p.disc(10, 13, 3, rgb(200, 200, 210));
      break;
    case 2:  // bed
      p.fill(5, 2, 22, 28, rgb(120, 80, 45));
      p.fill(7, 4, 18, 7, rgb(250, 250, 250));
      p.fill(7, 11, 18, 17, rgb(70, 110, 190));
      break;
    case 3:  // bookshelf
      p.fill(2, 0, 28, 30, rgb(110, 70, 35));
      for (int s = 0; s < 3; ++s)
        for (int b = 0; b < 6; ++b)
          p.fill(4 + b * 4, 2 + s * 9, 3, 7, rgb(60 + 30 * ((b + s) % 4), 50 + 40 * (b % 3), 80 + 30 * (s % 2)));
      break;
    case 4:  // chair
      p.fill(10, 4, 12, 6, rgb(140, 90, 45));
      p.fill(10, 12, 12, 10, rgb(170, 115, 60));
      p.fill(10, 22, 2, 6, rgb(110, 70, 35));
      p.fill(20, 22, 2, 6, rgb(110, 70, 35));
      break;
    case 5:  // dresser
      p.fill(3, 6, 26, 22, rgb(150, 100, 55));
      p.line(3, 16, 28, 16, rgb(100, 65, 35));
      p.disc(16, 11, 1, rgb(230, 200, 90));
      p.disc(16, 22, 1, rgb(230, 200, 90));
      break;
    case 6:  // hearth
      p.fill(2, 2, 28, 26, rgb(130, 120, 115));
      p.fill(8, 12, 16, 14, rgb(30, 20, 20));
      p.tri(16, 14, 10, 25, 22, 25, rgb(250, 150, 40));
      break;
    default:  // plant pot
      p.fill(11, 20, 10, 9, rgb(170, 90, 60));
      p.disc(16, 13, 8, rgb(50, 140, 60));
      break;
  }
}

void road(Pen& p, int v, Random& rnd) {
  int kind = v / 4;
  Rgb base = kind == 0 ? rgb(175, 140, 95) : kind == 1 ? rgb(150, 150, 150) : kind == 2 ? rgb(225, 205, 150) : rgb(120, 100, 80);
  p.fill(0, 0, T, T, base);
  p.grain(10, rnd);
  if (kind == 1) {  // cobbles
    for (int y = 0; y < T; y += 8)
      for (int x = (y / 8 % 2) * 4; x < T; x += 8) p.oval(x + 3, y + 3, 3, 3, shade(base, rnd.range(-20, 25)));
  } else {
    for (int i = 0; i < 8; ++i) p.dot(rnd.range(1, 30), rnd.range(1, 30), shade(base, -40));
  }
  Rgb edge = rgb(80, 150, 60);
  switch (v % 4) {  // grass edges along the road
    case 1: p.fill(0, 0, T, 4, edge); break;
    case 2: p.fill(0, 28, T, 4, edge); break;
    case 3: p.fill(0, 0, 4, T, edge); p.fill(28, 0, 4, T, edge); break;
    default: break;
  }
}

void floorTile(Pen& p, int v, Random& rnd) {
  int kind = v / 4;
  if (kind == 0) {  // stone slabs
    Rgb c = rgb(165, 160, 150);
    p.fill(0, 0, T, T, c);
    p.grain(8, rnd);
    p.line(0, 15, 31, 15, shade(c, -45));
    p.line(15, 0, 15, 31, shade(c, -45));
  } else if (kind == 1) {
    woodFloor(p, rnd);
  } else if (kind == 2) {  // marble checker
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) p.fill(x * 16, y * 16, 16, 16, (x + y) % 2 ? rgb(230, 230, 235) : rgb(70, 70, 90));
    p.grain(4, rnd);
  } else {  // tiles
    Rgb c = rgb(190, 150, 110);
    p.fill(0, 0, T, T, c);
    for (int i = 0; i < T; i += 8) {
      p.line(i, 0, i, 31, shade(c, -30));
      p.line(0, i, 31, i, shade(c, -30));
    }
    p.grain(5, rnd);
  }
  if (v % 4 == 3) p.frame(0, 0, T, T, rgb(90, 80, 70));
}

void carpet(Pen& p, int v, Random& rnd) {
  int kind = v / 4;
  if (kind == 0 || kind == 1) {  // carpets, red and blue
    Rgb c = kind == 0 ? rgb(170, 30, 40) : rgb(40, 60, 150);
    p.fill(0, 0, T, T, c);
    p.grain(5, rnd);
    if (v % 4 == 1) p.fill(0, 2, T, 2, rgb(230, 190, 70));
    if (v % 4 == 2) p.fill(0, 28, T, 2, rgb(230, 190, 70));
    if (v % 4 == 3) p.frame(2, 2, 28, 28, rgb(230, 190, 70));
  } else if (kind == 2) {  // wooden bridge over water
    p.fill(0, 0, T, T, rgb(50, 110, 210));
    p.fill(0, 2, T, 28, rgb(160, 115, 65));
    for (int x = 0; x < T; x += 6) p.line(x, 2, x, 29, rgb(110, 75, 40));
    if (v % 2) p.fill(0, 2, T, 2, rgb(100, 70, 35));
  } else {  // stairs
    Rgb c = rgb(150, 145, 140);
    for (int s = 0; s < 4; ++s) {
      p.fill(0, s * 8, T, 8, shade(c, s * 15 - 20));
      p.line(0, s * 8, 31, s * 8, shade(c, 50));
    }
    if (v % 2) p.fill(0, 0, 4, T, rgb(90, 85, 80));
  }
}

void ground(Pen& p, int v, Random& rnd) {
  int kind = v / 4;
  // Earth (forest paths, cave floors), sand, snow, swamp.
  Rgb c = kind == 0 ? rgb(125, 100, 75) : kind == 1 ? rgb(230, 200, 130) : kind == 2 ? rgb(240, 245, 252) : rgb(90, 110, 70);
  p.fill(0, 0, T, T, c);
  p.grain(kind == 2 ? 4 : 9, rnd);
  for (int i = 0; i < 5; ++i) {
    int x = rnd.range(2, 28), y = rnd.range(2, 28);
    if (kind == 0) p.disc(x, y, 1, shade(c, 25));
    if (kind == 1) p.line(x, y, x + 4, y, shade(c, -25));
    if (kind == 2) p.dot(x, y, rgb(200, 210, 235));
    if (kind == 3) p.oval(x, y, 3, 2, rgb(60, 90, 70));
  }
  if (v % 4 == 3) p.grain(6, rnd);
}

}  // namespace

void paintTile(Image& img, int ox, int oy, TileKind kind, int v, int tint, Random& rnd) {
  Pen p{img, ox, oy, tint};
  switch (kind) {
    case TileKind::Water: water(p, v, rnd); break;
    case TileKind::Trees: tree(p, v, rnd); break;
    case TileKind::Mountains: mountain(p, v, rnd); break;
    case TileKind::BrickWall: brickWall(p, v, rnd); break;
    case TileKind::StoneWall: stoneWall(p, v, rnd); break;
    case TileKind::Roof: roof(p, v, rnd); break;
    case TileKind::Cliff: cliff(p, v, rnd); break;
    case TileKind::Props: props(p, v, rnd); break;
    case TileKind::Barrels: barrels(p, v, rnd); break;
    case TileKind::Counter: counter(p, v, rnd); break;
    case TileKind::Furniture: furniture(p, v, rnd); break;
    case TileKind::Grass: grass(p, v, rnd); break;
    case TileKind::Road: road(p, v, rnd); break;
    case TileKind::Floor: floorTile(p, v, rnd); break;
    case TileKind::Carpet: carpet(p, v, rnd); break;
    case TileKind::Ground: ground(p, v, rnd); break;
  }
}

void paintSkyTile(Image& img, int ox, int oy, int row, int col, Random& rnd) {
  Pen p{img, ox, oy, 0};
  if (row == 0 && col == 0) return;  // code "00" means no sky tile
  switch (row % 6) {  // row 1 (codes 1x) holds the clouds
    case 0:  // tree tops
      p.disc(16, 16, 13, rgb(30, 100, 40));
      p.disc(13, 13, 9, rgb(50, 135, 55));
      p.disc(10, 10, 4, rgb(100, 175, 85));
      if (col % 4 == 1) p.fill(0, 20, T, 12, rgb(30, 100, 40));
      break;
    case 2:  // roof eaves
      p.fill(0, 0, T, 14 + col % 4 * 3, col < 8 ? rgb(180, 60, 50) : rgb(60, 80, 160));
      for (int y = 0; y < 14 + col % 4 * 3; y += 5) p.line(0, y, 31, y, rgb(90, 30, 30));
      break;
    case 1:  // clouds
      p.oval(16, 18, 14, 8, rgb(235, 240, 250));
      p.oval(11 + col % 3 * 3, 13, 8, 6, rgb(250, 252, 255));
      p.oval(21, 16, 7, 5, rgb(220, 225, 240));
      break;
    case 3:  // arches and gates
      p.fill(0, 0, T, 8, rgb(150, 145, 140));
      p.fill(0, 0, 6, T, rgb(150, 145, 140));
      p.fill(26, 0, 6, T, rgb(150, 145, 140));
      p.line(0, 8, 31, 8, rgb(90, 85, 80));
      break;
    case 4:  // banners
      p.fill(4, 0, 24, 3, rgb(110, 80, 40));
      p.fill(8, 3, 16, 20, col % 2 ? rgb(200, 40, 50) : rgb(40, 70, 180));
      p.tri(8, 23, 24, 23, 16, 29, col % 2 ? rgb(200, 40, 50) : rgb(40, 70, 180));
      p.disc(16, 12, 4, rgb(240, 200, 70));
      break;
    default:  // birds and lanterns
      if (col % 2) {
        p.line(6, 14, 11, 11, rgb(60, 60, 70));
        p.line(11, 11, 16, 14, rgb(60, 60, 70));
        p.line(16, 18, 21, 15, rgb(60, 60, 70));
        p.line(21, 15, 26, 18, rgb(60, 60, 70));
      } else {
        p.line(16, 0, 16, 8, rgb(70, 60, 50));
        p.oval(16, 14, 6, 7, rgb(250, 200, 80));
        p.oval(16, 14, 3, 4, rgb(255, 240, 180));
      }
      break;
  }
  (void)rnd;
}

}  // namespace make_assets
