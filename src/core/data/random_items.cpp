#include "core/data/random_items.h"

namespace quillane::data {

void writeRandomNumbers(text::ItemWriter& out, RandomSource& random, int count, int n) {
  constexpr int kBatch = 256;
  std::int32_t drawn[kBatch];
  for (int done = 0; done < count;) {
    const int m = count - done < kBatch ? count - done : kBatch;
    random.below(n, drawn, static_cast<std::size_t>(m));
    out.columns(m, drawn);
    done += m;
  }
}

}  // namespace quillane::data
