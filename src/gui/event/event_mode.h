#pragma once
// Event mode on the map canvas: the events drawn with their pictures, a click on a cell
// opening its event or creating the next one, a drag from an event to an empty cell
// moving it, and the event chooser ("イベント選択"). Opening and ending modes open the
// same script editor on their scripts.
#include <QPoint>
#include <QString>
#include <memory>

#include "gui/app/mode_registry.h"
#include "gui/map/canvas_tool.h"
#include "gui/map/map_canvas.h"

namespace quillane::event {
struct MapEvents;
}

namespace quillane::gui {

// Draws the picture of the event standing on a cell over its tiles.
class EventCellDecorator : public CellDecorator {
 public:
  explicit EventCellDecorator(MapCanvas& canvas) : canvas_(canvas) {}
  void decorate(QImage& image, int row, int column) override;

 private:
  MapCanvas& canvas_;
};

class EventModeTool : public CanvasTool {
 public:
  explicit EventModeTool(const app::ModeContext& context) : context_(context) {}

  void press(CanvasHost& host, const CanvasPoint& at) override;
  // Hovering names the event under the pointer in a tooltip; a drag from an event
  // carries its picture under the pointer.
  void move(CanvasHost& host, const CanvasPoint& at) override;
  void release(CanvasHost& host, const CanvasPoint& at) override;
  void deactivate(CanvasHost& host) override;
  // Each visible event's number on its cell, and the picture of a dragged event.
  void paintOverlay(CanvasHost& host, QPainter& painter, double cell) override;
  QString name() const override;

  // The click of release(), run as the window command "EVO" so that the window takes
  // no other command while the question or the script editor is open: opens the event
  // on the cell or offers a new one.
  void clickCell();
  // Opens event n in the script editor and redraws what it changed.
  void openEvent(int number);
  int currentEvent() const { return current_; }

 private:
  void createAt(int column, int row);

  app::ModeContext context_;  // the window, workspace and host outlive the tool
  bool pressed_ = false;
  int pressColumn_ = 0;
  int pressRow_ = 0;
  int dragEvent_ = -1;  // the event carried by a drag, -1 when none
  QPoint dragAt_;       // the pointer in view coordinates
  int clickColumn_ = -1;
  int clickRow_ = -1;
  int current_ = 0;
};

// Event mode (2), the event chooser "EVS", opening (9) and ending (10) modes, and the
// events drawn on the canvas in every mode from the first map on.
void registerEventModes(app::ModeRegistry& registry);

// The tooltip of an event on the canvas: number, character, movement, speed and the
// message of its first line.
QString eventTooltip(const event::MapEvents& events, int number);

}  // namespace quillane::gui
