#pragma once
// The effect code of items and magic: a target head ("--", "WP-", "RA-", "PO", "PA",
// "EO", "EA"), for items four power digits, and an effect letter from the one built-in
// effect list both dialogs share. Reading a stored code gives what the selectors show;
// composing gives the code a commit writes.
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "core/text/cp932.h"

namespace quillane::editors {

using text::Bytes;

struct Effect {
  std::string_view name;  // UTF-8 caption
  char letter;
};

inline constexpr int kEffectCount = 25;
inline constexpr int kManaRecovery = 21;  // "魔力回復": always aimed at allies
extern const std::array<Effect, kEffectCount> kEffects;

// The captions of the effect list, the item target list (with "なし") and the magic
// target list (without it), as CP932 rows.
std::vector<Bytes> effectRows();
std::vector<Bytes> itemTargetRows();
std::vector<Bytes> magicTargetRows();

// The head a target row writes: items 0 "--", 1 "WP-", 2 "RA-", 3 "PO" ... 6 "EA";
// magic 0 "WP-" ... 5 "EA". Empty for a row beyond the list.
Bytes itemTargetHead(int row);
Bytes magicTargetHead(int row);

// What the dialog shows for a stored code.
struct EffectView {
  Bytes targetCaption;              // "なし", "瞬間移動", ..., or composed ("敵" + "一人")
  std::optional<int> itemTargetRow;  // the row of the item list with that caption
  std::optional<int> magicTargetRow; // the row of the magic list (none for "なし")
  bool powerEditable = false;        // the head is "PO", "PA", "EO" or "EA"
  float power = 0;                   // the number in characters 3-6 (items)
  std::optional<int> effectRow;      // the effect whose letter ends the code
};
EffectView readEffectCode(std::string_view code);

// The head a commit keeps when no target was picked: "--", "WP-" and "RA-" as these
// forms, any other head as its first two characters.
Bytes currentHead(std::string_view code);
// The last character of the code (empty for an empty code).
Bytes lastCharacter(std::string_view code);

// Whether a composed head takes a power ("PO", "PA", "EO", "EA").
bool headTakesPower(std::string_view head);

// The four power digits: the number without sign, left-padded with "0", cut to its
// last four characters (12345 gives "2345").
Bytes powerDigits(double power);

// What a commit of the effect part of a dialog received. Rows are set only for the
// selectors the user changed since the dialog last showed its values.
struct EffectInput {
  std::optional<int> targetRow;
  std::optional<int> effectRow;
  double power = 0;         // the power box as typed (0 while it is read-only and empty)
  bool powerTyped = false;  // the power box was edited since it was shown
};

// With nothing picked and the power untouched, both return the stored code unchanged.
// Items: head + four power digits (zeros for a head that takes no power) + letter. "魔力回復" aims at allies: the head becomes
// "P" and the last character of the chosen head, "PO" when that head has no target.
Bytes composeItemEffect(std::string_view stored, const EffectInput& in);
// Magic: head + letter (the power is a field of its own). "魔力回復" keeps the chosen
// head unless it has no target, which writes "PO".
Bytes composeMagicEffect(std::string_view stored, const EffectInput& in);

// The nine display positions "上付-中央" ... "下付-右付".
std::vector<Bytes> displayPositionRows();

}  // namespace quillane::editors
