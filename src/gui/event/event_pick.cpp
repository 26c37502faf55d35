#include "gui/event/event_pick.h"

#include <QEventLoop>

#include "gui/map/canvas_host.h"
#include "gui/map/canvas_tool.h"
#include "gui/map/palette_view.h"
#include "gui/ui/escape_filter.h"

namespace quillane::gui {

namespace {

class PickTool : public CanvasTool {
 public:
  explicit PickTool(QEventLoop& loop) : loop_(loop) {}
  std::optional<MapPick> result;

  void press(CanvasHost& host, const CanvasPoint& at) override {
    if (at.button == Qt::RightButton) {
      loop_.quit();
    } else if (at.button == Qt::LeftButton && at.actsOnMap()) {
      const QRect brush = host.palette().brush();
      result = MapPick{at.column, at.row, brush.top(), brush.left(), host.palette().bank()};
      loop_.quit();
    }
  }
  // The tool field says what to do; the note over the map says it in full.
  QString name() const override { return QString::fromUtf8("クリック/Esc取消"); }

 private:
  QEventLoop& loop_;
};

}  // namespace

std::optional<MapPick> CanvasMapPicker::pick(PickSheet sheet) {
  // A cancelled pick leaves everything as it was, the palette's choice included (the
  // next new event takes its picture from there).
  PaletteView& palette = host_.palette();
  const QPoint anchor = palette.anchor();
  const QPoint corner = palette.corner();
  const QPoint scroll(palette.scrollColumn(), palette.scrollRow());
  const int bank = palette.bank();
  // The window shows the canvas and the sheet of the pick for as long as it lasts.
  host_.beginDialogPick(sheet == PickSheet::Terrain);
  QEventLoop loop;
  PickTool tool(loop);
  CanvasTool* previous = host_.tool();
  {
    ui::EscapeFilter escape(loop);
    host_.setTool(&tool);
    loop.exec();
  }
  host_.setTool(previous);
  host_.endDialogPick();
  if (!tool.result) {
    palette.setBank(bank);
    palette.setScroll(scroll.x(), scroll.y());
    palette.setSelection(anchor, corner);
    host_.refreshPalette();
  }
  return tool.result;
}

}  // namespace quillane::gui
