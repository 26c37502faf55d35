// The sample project's figures: the event character sheet CHR.BMP, the face pictures
// kao<n>_0.bmp and the enemy pictures enemy<n>.BMP. Figures stand on magenta
// (0xFF00FF), the transparent colour of the sample project.
#include <cmath>

#include "generators.h"
#include "image.h"

namespace make_assets {

namespace {

const Rgb kKey = {255, 0, 255};

struct Look {
  Rgb skin, hair, shirt, legs;
  bool helmet = false, robe = false, crown = false;
};

enum Facing { Down, Left, Right, Up };

// One 32 × 32 walking figure; `step` 0 or 1 swaps the legs.
void person(Image& img, int ox, int oy, const Look& k, Facing f, int step) {
  auto fill = [&](int x, int y, int w, int h, Rgb c) { img.fillRect(ox + x, oy + y, w, h, c); };
  img.fillEllipse(ox + 16, oy + 30, 8, 2, rgb(60, 40, 70));  // shadow
  int swing = step ? 2 : -2;
  if (k.robe) {
    img.fillTriangle(ox + 16, oy + 12, ox + 7, oy + 29, ox + 25, oy + 29, k.shirt);
  } else {
    fill(11, 23, 4, 6 + (f == Left || f == Right ? 0 : swing / 2), k.legs);
    fill(17, 23, 4, 6 - (f == Left || f == Right ? 0 : swing / 2), k.legs);
    if (f == Left || f == Right) {
      fill(13 + swing, 23, 4, 6, shade(k.legs, -30));
    }
    fill(10, 14, 12, 10, k.shirt);
  }
  fill(8, 15 + (step ? 1 : 0), 3, 8, k.shirt);   // arms
  fill(21, 15 + (step ? 0 : 1), 3, 8, k.shirt);
  fill(8, 22 + (step ? 1 : 0), 3, 2, k.skin);
  fill(21, 22 + (step ? 0 : 1), 3, 2, k.skin);
  img.fillCircle(ox + 16, oy + 9, 7, k.skin);  // head
  Rgb hairOrHelmet = k.helmet ? rgb(170, 175, 190) : k.hair;
  if (f == Up) {
    img.fillCircle(ox + 16, oy + 9, 7, hairOrHelmet);
  } else {
    fill(9, 2, 15, 4, hairOrHelmet);
    if (f == Left) fill(18, 3, 6, 8, hairOrHelmet);
    if (f == Right) fill(9, 3, 6, 8, hairOrHelmet);
    Rgb eye = rgb(30, 30, 40);
    if (f == Down) {
      img.set(ox + 13, oy + 10, eye);
      img.set(ox + 19, oy + 10, eye);
      fill(15, 13, 3, 1, shade(k.skin, -50));
    } else {
      img.set(ox + (f == Left ? 12 : 20), oy + 10, eye);
    }
  }
  if (k.crown) {
    fill(11, 0, 11, 3, rgb(250, 210, 50));
  }
}

void chest(Image& img, int ox, int oy, bool open, Rgb wood) {
  img.fillEllipse(ox + 16, oy + 29, 12, 2, rgb(60, 40, 70));
  img.fillRect(ox + 5, oy + 14, 22, 14, wood);
  img.frameRect(ox + 5, oy + 14, 22, 14, shade(wood, -60));
  if (open) {
    img.fillRect(ox + 5, oy + 6, 22, 8, shade(wood, -30));
    img.fillRect(ox + 7, oy + 12, 18, 4, rgb(30, 20, 20));
  } else {
    img.fillRect(ox + 5, oy + 9, 22, 6, shade(wood, 20));
    img.fillRect(ox + 14, oy + 14, 4, 5, rgb(240, 200, 60));
  }
  img.fillRect(ox + 5, oy + 19, 22, 2, rgb(200, 170, 60));
}

void door(Image& img, int ox, int oy, bool open, Rgb colour) {
  img.fillRect(ox + 4, oy + 1, 24, 31, rgb(120, 115, 110));
  if (open) {
    img.fillRect(ox + 7, oy + 4, 18, 28, rgb(20, 15, 20));
    img.fillRect(ox + 7, oy + 4, 4, 28, colour);
  } else {
    img.fillRect(ox + 7, oy + 4, 18, 28, colour);
    for (int x = 11; x < 25; x += 5) img.line(ox + x, oy + 5, ox + x, oy + 31, shade(colour, -40));
    img.fillCircle(ox + 21, oy + 18, 1, rgb(240, 200, 60));
  }
}

void slime(Image& img, int cx, int cy, int r, Rgb c, int squash) {
  img.fillEllipse(cx, cy + r / 2, r + squash, r - squash, c);
  img.fillTriangle(cx, cy - r, cx - r / 2, cy, cx + r / 2, cy, c);
  img.fillEllipse(cx - r / 3, cy - r / 6, r / 5, r / 4, rgb(255, 255, 255));
  img.fillEllipse(cx + r / 3, cy - r / 6, r / 5, r / 4, rgb(255, 255, 255));
  img.fillEllipse(cx - r / 3, cy - r / 8, r / 10 + 1, r / 8 + 1, rgb(20, 20, 40));
  img.fillEllipse(cx + r / 3, cy - r / 8, r / 10 + 1, r / 8 + 1, rgb(20, 20, 40));
  img.fillEllipse(cx - r / 2, cy - r / 2, r / 6, r / 8, shade(c, 70));
}

void bat(Image& img, int cx, int cy, int s, int flap) {
  Rgb body = rgb(90, 60, 110);
  int wingY = cy - s / 2 + flap * s / 3;
  img.fillTriangle(cx - s / 5, cy, cx - 2 * s, wingY, cx - s, cy + s / 2, body);
  img.fillTriangle(cx + s / 5, cy, cx + 2 * s, wingY, cx + s, cy + s / 2, body);
  img.fillEllipse(cx, cy, s / 2, s * 2 / 3, shade(body, 20));
  img.fillTriangle(cx - s / 2, cy - s / 2, cx - s / 4, cy - s, cx - s / 8, cy - s / 2, body);
  img.fillTriangle(cx + s / 2, cy - s / 2, cx + s / 4, cy - s, cx + s / 8, cy - s / 2, body);
  img.fillCircle(cx - s / 5, cy - s / 6, std::max(1, s / 10), rgb(255, 220, 60));
  img.fillCircle(cx + s / 5, cy - s / 6, std::max(1, s / 10), rgb(255, 220, 60));
}

void goblin(Image& img, int ox, int oy) {
  Rgb skin = rgb(110, 160, 70);
  img.fillEllipse(ox + 40, oy + 76, 22, 4, rgb(60, 40, 70));
  img.fillRect(ox + 30, oy + 56, 7, 18, rgb(90, 70, 50));
  img.fillRect(ox + 43, oy + 56, 7, 18, rgb(90, 70, 50));
  img.fillEllipse(ox + 40, oy + 48, 15, 14, rgb(140, 100, 60));
  img.fillCircle(ox + 40, oy + 26, 14, skin);
  img.fillTriangle(ox + 26, oy + 22, ox + 12, oy + 12, ox + 28, oy + 30, skin);
  img.fillTriangle(ox + 54, oy + 22, ox + 68, oy + 12, ox + 52, oy + 30, skin);
  img.fillCircle(ox + 34, oy + 24, 3, rgb(255, 240, 80));
  img.fillCircle(ox + 46, oy + 24, 3, rgb(255, 240, 80));
  img.fillRect(ox + 34, oy + 33, 12, 2, rgb(60, 30, 30));
  img.line(ox + 62, oy + 70, ox + 70, oy + 30, rgb(120, 90, 50));  // club
  img.fillEllipse(ox + 70, oy + 30, 5, 8, rgb(140, 100, 60));
  img.fillRect(ox + 54, oy + 44, 12, 5, skin);
}

void dragon(Image& img, int ox, int oy) {
  Rgb scale = rgb(190, 50, 40), belly = rgb(240, 190, 110);
  img.fillEllipse(ox + 80, oy + 150, 60, 7, rgb(60, 40, 70));
  img.fillTriangle(ox + 70, oy + 60, ox + 5, oy + 20, ox + 40, oy + 100, rgb(150, 40, 50));   // wings
  img.fillTriangle(ox + 90, oy + 60, ox + 155, oy + 20, ox + 120, oy + 100, rgb(150, 40, 50));
  img.fillEllipse(ox + 80, oy + 105, 38, 42, scale);
  img.fillEllipse(ox + 80, oy + 112, 22, 32, belly);
  for (int y = 90; y < 140; y += 8) img.line(ox + 62, oy + y, ox + 98, oy + y, shade(belly, -40));
  img.fillRect(ox + 52, oy + 130, 16, 20, scale);
  img.fillRect(ox + 92, oy + 130, 16, 20, scale);
  img.fillEllipse(ox + 80, oy + 55, 12, 20, scale);  // neck
  img.fillEllipse(ox + 80, oy + 35, 22, 17, scale);  // head
  img.fillEllipse(ox + 80, oy + 45, 14, 8, shade(scale, 30));
  img.fillTriangle(ox + 64, oy + 24, ox + 56, oy + 2, ox + 70, oy + 20, rgb(240, 230, 200));
  img.fillTriangle(ox + 96, oy + 24, ox + 104, oy + 2, ox + 90, oy + 20, rgb(240, 230, 200));
  img.fillEllipse(ox + 71, oy + 32, 4, 3, rgb(255, 230, 60));
  img.fillEllipse(ox + 89, oy + 32, 4, 3, rgb(255, 230, 60));
  img.fillRect(ox + 70, oy + 31, 2, 3, rgb(20, 10, 10));
  img.fillRect(ox + 88, oy + 31, 2, 3, rgb(20, 10, 10));
  img.fillCircle(ox + 75, oy + 46, 1, rgb(40, 10, 10));
  img.fillCircle(ox + 85, oy + 46, 1, rgb(40, 10, 10));
}

void dog(Image& img, int ox, int oy, Facing f, int step) {
  Rgb fur = rgb(200, 150, 90), dark = rgb(120, 80, 40);
  img.fillEllipse(ox + 16, oy + 29, 9, 2, rgb(60, 40, 70));
  if (f == Left || f == Right) {
    int dir = f == Left ? -1 : 1;
    img.fillEllipse(ox + 16, oy + 19, 9, 5, fur);
    img.fillRect(ox + 9, oy + 22, 3, 6 + step, dark);
    img.fillRect(ox + 20, oy + 22, 3, 7 - step, dark);
    img.fillCircle(ox + 16 + dir * 9, oy + 13, 5, fur);
    img.fillRect(ox + 16 + dir * 12, oy + 13, 3, 3, dark);
    img.set(ox + 16 + dir * 10, oy + 11, rgb(20, 20, 20));
    img.line(ox + 16 - dir * 9, oy + 17, ox + 16 - dir * 13, oy + 12 + step, fur);
  } else {
    img.fillEllipse(ox + 16, oy + 21, 7, 7, fur);
    img.fillRect(ox + 11, oy + 25, 3, 4 + step, dark);
    img.fillRect(ox + 18, oy + 25, 3, 5 - step, dark);
    img.fillCircle(ox + 16, oy + 12, 6, fur);
    img.fillTriangle(ox + 10, oy + 9, ox + 12, oy + 2, ox + 14, oy + 8, dark);
    img.fillTriangle(ox + 22, oy + 9, ox + 20, oy + 2, ox + 18, oy + 8, dark);
    if (f == Down) {
      img.set(ox + 14, oy + 11, rgb(20, 20, 20));
      img.set(ox + 18, oy + 11, rgb(20, 20, 20));
      img.fillRect(ox + 15, oy + 14, 3, 2, rgb(40, 30, 30));
    }
  }
}

void campFire(Image& img, int ox, int oy, int step) {
  img.line(ox + 7, oy + 28, ox + 25, oy + 22, rgb(110, 70, 40));
  img.line(ox + 7, oy + 22, ox + 25, oy + 28, rgb(110, 70, 40));
  int lean = step ? 2 : -2;
  img.fillTriangle(ox + 16 + lean, oy + 4, ox + 8, oy + 25, ox + 24, oy + 25, rgb(240, 100, 30));
  img.fillTriangle(ox + 16 - lean, oy + 11, ox + 11, oy + 25, ox + 21, oy + 25, rgb(255, 200, 60));
}

void wolf(Image& img, int ox, int oy) {
  Rgb fur = rgb(130, 130, 150), dark = rgb(80, 80, 100);
  img.fillEllipse(ox + 40, oy + 74, 30, 4, rgb(60, 40, 70));
  img.fillEllipse(ox + 44, oy + 48, 26, 14, fur);
  for (int x : {24, 34, 52, 62}) img.fillRect(ox + x, oy + 54, 6, 18, dark);
  img.fillTriangle(ox + 66, oy + 44, ox + 78, oy + 28, ox + 72, oy + 50, fur);  // tail
  img.fillCircle(ox + 18, oy + 34, 13, fur);                                    // head
  img.fillTriangle(ox + 10, oy + 26, ox + 12, oy + 12, ox + 20, oy + 24, dark);
  img.fillTriangle(ox + 22, oy + 24, ox + 28, oy + 12, ox + 30, oy + 28, dark);
  img.fillEllipse(ox + 8, oy + 40, 9, 5, fur);                                  // muzzle
  img.fillCircle(ox + 1, oy + 39, 2, rgb(20, 20, 20));
  img.fillEllipse(ox + 15, oy + 31, 3, 2, rgb(255, 220, 60));
  img.line(ox + 3, oy + 44, ox + 12, oy + 44, rgb(240, 240, 240));
}

void face(Image& img, const Look& k, Rgb background, bool beard) {
  int w = img.width();
  img.verticalGradient(0, 0, w, w, shade(background, 40), shade(background, -40));
  img.fillEllipse(48, 100, 38, 26, k.shirt);                 // shoulders
  img.fillRect(40, 62, 16, 16, shade(k.skin, -20));           // neck
  img.fillEllipse(48, 44, 24, 29, k.skin);                    // head
  img.fillEllipse(48, 22, 27, 16, k.helmet ? rgb(170, 175, 190) : k.hair);
  img.fillRect(22, 22, 8, 26, k.helmet ? rgb(150, 155, 170) : k.hair);
  img.fillRect(66, 22, 8, 26, k.helmet ? rgb(150, 155, 170) : k.hair);
  for (int side : {-1, 1}) {
    img.fillEllipse(48 + side * 10, 44, 5, 4, rgb(250, 250, 250));
    img.fillEllipse(48 + side * 10, 45, 3, 3, rgb(60, 40, 30));
    img.line(48 + side * 6, 36, 48 + side * 15, 35, shade(k.hair, -20));
  }
  img.line(48, 48, 46, 55, shade(k.skin, -45));
  img.line(42, 62, 54, 62, rgb(150, 60, 60));
  if (beard) {
    img.fillEllipse(48, 68, 16, 10, k.hair);
    img.line(42, 62, 54, 62, rgb(120, 50, 50));
  }
  if (k.crown) {
    img.fillRect(30, 4, 36, 9, rgb(250, 210, 50));
    for (int x = 30; x < 66; x += 9) img.fillTriangle(x, 4, x + 4, -4, x + 8, 4, rgb(250, 210, 50));
  }
  img.frameRect(0, 0, w, w, rgb(30, 25, 40));
}

}  // namespace

Written makeCharacters(const std::string& dir) {
  // Character sheet, 16 pictures a row. Every figure takes two columns (two steps) and
  // four rows (facing down, left, right, up), so its code is the top-left picture.
  // Rows 0..3: hero 00, villager 02, woman 04, elder 06, merchant 08, soldier 0A,
  // king 0C, princess 0E. Rows 4..7: chest 40 (closed, open), door 42 (closed, open),
  // treasure chest 44, iron door 46, dog 48, slime 4A, bat 4C, camp fire 4E.
  const Look people[8] = {
      {rgb(250, 210, 170), rgb(120, 70, 30), rgb(60, 100, 200), rgb(70, 60, 60)},         // hero
      {rgb(250, 215, 180), rgb(60, 40, 30), rgb(190, 60, 60), rgb(80, 60, 40)},           // villager
      {rgb(245, 205, 170), rgb(230, 190, 80), rgb(230, 120, 160), rgb(230, 120, 160), false, true},  // woman
      {rgb(230, 190, 160), rgb(220, 220, 220), rgb(120, 100, 150), rgb(90, 80, 100), false, true},   // elder
      {rgb(235, 195, 150), rgb(40, 30, 20), rgb(60, 140, 90), rgb(110, 80, 50)},          // merchant
      {rgb(240, 200, 160), rgb(80, 60, 40), rgb(150, 150, 165), rgb(90, 90, 100), true},  // soldier
      {rgb(245, 210, 175), rgb(200, 200, 200), rgb(170, 30, 50), rgb(170, 30, 50), false, true, true},  // king
      {rgb(250, 220, 190), rgb(240, 200, 90), rgb(240, 170, 200), rgb(240, 170, 200), false, true, true}};  // princess
  Image sheet(512, 256, kKey);
  for (int i = 0; i < 8; ++i)
    for (int f = 0; f < 4; ++f)
      for (int step = 0; step < 2; ++step)
        person(sheet, (i * 2 + step) * 32, f * 32, people[i], static_cast<Facing>(f), step);
  for (int f = 0; f < 4; ++f) {
    int y = (4 + f) * 32;
    chest(sheet, 0, y, false, rgb(150, 95, 50));
    chest(sheet, 32, y, true, rgb(150, 95, 50));
    door(sheet, 64, y, false, rgb(150, 95, 50));
    door(sheet, 96, y, true, rgb(150, 95, 50));
    chest(sheet, 128, y, false, rgb(60, 110, 160));
    chest(sheet, 160, y, true, rgb(60, 110, 160));
    door(sheet, 192, y, false, rgb(120, 125, 140));
    door(sheet, 224, y, true, rgb(120, 125, 140));
    for (int step = 0; step < 2; ++step) {
      dog(sheet, 256 + step * 32, y, static_cast<Facing>(f), step);
      slime(sheet, 320 + step * 32 + 16, y + 17, 10, rgb(70, 130, 230), step * 2);
      bat(sheet, 384 + step * 32 + 16, y + 16, 6, step);
      campFire(sheet, 448 + step * 32, y, step);
    }
  }
  sheet.saveBmp(dir + "/CHR.BMP");

  // Faces, 96 × 96, drawn stretched by the player dialog.
  const Rgb backs[4] = {rgb(110, 150, 210), rgb(200, 150, 110), rgb(150, 200, 150), rgb(170, 140, 200)};
  const bool beards[4] = {false, true, false, true};
  const int whose[4] = {0, 5, 2, 3};
  Written out = {"CHR.BMP"};
  for (int i = 0; i < 4; ++i) {
    Image f(96, 96);
    face(f, people[whose[i]], backs[i], beards[i]);
    std::string name = "kao" + std::to_string(i) + "_0.bmp";
    f.saveBmp(dir + "/" + name);
    out.push_back(name);
  }

  // Enemies: 80 pixels wide per unit of enemy size: slime, bat, goblin, wolf, dragon.
  Image e0(80, 80, kKey);
  slime(e0, 40, 46, 26, rgb(70, 130, 230), 2);
  Image e1(80, 80, kKey);
  bat(e1, 40, 36, 18, 0);
  Image e2(80, 80, kKey);
  goblin(e2, 0, 0);
  Image e3(80, 80, kKey);
  wolf(e3, 0, 0);
  Image e4(160, 160, kKey);
  dragon(e4, 0, 0);
  const Image* enemies[5] = {&e0, &e1, &e2, &e3, &e4};
  for (int i = 0; i < 5; ++i) {
    std::string name = "enemy" + std::to_string(i) + ".BMP";
    enemies[i]->saveBmp(dir + "/" + name);
    out.push_back(name);
  }
  return out;
}

}  // namespace make_assets
