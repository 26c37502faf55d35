#include "core/data/reserved_slots.h"

#include <string_view>

namespace quillane::data {

namespace {

// One row per file, as the hidden values are spread: "E7v" is part v of character 7
// of the editing password, "G" the game password, "K4y" part y of K4, "F" a filler,
// "-" a kept number.
constexpr std::array<std::string_view, static_cast<int>(ReservedRow::Count)> kRows = {
    "F E7v E9u F K4y G11u E11v G10w",      // INI
    "E10v G9u G6v E9v K5y K6x G8u F",      // MAX
    "E2v G8w E9w F G2u E2w G3u E11w",      // TOPN
    "- - - - - - - -",                     // TEND
    "G1u E4v G12u G1w E1v G12w G6w G4u",   // CTY
    "F E4w K1x E1w K1y G2w G5w E2u",       // EAP
    "G3v G5u E11u G6u G4v G7u E3v E8u",    // ITM
    "E8w K2x E1u G11v E4u F E8v F",        // ARM
    "F E7u E5w G12v E6v E7w K3x G7v",      // ATS
    "G8v G3w K2y E6w G4w E10w E3w K6y",    // MGC
    "E10u F G5v F G9v F E6u G7w",          // ENE
    "E5u G11w K3y E5v E12w G1v K5x E12v",  // PLY
    "G10u K4x G2v G9w G10v E3u F E12u",    // LEV
};

std::array<std::array<SlotRef, 8>, kRows.size()> parseRows() {
  std::array<std::array<SlotRef, 8>, kRows.size()> out{};
  int filler = 0;
  for (std::size_t r = 0; r < kRows.size(); ++r) {
    std::string_view row = kRows[r];
    int kept = 0;
    for (int s = 0; s < 8; ++s) {
      while (row.front() == ' ') row.remove_prefix(1);
      std::size_t end = row.find(' ');
      std::string_view tok = row.substr(0, end);
      row.remove_prefix(end == std::string_view::npos ? row.size() : end);
      SlotRef ref{SlotRef::Filler, 0, 0};
      if (tok == "F") {
        ref = {SlotRef::Filler, static_cast<unsigned char>(filler++), 0};
      } else if (tok == "-") {
        ref = {SlotRef::Kept, static_cast<unsigned char>(kept++), 0};
      } else {
        int n = 0;
        std::size_t i = 1;
        while (i < tok.size() && tok[i] >= '0' && tok[i] <= '9') n = n * 10 + (tok[i++] - '0');
        char part = tok[i];
        if (tok[0] == 'K')
          ref = {part == 'x' ? SlotRef::KeyX : SlotRef::KeyY, static_cast<unsigned char>(n - 1), 0};
        else
          ref = {tok[0] == 'E' ? SlotRef::Editing : SlotRef::Game, static_cast<unsigned char>(n - 1),
                 static_cast<unsigned char>(part - 'u')};
      }
      out[r][s] = ref;
    }
  }
  return out;
}

}  // namespace

const std::array<SlotRef, 8>& reservedSlots(ReservedRow row) {
  static const auto slots = parseRows();
  return slots[static_cast<std::size_t>(row)];
}

double slotValue(const HiddenFields& h, SlotRef s) {
  switch (s.kind) {
    case SlotRef::Editing: return h.editingTriples[s.index][s.part];
    case SlotRef::Game: return h.gameTriples[s.index][s.part];
    case SlotRef::KeyX: return h.keyParts[s.index][0];
    case SlotRef::KeyY: return h.keyParts[s.index][1];
    case SlotRef::Filler: return h.fillers[s.index];
    case SlotRef::Kept: return h.tendKept[s.index];
  }
  return 0;
}

void storeSlot(HiddenFields& h, SlotRef s, double v) {
  // A damaged file may hold any number here: out-of-range values are clamped (the
  // password and key checks then refuse them) rather than converted with overflow.
  constexpr double kLow = -2147483648.0, kHigh = 2147483647.0;
  int n = v != v ? 0 : static_cast<int>(v < kLow ? kLow : (v > kHigh ? kHigh : v));
  switch (s.kind) {
    case SlotRef::Editing: h.editingTriples[s.index][s.part] = n; break;
    case SlotRef::Game: h.gameTriples[s.index][s.part] = n; break;
    case SlotRef::KeyX: h.keyParts[s.index][0] = n; break;
    case SlotRef::KeyY: h.keyParts[s.index][1] = n; break;
    case SlotRef::Filler: break;
    case SlotRef::Kept: h.tendKept[s.index] = static_cast<float>(v); break;
  }
}

}  // namespace quillane::data
