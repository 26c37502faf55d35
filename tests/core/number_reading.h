#pragma once
// What a reading of number fields gave, compared bit for bit (so -0.0 differs from 0.0):
// the reals and integers, the items read, and the error if one ended it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace quillane::testing {

struct Reading {
  std::vector<float> reals;
  std::vector<std::int32_t> integers;
  std::size_t items = 0;
  std::string error;

  bool operator==(const Reading& o) const {
    return reals.size() == o.reals.size() &&
           (reals.empty() || std::memcmp(reals.data(), o.reals.data(), reals.size() * sizeof(float)) == 0) &&
           integers == o.integers && items == o.items && error == o.error;
  }
};

}  // namespace quillane::testing
