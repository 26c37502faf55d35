#pragma once
// The on-map pick of "参照" in event mode: with the script editor hidden, the designer
// chooses a character in the palette and clicks a cell of the map; Escape or a right
// click cancels and leaves everything as it was.
#include "gui/event/flag_map_picker.h"

namespace quillane::gui {

class CanvasHost;

class CanvasMapPicker : public FlagMapPicker {
 public:
  explicit CanvasMapPicker(CanvasHost& host) : host_(host) {}
  // Picks from the sheet the palette shows now (the character sheet in event mode).
  std::optional<MapPick> pick(PickSheet sheet) override;

 private:
  CanvasHost& host_;
};

}  // namespace quillane::gui
