#include "core/map/map_items.h"

#include <climits>
#include <cmath>
#include <string>

namespace quillane::map {

int readKeyed(text::ItemReader& reader, int key) {
  double value = std::round(reader.number() - key);
  if (value < INT_MIN || value > INT_MAX) reader.fail("a whole number", std::to_string(value));
  return static_cast<int>(value);
}

int readKeyedBounded(text::ItemReader& reader, int key, int lo, int hi, const char* what) {
  double value = reader.number() - key;
  if (value != std::floor(value) || value < lo || value > hi)
    reader.fail(std::string(what) + " in " + std::to_string(lo) + ".." + std::to_string(hi),
                std::to_string(value));
  return static_cast<int>(value);
}

}  // namespace quillane::map
