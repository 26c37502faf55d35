#include "core/editors/effect_codes.h"

#include <cmath>
#include <string>

#include "core/data/text_rules.h"

namespace quillane::editors {

using text::sj;

const std::array<Effect, kEffectCount> kEffects{{
    {"攻撃・回復", '-'}, {"眠り", 'S'},         {"狂い", 'H'},         {"呪い", 'C'},
    {"攻撃力", 'A'},     {"防御力", 'D'},       {"速さ", 'F'},         {"毒", 'P'},
    {"復活", 'R'},       {"体・魔力回復", 'W'}, {"体力吸取り", 'X'},   {"魔力吸取り", 'Z'},
    {"魔法防御力", 'G'}, {"攻撃・防御力", 'E'}, {"防御力・速さ", 'I'}, {"攻撃力・速さ", 'J'},
    {"攻・防・速", 'T'}, {"石化", 'B'},         {"麻痺", 'K'},         {"沈黙", 'L'},
    {"暗闇", 'N'},       {"魔力回復", 'M'},     {"体力上限", '1'},     {"魔力上限", '2'},
    {"攻撃命中率", '3'},
}};

namespace {

struct Target {
  const char* caption;
  const char* head;
};
// The item list; the magic list is the same without its first entry.
constexpr std::array<Target, 7> kTargets{{
    {"なし", "--"},
    {"瞬間移動", "WP-"},
    {"戦闘離脱", "RA-"},
    {"味方一人", "PO"},
    {"味方全員", "PA"},
    {"敵一人", "EO"},
    {"敵全員", "EA"},
}};

// The characters of a CP932 code: a double-byte character is one character, so a
// trail byte is never taken for a letter.
std::vector<std::string_view> characters(std::string_view code) {
  std::vector<std::string_view> out;
  for (std::size_t pos = 0; pos < code.size();) {
    std::size_t n = text::charLength(code, pos);
    out.push_back(code.substr(pos, n));
    pos += n;
  }
  return out;
}

bool headIs(const std::vector<std::string_view>& c, char a, char b) {
  return c.size() >= 2 && c[0] == std::string_view(&a, 1) && c[1] == std::string_view(&b, 1);
}

bool headHasNoTarget(std::string_view head) { return head.empty() || head[0] == '-' || head == "WP-" || head == "RA-"; }

std::optional<int> effectOfLetter(std::string_view last) {
  if (last.size() != 1) return std::nullopt;
  for (int i = 0; i < kEffectCount; ++i)
    if (kEffects[static_cast<std::size_t>(i)].letter == last[0]) return i;
  return std::nullopt;
}

Bytes chosenHead(std::string_view stored, std::optional<int> row, Bytes (*headOf)(int)) {
  if (row) {
    Bytes head = headOf(*row);
    if (!head.empty()) return head;
  }
  return currentHead(stored);
}

Bytes chosenLetter(std::string_view stored, std::optional<int> row) {
  if (row && *row >= 0 && *row < kEffectCount) return Bytes(1, kEffects[static_cast<std::size_t>(*row)].letter);
  return lastCharacter(stored);
}

bool nothingTouched(const EffectInput& in) { return !in.targetRow && !in.effectRow && !in.powerTyped; }

bool isManaRecovery(std::string_view stored, const EffectInput& in) {
  if (in.effectRow) return *in.effectRow == kManaRecovery;
  return effectOfLetter(lastCharacter(stored)) == kManaRecovery;
}

}  // namespace

std::vector<Bytes> effectRows() {
  std::vector<Bytes> rows;
  for (const Effect& e : kEffects) rows.push_back(sj(e.name));
  return rows;
}

std::vector<Bytes> itemTargetRows() {
  std::vector<Bytes> rows;
  for (const Target& t : kTargets) rows.push_back(sj(t.caption));
  return rows;
}

std::vector<Bytes> magicTargetRows() {
  std::vector<Bytes> rows = itemTargetRows();
  rows.erase(rows.begin());
  return rows;
}

Bytes itemTargetHead(int row) {
  if (row < 0 || row >= static_cast<int>(kTargets.size())) return {};
  return kTargets[static_cast<std::size_t>(row)].head;
}

Bytes magicTargetHead(int row) { return row < 0 ? Bytes() : itemTargetHead(row + 1); }

EffectView readEffectCode(std::string_view code) {
  EffectView v;
  const auto c = characters(code);
  if (c.empty()) return v;
  int itemRow;
  if (c[0] == "-") itemRow = 0;
  else if (headIs(c, 'W', 'P')) itemRow = 1;
  else if (headIs(c, 'R', 'A')) itemRow = 2;
  else {
    // Any other head reads as a side and a reach: "E" is the enemy side, everything
    // else the allies; "O" is one, everything else all.
    const bool enemy = c[0] == "E";
    const bool one = c.size() >= 2 && c[1] == "O";
    itemRow = 3 + (enemy ? 2 : 0) + (one ? 0 : 1);
  }
  v.targetCaption = sj(kTargets[static_cast<std::size_t>(itemRow)].caption);
  v.itemTargetRow = itemRow;
  if (itemRow > 0) v.magicTargetRow = itemRow - 1;
  v.powerEditable = headIs(c, 'P', 'O') || headIs(c, 'P', 'A') || headIs(c, 'E', 'O') || headIs(c, 'E', 'A');
  if (v.powerEditable) {
    std::string digits;
    for (std::size_t i = 2; i < c.size() && i < 6; ++i) digits += c[i];
    v.power = static_cast<float>(data::parseTypedNumber(digits));
  }
  v.effectRow = effectOfLetter(c.back());
  return v;
}

Bytes currentHead(std::string_view code) {
  const auto c = characters(code);
  if (c.empty()) return {};
  if (c[0] == "-") return "--";
  if (headIs(c, 'W', 'P')) return "WP-";
  if (headIs(c, 'R', 'A')) return "RA-";
  return c.size() >= 2 ? Bytes(c[0]) + Bytes(c[1]) : Bytes(c[0]);
}

Bytes lastCharacter(std::string_view code) {
  const auto c = characters(code);
  return c.empty() ? Bytes() : Bytes(c.back());
}

bool headTakesPower(std::string_view head) { return head == "PO" || head == "PA" || head == "EO" || head == "EA"; }

Bytes powerDigits(double power) {
  const double whole = std::fabs(std::round(power));
  std::string digits = std::to_string(static_cast<long long>(whole));
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return digits.substr(digits.size() - 4);
}

Bytes composeItemEffect(std::string_view stored, const EffectInput& in) {
  if (nothingTouched(in)) return Bytes(stored);
  Bytes head = chosenHead(stored, in.targetRow, itemTargetHead);
  if (isManaRecovery(stored, in)) head = headHasNoTarget(head) ? Bytes("PO") : "P" + lastCharacter(head);
  // Heads without a target take no power: their digits are zeros ("WP-0000-").
  return head + powerDigits(headTakesPower(head) ? in.power : 0) + chosenLetter(stored, in.effectRow);
}

Bytes composeMagicEffect(std::string_view stored, const EffectInput& in) {
  if (!in.targetRow && !in.effectRow) return Bytes(stored);
  Bytes head = chosenHead(stored, in.targetRow, magicTargetHead);
  if (isManaRecovery(stored, in) && headHasNoTarget(head)) head = "PO";
  return head + chosenLetter(stored, in.effectRow);
}

std::vector<Bytes> displayPositionRows() {
  static constexpr const char* kPositions[9] = {"上付-中央", "上付-左付", "上付-右付", "中央-中央", "中央-左付",
                                                "中央-右付", "下付-中央", "下付-左付", "下付-右付"};
  std::vector<Bytes> rows;
  for (const char* p : kPositions) rows.push_back(sj(p));
  return rows;
}

}  // namespace quillane::editors
