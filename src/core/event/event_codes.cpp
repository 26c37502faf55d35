#include "core/event/event_codes.h"

#include <string>

#include "core/text/hex.h"

namespace quillane::event {

std::optional<CharacterPos> parseCharacterCode(std::string_view code) {
  // Read like "&h" + text: leading hex digits, at most what fits a picture index.
  long v = 0;
  std::size_t digits = 0;
  for (char c : code) {
    int d = text::hexDigit(c);
    if (d < 0) break;
    v = v * 16 + d;
    if (++digits > 6) break;
  }
  if (digits == 0) return std::nullopt;
  return CharacterPos{static_cast<int>(v / 16), static_cast<int>(v % 16)};
}

Bytes characterCodeOf(int row, int column) {
  static const char* kHex = "0123456789ABCDEF";
  Bytes out;
  out += kHex[row & 15];
  out += kHex[column & 15];
  return out;
}

CharacterCodeCheck checkCharacterCode(std::string_view typed) {
  Bytes t = text::trim(typed);
  if (t.empty() || t.size() > 2) return {CharacterCodeError::NotHex, {}};
  for (char c : t)
    if (text::hexDigit(c) < 0) return {CharacterCodeError::NotHex, {}};
  Bytes code = text::upperAscii(t);
  if (code.size() == 1) code = "0" + code;
  if (code == "99") return {CharacterCodeError::MeansNoEvent, {}};
  return {CharacterCodeError::None, code};
}

const std::vector<Bytes>& movementNames() {
  static const std::vector<Bytes> names = {
      text::sj("ランダム"),           text::sj("停止"),
      text::sj("追跡横座表重点"),     text::sj("追跡縦座標重点"),
      text::sj("逃走横座標重点"),     text::sj("逃走縦座標重点"),
      text::sj("障害物衝突後ランダム"), text::sj("障害物衝突後追跡移動"),
      text::sj("障害物衝突後逃走移動"), text::sj("停止(アニメあり)")};
  return names;
}

Movement readMovement(std::string_view code) {
  int v = leadingNumber(code);
  if (v < 0 || v > 19) return {};
  if (v >= 10) return {v - 10, true};
  return {v, false};
}

Bytes movementCode(Movement m) {
  int p = m.pattern % 10;
  if (p < 0) p = 1;
  Bytes out = std::to_string(p);
  if (m.noWait && p != 1 && p != 9) out = "1" + out;
  return out;
}

Bytes movementDisplayName(std::string_view code) {
  Movement m = readMovement(code);
  Bytes name = movementNames()[static_cast<std::size_t>(m.pattern)];
  if (m.noWait) name += text::sj("(停止)");
  return name;
}

int shownSpeed(int speed) {
  switch (speed) {
    case 1: return 1;
    case 2: return 2;
    case 4: return 3;
    case 8: return 4;
    default: return 0;
  }
}

int storedSpeed(int shown) {
  static const int kSpeeds[] = {1, 2, 4, 8};
  return shown >= 1 && shown <= 4 ? kSpeeds[shown - 1] : 0;
}

}  // namespace quillane::event
