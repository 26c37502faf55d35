#pragma once
// What a canvas tool (or a mode of another subsystem) may use of the main window: the
// workspace, the full-size canvas image, the palette, and the refresh calls. The main
// window implements it; tools never reach into the window's widgets.
#include <QString>

namespace quillane::app {
struct Workspace;
}

namespace quillane::gui {

class MapCanvas;
class PaletteView;
class CanvasTool;

// The canvas modes of the command loop.
inline constexpr int kGroundMode = 1;
inline constexpr int kEventMode = 2;
inline constexpr int kSkyMode = 17;

class CanvasHost {
 public:
  virtual ~CanvasHost() = default;
  virtual app::Workspace& workspace() = 0;
  virtual MapCanvas& canvas() = 0;
  virtual PaletteView& palette() = 0;
  virtual int mode() const = 0;
  // Copies the visible part of the canvas image to the view (no tile is redrawn).
  virtual void refreshView() = 0;
  // Rebuilds the whole canvas image from the open map, then refreshes the view.
  virtual void rebuildCanvas() = 0;
  virtual void refreshPalette() = 0;
  // The status fields (Ｘ, Ｙ, map number, size, mode, map name).
  virtual void refreshStatus() = 0;
  // Replaces the current tool (nullptr: the mode's own tool). Waits until the mouse
  // buttons are up before the new tool takes presses.
  virtual void setTool(CanvasTool* tool) = 0;
  virtual CanvasTool* tool() const = 0;
  // A line in the message area (the panel over the canvas in non-canvas modes).
  virtual void showMessage(const QString& line) = 0;
  // A line over the bottom of the map view that leaves the map usable (clicks pass
  // through it): a transient note goes with the next click or command, another one
  // stays until clearNote(). Without a map view it is an ordinary message.
  virtual void showNote(const QString& line, bool transient) { showMessage(line); }
  virtual void clearNote() {}
  // Marks the open map as changed since it was loaded or saved.
  virtual void markMapModified() = 0;

  // An on-map pick asked by a dialog mode (the flag dialog's "C" and "E" steps): until
  // endDialogPick() the view of the open map takes presses for the current tool, and the
  // palette shows the ground tiles (with the bank buttons of the split map-chip form) or
  // the event characters.
  virtual void beginDialogPick(bool terrain) {}
  virtual void endDialogPick() {}
};

}  // namespace quillane::gui
