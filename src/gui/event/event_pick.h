#pragma once
// The on-map pick asked by a dialog (the script editor's "参照", the flag dialog's "C"
// and "E" steps): with the dialog hidden, the designer chooses a character in the
// palette and clicks a cell of the map; Escape or a right click cancels and leaves
// everything as it was.
#include "gui/event/flag_map_picker.h"

namespace quillane::gui {

class CanvasHost;

class CanvasMapPicker : public FlagMapPicker {
 public:
  explicit CanvasMapPicker(CanvasHost& host) : host_(host) {}
  // The window shows the canvas and `sheet` in the palette until the pick ends.
  std::optional<MapPick> pick(PickSheet sheet) override;

 private:
  CanvasHost& host_;
};

}  // namespace quillane::gui
