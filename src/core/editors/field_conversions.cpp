#include "core/editors/field_conversions.h"

#include <cmath>

#include "core/data/text_rules.h"
#include "core/text/item_writer.h"

namespace quillane::editors {

Bytes shownNumber(double value) { return text::trim(text::numberForm(value)); }

float typedNumber(std::string_view typed) {
  return static_cast<float>(data::parseTypedNumber(typed, data::NumberField::Real));
}

std::int32_t typedInt32(std::string_view typed) {
  return static_cast<std::int32_t>(data::parseTypedNumber(typed, data::NumberField::Int32));
}

float typedAtLeastOne(std::string_view typed) {
  float v = typedNumber(typed);
  return v == 0 ? 1.0f : v;
}

Bytes evenLengthText(std::string_view typed) {
  Bytes s(typed);
  if (s.size() % 2 != 0) s.push_back(' ');
  return s;
}

float storedIndex(int row, IndexRule rule) {
  if (rule == IndexRule::None99) return row == 0 ? 99.0f : static_cast<float>(row - 1);
  return static_cast<float>(row);
}

int recordIndex(float stored, int limit) {
  if (!std::isfinite(stored) || stored != std::floor(stored) || stored < 0 || stored >= static_cast<float>(limit))
    return -1;
  return static_cast<int>(stored);
}

int usedPlaces(float count, int places) {
  if (!(count > 0)) return 0;
  return count >= static_cast<float>(places) ? places : static_cast<int>(count);
}

int shownRow(float stored, int rows, IndexRule rule) {
  const int none = rule == IndexRule::Plain ? -1 : 0;
  if (!std::isfinite(stored) || stored != std::floor(stored) || stored < 0 || stored > 1e6f) return none;
  const int v = static_cast<int>(stored);
  // Under None99 a stored 99 is "none" even when a record 99 exists: the engine reads it so.
  const int row = rule == IndexRule::None99 ? (v == 99 ? 0 : v + 1) : v;
  return row < rows ? row : none;
}

}  // namespace quillane::editors
