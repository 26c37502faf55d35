#pragma once
// What the map files need from the project: the file keys that offset their numbers,
// the map-chip form, and the two maxima the event writer stops at. Filled by the
// project's database; the map core does not depend on it.
#include <array>

namespace quillane::map {

struct MapFileContext {
  std::array<int, 6> keys{};  // K1..K6 (keys[0] is K1)
  bool splitChips = false;    // split map-chip form: ground codes carry a bank digit
  int eventsPerMap = 100;     // "イベント数": highest event number written
  int messageCount = 100;     // "メッセージ数": script lines per event

  int key(int n) const { return keys[static_cast<std::size_t>(n - 1)]; }  // n = 1..6
};

}  // namespace quillane::map
