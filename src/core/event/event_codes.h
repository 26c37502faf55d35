#pragma once
// The small codes an event carries: its character code (a picture on the character
// sheet), its movement code (pattern plus the no-wait mark) and its speed.
#include <optional>
#include <string_view>
#include <vector>

#include "core/data/text_rules.h"
#include "core/event/event_model.h"

namespace quillane::event {

// Row and column of a picture on a character sheet 16 pictures wide.
struct CharacterPos {
  int row = 0;
  int column = 0;
};

// Reads a stored character code as a hexadecimal number v: row v div 16, column
// v mod 16. Empty when the text holds no hexadecimal digits.
std::optional<CharacterPos> parseCharacterCode(std::string_view code);
// The code of the picture in row `row`, column `column` (two upper-case hex digits).
Bytes characterCodeOf(int row, int column);

enum class CharacterCodeError { None, NotHex, MeansNoEvent };
struct CharacterCodeCheck {
  CharacterCodeError error = CharacterCodeError::None;
  Bytes code;  // the stored form when accepted
};
// What the designer typed as a character code: one or two hexadecimal digits,
// stored as two upper-case digits. "99" is refused because the game reads it as the
// end of a map's event list.
CharacterCodeCheck checkCharacterCode(std::string_view typed);

inline constexpr int kMovementPatterns = 10;
// The pattern names in code order ("ランダム" .. "停止(アニメあり)").
const std::vector<Bytes>& movementNames();

struct Movement {
  int pattern = 1;      // 0..9
  bool noWait = false;  // the "移動ウェイトなし" mark (stored as a leading "1")
};
// Reads a movement code by its numeric value; 10 or more means the no-wait mark.
// Values outside 0..19 read as stand still.
Movement readMovement(std::string_view code);
// The stored code; patterns 1 and 9 never carry the mark.
Bytes movementCode(Movement m);
// The name shown for a stored code, with "(停止)" for codes 10 and above.
Bytes movementDisplayName(std::string_view code);

// Speeds are stored as 1, 2, 4, 8 and shown as 1..4; 0 for a value that is none of them.
int shownSpeed(int speed);
// Shown 1..4 back to the stored speed; 0 when out of range.
int storedSpeed(int shown);

// Leading number of a text as the forms read it (empty or non-numeric reads 0): the
// typed-number rule of data::parseTypedNumber, as a whole number.
inline int leadingNumber(std::string_view s) {
  return static_cast<int>(data::parseTypedNumber(s, data::NumberField::Int32));
}

}  // namespace quillane::event
