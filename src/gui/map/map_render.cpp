#include "gui/map/map_render.h"

#include "gui/event/event_mode.h"
#include "gui/map/cell_grid.h"
#include "gui/map/map_canvas.h"

namespace quillane::gui {

QImage renderMap(const std::filesystem::path& folder, const std::filesystem::path& programDir,
                 const data::ProjectDatabase& db, map::MapDocument& doc, const RenderOptions& options,
                 QStringList& messages) {
  const bool split = db.initial.splitMapChips();
  MapCanvas canvas;
  canvas.symbols().load(programDir);
  messages = canvas.sheets().load(folder, doc, split, characterLookOf(db.initial));
  canvas.setDocument(&doc, split);
  canvas.setStartMarkerShown(false);  // the marker is the editor's, not the map's
  canvas.setSkyMode(options.layer != RenderOptions::Layer::Ground);
  canvas.setSkyDimmed(options.layer == RenderOptions::Layer::Sky);
  EventCellDecorator events(canvas);
  if (options.events) canvas.addDecorator(&events);
  canvas.build();

  const int scale = std::max(1, options.scale);
  QImage image = canvas.image();
  if (scale > 1)
    image = image.scaled(image.width() * scale, image.height() * scale, Qt::IgnoreAspectRatio,
                         Qt::FastTransformation);
  // The view's grid: the last pixel row and column of every cell darkened.
  if (options.grid) darkenCellGrid(image, kTile * scale, image.width(), image.height());
  return image;
}

}  // namespace quillane::gui
