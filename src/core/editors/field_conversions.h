#pragma once
// The conversions between what a record dialog's boxes show and what the tables store.
// Typed text is CP932; every number follows the project's one rule for typed numbers
// (leading number, full-width digits, rounded half away from zero, clamped).
#include <cstdint>
#include <string_view>

#include "core/text/cp932.h"

namespace quillane::editors {

using text::Bytes;

// What a number box shows: the shortest decimal form without a leading blank ("12",
// "-3", "62.5").
Bytes shownNumber(double value);

// "number": a real field.
float typedNumber(std::string_view typed);
// "integer rounded to nearest": a 32-bit field.
std::int32_t typedInt32(std::string_view typed);
// "0 stored as 1" (maximum HP and the like).
float typedAtLeastOne(std::string_view typed);
// "text with odd length padded": one half-width blank makes an odd byte length even.
Bytes evenLengthText(std::string_view typed);

// How a selector's rows map to a stored index.
enum class IndexRule {
  Plain,     // row k stores k (attributes)
  NoneZero,  // row 0 "none" stores 0, row k stores k (= record k - 1)
  None99,    // row 0 "none" stores 99, row k stores k - 1
};
// The stored value of selector row `row` (row >= 0).
float storedIndex(int row, IndexRule rule);
// A stored number as an index into `limit` records: -1 when it is no whole number in
// 0 .. limit - 1 (references into a table that has since shrunk read as none).
int recordIndex(float stored, int limit);
// The places of a list in use: a stored count cut to 0 .. places.
int usedPlaces(float count, int places);

// The row that shows `stored` in a selector of `rows` rows. A value that names no
// row shows as "none" (row 0) under the none rules and as no row (-1) under Plain.
int shownRow(float stored, int rows, IndexRule rule);

}  // namespace quillane::editors
