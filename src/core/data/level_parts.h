#pragma once
// Where a load on two threads cuts the level table: parts of whole segments (see
// LevelSegments), each read from the byte where the file holds its first segment, as a
// reader that has read every item before it.
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/data/level_segments.h"

namespace quillane::data {

struct LevelPart {
  int from = 0, to = 0;    // segments [from, to)
  std::size_t items = 0;   // the items of the segments before `from`
  std::size_t offset = 0;  // the byte segment `from` starts at (once located)
};

// The segments in parts of at least `partItems` items each (the last may hold fewer).
std::vector<LevelPart> planLevelParts(const LevelSegments& layout, std::size_t partItems);

// Finds where each part starts in `bytes`: right after the comma that ends its item
// before, counted from the start of the file. Counting is exact only where no item is
// quoted or ended by a line break, so it stops at the first byte that could be part of
// either (any byte below 0x23 but the blank, and any byte from 0x80 on), and at the
// end of the file. Returns how many parts from the first on are located (at least
// one: the first starts at byte 0); the reader of the last of them reads the rest of
// the table too.
std::size_t locateLevelParts(std::string_view bytes, std::vector<LevelPart>& parts);

}  // namespace quillane::data
