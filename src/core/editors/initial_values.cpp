#include "core/editors/initial_values.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/data/text_rules.h"

namespace quillane::editors {

int choiceIndex(std::span<const Choice> choices, float code) {
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (static_cast<float>(choices[i].code) == code) return static_cast<int>(i);
  return -1;
}

std::span<const Choice> directionChoices() {
  static constexpr Choice c[] = {{"上", 0}, {"右", 2}, {"下", 4}, {"左", 6}};
  return c;
}
std::span<const Choice> speedChoices() {
  static constexpr Choice c[] = {{"1", 1}, {"2", 2}, {"3", 4}, {"4", 8}};
  return c;
}
std::span<const Choice> placementChoices() {
  static constexpr Choice c[] = {{"Quillane形式", 1}, {"RPGツクール形式", 11}};
  return c;
}
std::span<const Choice> battleViewChoices() {
  static constexpr Choice c[] = {{"フロントビュー", 0}, {"サイドビュー", 1}};
  return c;
}
std::span<const Choice> mapChipChoices() {
  static constexpr Choice c[] = {{"標準", 0}, {"分割", 1}};
  return c;
}
std::span<const Choice> positionChoices() {
  static constexpr Choice c[] = {{"デフォルト位置", 0}, {"指定位置", 1}};
  return c;
}

std::span<const ScreenSize> screenSizes() {
  static constexpr ScreenSize s[] = {
      {"320×240", 10, 8}, {"640×480", 20, 15}, {"800×600", 25, 19}, {"1024×768", 32, 24}};
  return s;
}

int screenSizeIndex(float width) {
  const auto sizes = screenSizes();
  for (std::size_t i = 0; i < sizes.size(); ++i)
    if (static_cast<float>(sizes[i].width) == width) return static_cast<int>(i);
  return -1;
}

std::span<const char* const> systemMenuCatalogue() {
  static constexpr const char* c[] = {"魔法", "得意技", "道具", "ステータス", "隊列",
                                      "セーブ", "ロード", "設定", "登録", "終了"};
  return c;
}
std::span<const char* const> settingsMenuCatalogue() {
  static constexpr const char* c[] = {"ＢＧＭ", "効果音", "人移動", "速度", "敵遭遇", "キー設定"};
  return c;
}

std::vector<int> MenuPlaces::codes() const {
  std::vector<int> out;
  const int n = std::min(shown_, static_cast<int>(places_.size()));
  for (int i = 0; i < n && places_[static_cast<std::size_t>(i)] != 0; ++i)
    out.push_back(static_cast<int>(places_[static_cast<std::size_t>(i)]));
  return out;
}

int MenuPlaces::insert(int at, int code) {
  const int len = length();
  // A full list takes nothing more: an entry would be stored out of sight.
  if (len >= shown_ || len >= static_cast<int>(places_.size())) return -1;
  if (at < 0 || at > len) at = len;
  for (int i = len; i > at; --i) places_[static_cast<std::size_t>(i)] = places_[static_cast<std::size_t>(i - 1)];
  places_[static_cast<std::size_t>(at)] = static_cast<float>(code);
  return at;
}

bool MenuPlaces::remove(int at) {
  const int len = length();
  if (at < 0 || at >= len) return false;
  for (int i = at; i + 1 < static_cast<int>(places_.size()); ++i)
    places_[static_cast<std::size_t>(i)] = places_[static_cast<std::size_t>(i + 1)];
  places_[places_.size() - 1] = 0;
  return true;
}

int MenuPlaces::move(int at, int delta) {
  const int len = length();
  const int to = at + delta;
  if (at < 0 || at >= len || to < 0 || to >= len) return at;
  std::swap(places_[static_cast<std::size_t>(at)], places_[static_cast<std::size_t>(to)]);
  return to;
}

float clampCharacterWidth(double typed) { return static_cast<float>(std::clamp(std::round(typed), 1.0, 48.0)); }
float clampCharacterHeight(double typed) { return static_cast<float>(std::clamp(std::round(typed), 1.0, 64.0)); }

Bytes colourHex(std::int32_t colour) {
  static const char digits[] = "0123456789ABCDEF";
  auto v = static_cast<std::uint32_t>(colour);
  Bytes out;
  do {
    out.insert(out.begin(), digits[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  return out;
}

std::int32_t parseColourHex(std::string_view typed) {
  std::size_t i = 0;
  while (i < typed.size() && (typed[i] == ' ' || typed[i] == '\t')) ++i;
  std::string_view rest = typed.substr(i);
  for (std::string_view prefix : {"&H", "&h", "0x", "0X"})
    if (rest.starts_with(prefix)) {
      rest.remove_prefix(prefix.size());
      break;
    }
  std::uint64_t v = 0;
  for (char c : rest) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else break;
    v = std::min<std::uint64_t>(v * 16 + static_cast<std::uint64_t>(d), 0xFFFFFFFFu);
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

std::int32_t windowsColour(int red, int green, int blue) {
  return static_cast<std::int32_t>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}

Rgb rgbOf(std::int32_t colour) {
  const auto v = static_cast<std::uint32_t>(colour);
  return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF)};
}

PasswordEntry editingPasswordEntry(const Bytes& typed, const Bytes& current) {
  if (text::trim(typed).empty()) return {text::trimRight(current), std::nullopt};
  return {typed, data::refusePassword(typed)};
}

bool canPickStart(int openMap, int firstMap) { return openMap >= 0 && openMap == firstMap; }

}  // namespace quillane::editors
