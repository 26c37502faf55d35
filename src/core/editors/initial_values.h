#pragma once
// The initial-values dialog's rules: how each choice of the dialog is stored in
// bzenINI.DAT (so the engine reads it), the menu lists with their catalogues, the
// clamps, and the transparent colour in hexadecimal.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/data/project_database.h"

namespace quillane::editors {

using text::Bytes;

// A choice of a selector: its caption (UTF-8) and the number it stores.
struct Choice {
  const char* caption;
  int code;
};
// The index of `code` in `choices`, or -1 when no choice stores it.
int choiceIndex(std::span<const Choice> choices, float code);

std::span<const Choice> directionChoices();   // "上" 0, "右" 2, "下" 4, "左" 6
std::span<const Choice> speedChoices();       // "1".."4" stored as 1, 2, 4, 8
std::span<const Choice> placementChoices();   // "Quillane形式" 1, "RPGツクール形式" 11
std::span<const Choice> battleViewChoices();  // "フロントビュー" 0, "サイドビュー" 1
std::span<const Choice> mapChipChoices();     // "標準" 0, "分割" 1
std::span<const Choice> positionChoices();    // "デフォルト位置" 0, "指定位置" 1

struct ScreenSize {
  const char* caption;
  int width;   // in 32-pixel chips
  int height;
};
std::span<const ScreenSize> screenSizes();  // 320×240 .. 1024×768
// The screen size whose width is `width` chips, or -1.
int screenSizeIndex(float width);

inline constexpr int kFadeKinds = 11;   // 0..10
inline constexpr int kMeterValues = 16;  // 0..15
inline constexpr int kSystemMenuShown = 20;
inline constexpr int kSettingsMenuShown = 10;

// The menu catalogues in code order (code = index + 1).
std::span<const char* const> systemMenuCatalogue();    // "魔法" .. "終了"
std::span<const char* const> settingsMenuCatalogue();  // "ＢＧＭ" .. "キー設定"

// A menu held as places of codes, 0 ending the list; at most `shown` places are listed.
class MenuPlaces {
 public:
  MenuPlaces(std::span<float> places, int shown) : places_(places), shown_(shown) {}
  // The codes from place 0 up to the first 0, at most `shown`.
  std::vector<int> codes() const;
  int length() const { return static_cast<int>(codes().size()); }
  // "≫": inserts `code` at `at` (the selection; -1 or past the end: at the length),
  // moving later entries down. Nothing once the list shows its maximum. Returns the
  // index of the new entry or -1.
  int insert(int at, int code);
  // "≪": removes entry `at` and closes the gap. False when there is no such entry.
  bool remove(int at);
  // "▲"/"▼": exchanges entry `at` with its neighbour; returns where the entry went.
  int move(int at, int delta);

 private:
  std::span<float> places_;
  int shown_;
};

// Character size: width 1..48, height 1..64.
float clampCharacterWidth(double typed);
float clampCharacterHeight(double typed);

// The transparent colour as the dialog shows it: upper-case hexadecimal digits.
Bytes colourHex(std::int32_t colour);
// The typed text read as a hexadecimal number (leading hexadecimal digits; "&H" and
// "0x" are taken as prefixes); empty text reads 0. Values past 32 bits saturate.
std::int32_t parseColourHex(std::string_view typed);
// A Windows colour 0x00BBGGRR from red, green and blue, and back.
std::int32_t windowsColour(int red, int green, int blue);
struct Rgb {
  int red, green, blue;
};
Rgb rgbOf(std::int32_t windowsColour);

// What the editing-password box may become: the typed text, or the current password
// when the typed one is empty after trimming blanks. The second member is the refusal
// message when the text cannot be a password.
struct PasswordEntry {
  Bytes value;
  std::optional<Bytes> refusal;
};
PasswordEntry editingPasswordEntry(const Bytes& typed, const Bytes& current);

// Whether the start position can be picked on the open map: only when it is the first map.
bool canPickStart(int openMap, int firstMap);

}  // namespace quillane::editors
