#pragma once
// Where a load on two threads cuts the level table: parts of whole segments (see
// LevelSegments), each read from the byte where the file holds its first segment, as a
// reader that has read every item before it.
//
// No part is looked for ahead of reading: the calling thread reads parts from the
// first on, each from where the one before it ended; the second thread reads parts
// from the last one back, each found by counting its items backward from where the
// part after it starts (or from the end of the file), just before it reads those very
// bytes. The two meet where one part's end is checked against the next part's start.
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/data/level_segments.h"

namespace quillane::data {

struct LevelPart {
  int from = 0, to = 0;    // segments [from, to)
  std::size_t items = 0;   // the items of the segments before `from`
  std::size_t offset = 0;  // the byte segment `from` starts at, once `placed`
  std::size_t end = 0;     // the byte after its last item, once `read` whole
  bool placed = false, read = false;
};

// The segments in parts of at least `partItems` items each (the last may hold fewer).
std::vector<LevelPart> planLevelParts(const LevelSegments& layout, std::size_t partItems);

// Where the run of `items` items that ends at byte `to` starts: `to` follows the comma
// of the run's last item. Counting commas backward is exact only where no item is
// quoted or ended by a line break, so it gives up (false) at any byte that could be
// part of either (below 0x23 but the blank, or from 0x80 on), when the byte before `to`
// is no comma, and at the start of the bytes unless the run begins right there.
bool startBefore(std::string_view bytes, std::size_t to, std::size_t items, std::size_t& start);

}  // namespace quillane::data
