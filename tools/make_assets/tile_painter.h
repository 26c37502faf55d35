#pragma once
// Painters of 32 × 32 map tiles. A tile kind is one family (water, trees, walls,
// counters, grass ...); the variant (0..15) and tint vary it so that a row of a tile set
// holds sixteen related tiles.
#include "image.h"

namespace make_assets {

enum class TileKind {
  Water, Trees, Mountains, BrickWall, StoneWall, Roof, Cliff, Props, Barrels,  // blocking
  Counter, Furniture,                                                        // blocking events
  Grass, Road, Floor, Carpet, Ground                                          // passable
};

// Paints one tile with its top-left corner at (ox, oy). `tint` 0 is the plain palette;
// 1 and 2 shift it (autumn, night) for the extra banks of the split form.
void paintTile(Image& img, int ox, int oy, TileKind kind, int variant, int tint, Random& rnd);

// Paints one sky tile on black (black = nothing drawn there).
void paintSkyTile(Image& img, int ox, int oy, int row, int column, Random& rnd);

}  // namespace make_assets
