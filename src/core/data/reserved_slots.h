#pragma once
// Where the hidden values sit: the reserved line of eight numbers in each table file.
#include <array>

#include "core/data/project_database.h"

namespace quillane::data {

enum class ReservedRow { Ini, Max, Topn, Tend, Cty, Eap, Itm, Arm, Ats, Mgc, Ene, Ply, Lev, Count };

// What one slot holds.
struct SlotRef {
  enum Kind : unsigned char { Editing, Game, KeyX, KeyY, Filler, Kept } kind;
  unsigned char index;  // character 0..11, key 0..5, filler 0..11, kept 0..7
  unsigned char part;   // triple part 0..2 (u, v, w)
};

const std::array<SlotRef, 8>& reservedSlots(ReservedRow row);

// The value written into a slot from the hidden fields.
double slotValue(const HiddenFields& hidden, SlotRef slot);
// Stores a value read from a slot (fillers are ignored).
void storeSlot(HiddenFields& hidden, SlotRef slot, double value);

}  // namespace quillane::data
