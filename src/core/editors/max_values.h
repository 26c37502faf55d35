#pragma once
// The maximum-values dialog's rules: the eleven sizes with their ranges, what a change
// may not cut away, and growing or shrinking every table to the new sizes.
#include <array>
#include <optional>

#include "core/data/project_database.h"
#include "core/event/event_model.h"

namespace quillane::editors {

using text::Bytes;

struct MaxValueField {
  const char* caption;  // UTF-8
  data::CountRange range;
  int data::MaxValues::*count;
};
inline constexpr int kMaxValueFields = 11;
// The boxes in the order "OK" reads them.
const std::array<MaxValueField, kMaxValueFields>& maxValueFields();

// The sizes typed into the boxes (leading numbers), each clamped to its range; the
// scenery entry count has no box and grows to at least the map count.
data::MaxValues clampMaxValues(const data::MaxValues& current, const std::array<double, kMaxValueFields>& typed);

// Empty when `next` may be applied; otherwise the message (CP932). A held-item or
// held-magic size may not drop below a count some player holds, and the events per map
// and messages may not drop below what the open map uses (`openEvents`, null when no
// map is open).
std::optional<Bytes> refuseMaxValues(const data::ProjectDatabase& db, const data::MaxValues& next,
                                     const event::MapEvents* openEvents);
Bytes refuseMaxValuesTitle();

// Makes `next` the sizes of the project. Records that join a table are reset to blank
// records, then get the defaults for new records (names with their full-width number,
// level and maximum HP 1 for players, HP and size 1 for enemies); new attack-rate rows
// get the equal rate. Shrinking only lowers a size: records beyond it are kept as they
// are until the table grows over them again.
void applyMaxValues(data::ProjectDatabase& db, const data::MaxValues& next);

// n in full-width digits (CP932): 12 → "１２".
Bytes fullWidthNumber(int n);

}  // namespace quillane::editors
