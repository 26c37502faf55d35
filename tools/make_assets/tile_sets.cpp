// The sample project's tile sets: the standard ground set MAP.BMP, the split-form banks
// MAP2.BMP / MAP2_1.BMP / MAP2_2.BMP, and the sky set SKY.BMP with its mask SKYm.BMP.
#include "generators.h"
#include "image.h"
#include "tile_painter.h"

namespace make_assets {

namespace {

constexpr int kTile = 32;
constexpr int kSet = 512;

// Rows of the standard set. The row decides the passability class: rows 0..8 block
// everything, rows 9..10 block events, rows 11..15 are passable.
constexpr TileKind kStandardRows[16] = {
    TileKind::Water,     TileKind::Trees,   TileKind::Mountains, TileKind::BrickWall,
    TileKind::StoneWall, TileKind::Roof,    TileKind::Cliff,     TileKind::Props,
    TileKind::Barrels,   TileKind::Counter, TileKind::Furniture, TileKind::Grass,
    TileKind::Road,      TileKind::Floor,   TileKind::Carpet,    TileKind::Ground};

Image tileSet(const TileKind (&rows)[16], const int (&tints)[16], const int (&offsets)[16], std::uint32_t seed) {
  Image img(kSet, kSet);
  Random rnd(seed);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      paintTile(img, c * kTile, r * kTile, rows[r], (c + offsets[r]) % 16, tints[r], rnd);
  return img;
}

}  // namespace

Written makeTileSets(const std::string& dir) {
  const int plain[16] = {};
  tileSet(kStandardRows, plain, plain, 11).saveBmp(dir + "/MAP.BMP");

  // Split form: the bank is the class. Bank 0 holds only blocking tiles, bank 1 only
  // event-blocking furniture, bank 2 only passable ground, in three tints.
  const TileKind bank0[16] = {
      TileKind::Water,     TileKind::Trees,     TileKind::Mountains, TileKind::BrickWall,
      TileKind::StoneWall, TileKind::Roof,      TileKind::Cliff,     TileKind::Props,
      TileKind::Barrels,   TileKind::Trees,     TileKind::Mountains, TileKind::BrickWall,
      TileKind::StoneWall, TileKind::Roof,      TileKind::Cliff,     TileKind::Water};
  const int tint0[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 2};
  const int offset0[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 8, 8, 4, 8, 8, 8};
  tileSet(bank0, tint0, offset0, 21).saveBmp(dir + "/MAP2.BMP");

  TileKind bank1[16];
  int tint1[16], offset1[16];
  for (int r = 0; r < 16; ++r) {
    bank1[r] = r % 3 == 2 ? TileKind::Barrels : (r % 2 ? TileKind::Furniture : TileKind::Counter);
    tint1[r] = r / 6;
    offset1[r] = (r * 8) % 16;
  }
  tileSet(bank1, tint1, offset1, 22).saveBmp(dir + "/MAP2_1.BMP");

  TileKind bank2[16];
  int tint2[16], offset2[16];
  const TileKind passable[5] = {TileKind::Grass, TileKind::Road, TileKind::Floor, TileKind::Carpet, TileKind::Ground};
  for (int r = 0; r < 16; ++r) {
    bank2[r] = passable[r % 5];
    tint2[r] = r / 6;
    offset2[r] = 0;
  }
  tileSet(bank2, tint2, offset2, 23).saveBmp(dir + "/MAP2_2.BMP");

  // Sky set on black, and its mask: white where the sky tile leaves the ground
  // showing, black where the sky tile is drawn.
  Image sky(kSet, kSet, rgb(0, 0, 0));
  Random rnd(31);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) paintSkyTile(sky, c * kTile, r * kTile, r, c, rnd);
  Image mask(kSet, kSet, rgb(255, 255, 255));
  for (int y = 0; y < kSet; ++y)
    for (int x = 0; x < kSet; ++x)
      if (!(sky.get(x, y) == rgb(0, 0, 0))) mask.set(x, y, rgb(0, 0, 0));
  sky.saveBmp(dir + "/SKY.BMP");
  mask.saveBmp(dir + "/SKYm.BMP");

  return {"MAP.BMP", "MAP2.BMP", "MAP2_1.BMP", "MAP2_2.BMP", "SKY.BMP", "SKYm.BMP"};
}

}  // namespace make_assets
