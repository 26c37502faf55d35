#pragma once
// Random numbers written as number items (the fillers of tables and map files), drawn
// and written in bulk: the same items as writing random.below(n) one by one.
#include "core/data/random_source.h"
#include "core/text/item_writer.h"

namespace quillane::data {

// `count` draws of below(n), written in the order drawn.
void writeRandomNumbers(text::ItemWriter& out, RandomSource& random, int count, int n);
inline void writeFillers(text::ItemWriter& out, RandomSource& random, int count) {
  writeRandomNumbers(out, random, count, RandomSource::kFillerRange);
}

}  // namespace quillane::data
