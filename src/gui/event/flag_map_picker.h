#pragma once
// The on-map pick of a "C" or "E" flag step: with the flag dialog hidden, the designer
// chooses a character in the palette and clicks a cell of the map. The main window
// implements it; the dialog only asks.
#include <optional>

namespace quillane::gui {

// Which sheet the palette offers while picking.
enum class PickSheet { Terrain, EventCharacters };

struct MapPick {
  int x = 0;       // the clicked cell
  int y = 0;
  int row = 0;     // the chosen character on its sheet (0..15 each)
  int column = 0;
  int bank = 1;    // the palette bank 1..3 of a terrain character
};

class FlagMapPicker {
 public:
  virtual ~FlagMapPicker() = default;
  // Runs until a left click on a cell of the map (the pick) or Escape / a right click
  // (cancel: nothing is returned and nothing has changed).
  virtual std::optional<MapPick> pick(PickSheet sheet) = 0;
};

}  // namespace quillane::gui
