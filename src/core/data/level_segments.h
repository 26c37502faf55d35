#pragma once
// The level table in segments, in the order its file holds them: per player the records
// of the first pass (seven numbers a step), then the kept row with the kept number of
// each step, then (from version 211 on) per player the records of the second pass (two
// numbers a step). Each segment is a known number of items, so a load can read ranges
// of segments on two threads, each range from where the file holds its first segment.
#include <cstddef>

#include "core/data/project_database.h"

namespace quillane::data {

struct LevelSegments {
  int players = 0;  // players + 1 of MaxValues
  int steps = 0;
  int version = 0;

  LevelSegments(const MaxValues& max, int version) : players(max.players + 1), steps(max.levels), version(version) {}
  int count() const { return version > 210 ? 2 * players + 1 : players + 1; }
  // The items segment s takes in the file.
  std::size_t items(int s) const;
};

// Reads (or writes) segments [from, to) of db.levels, whose grids already have their
// size. When an item fails, every cell of these segments not read yet is zeroed (and
// nothing outside them is touched) before the error goes on.
template <class IO>
void walkLevelSegments(IO& io, ProjectDatabase& db, int from, int to);

}  // namespace quillane::data
