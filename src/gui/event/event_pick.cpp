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
  QString name() const override { return QString::fromUtf8("キャラクタ選択"); }

 private:
  QEventLoop& loop_;
};

}  // namespace

std::optional<MapPick> CanvasMapPicker::pick(PickSheet sheet) {
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
  return tool.result;
}

}  // namespace quillane::gui
