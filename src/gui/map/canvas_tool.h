#pragma once
// Tools that act on the map view. The main window only routes mouse input to the
// active tool; each tool (the pen of a map mode, copy, rectangle, fill, the event
// gestures, an on-map pick) is a class with this small interface.
#include <QPoint>
#include <QString>
#include <Qt>

class QPainter;

namespace quillane::gui {

class CanvasHost;

// A mouse position over the map view, with the cell it names.
struct CanvasPoint {
  QPoint view;                 // logical pixels, relative to the view's top-left corner
  int column = 0;              // unclamped map cell: scroll + floor(view / cell size)
  int row = 0;
  int clampedColumn = 0;       // clamped into the view and the map (the Ｘ/Ｙ fields)
  int clampedRow = 0;
  bool insideView = false;     // within the 480 × 480 view
  bool insideMap = false;      // insideView and the unclamped cell lies in the map
  Qt::MouseButton button = Qt::NoButton;     // the button that changed (press/release)
  Qt::MouseButtons buttons = Qt::NoButton;   // buttons held now
  // Map actions act only on presses that satisfy this.
  bool actsOnMap() const { return insideView && insideMap; }
};

class CanvasTool {
 public:
  virtual ~CanvasTool() = default;
  // The tool becomes current (after both mouse buttons are up) / stops being current.
  virtual void activate(CanvasHost& host) {}
  virtual void deactivate(CanvasHost& host) {}
  virtual void press(CanvasHost& host, const CanvasPoint& at) {}
  virtual void move(CanvasHost& host, const CanvasPoint& at) {}
  virtual void release(CanvasHost& host, const CanvasPoint& at) {}
  // Painted over the scaled view (a paste preview, a pick cursor), view coordinates;
  // `cell` is the on-screen cell size.
  virtual void paintOverlay(CanvasHost& host, QPainter& painter, double cell) {}
  // The name shown in EDIT201 while the tool is current ("" for the pen).
  virtual QString name() const { return {}; }
};

}  // namespace quillane::gui
