#pragma once
// The event flags of the test-play save: one script line number per map and event
// (events 0..100), kept for the whole run and stored in no project file.
#include <array>
#include <vector>

#include "core/event/event_model.h"

namespace quillane::tools {

inline constexpr int kFlagEvents = event::kMaxEventNumber + 1;  // events 0..100

class EventFlags {
 public:
  // Makes room for maps 0..maps-1; flags already set keep their values (a lowered map
  // count hides the maps above it without forgetting them).
  void fit(int maps);
  int maps() const { return static_cast<int>(flags_.size()); }
  // 0 outside the maps and events held.
  int get(int map, int event) const;
  void set(int map, int event, int line);

 private:
  std::vector<std::array<int, kFlagEvents>> flags_;
};

}  // namespace quillane::tools
