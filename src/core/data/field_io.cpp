#include "core/data/field_io.h"

#include <cmath>

namespace quillane::data {

namespace {
// Hidden numbers are whole and small; anything else is damage.
constexpr int kHiddenLimit = 9999999;
}  // namespace

void FieldReader::numOtherForm(float& v) {
  double d = in_.number();
  if (!(d <= 3.0e38 && d >= -3.0e38)) in_.fail("a number a single-precision real can hold", std::to_string(d));
  v = static_cast<float>(d);
}

void FieldReader::reserved(ReservedRow row) {
  for (const SlotRef& slot : reservedSlots(row)) {
    if (slot.kind == SlotRef::Filler) {
      in_.skip(1);
    } else if (slot.kind == SlotRef::Kept) {
      float kept = 0;
      num(kept);
      storeSlot(hidden_, slot, kept);
    } else {
      storeSlot(hidden_, slot, in_.bounded(-kHiddenLimit, kHiddenLimit, "a hidden number"));
    }
  }
}

// Only what would change the items read back is refused: whatever was loaded from a
// file can always be saved again (a quoted text may hold line breaks and commas).
void FieldWriter::refuseQuoted(const Bytes& v) const {
  throw UnwritableText(file_ + ": a text holds a double quote", &v);
}

void FieldWriter::bare(const Bytes& v) {
  if (v.find_first_of(",\r\n") != Bytes::npos)
    throw UnwritableText(file_ + ": a text written without quotes holds a comma or a line break", &v);
  out_.bare(v);
}

void FieldWriter::reserved(ReservedRow row) {
  for (const SlotRef& slot : reservedSlots(row)) out_.number(slotValue(hidden_, slot));
}

}  // namespace quillane::data
