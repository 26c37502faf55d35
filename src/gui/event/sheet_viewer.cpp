#include "gui/event/sheet_viewer.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <functional>

#include "core/event/event_codes.h"
#include "core/event/flag_table_editor.h"
#include "gui/map/map_canvas.h"
#include "gui/ui/form.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

// The sheet with a line around every cell; hovering reports the cell's code.
class SheetPicture : public QWidget {
 public:
  SheetPicture(const QImage& sheet, SheetCodes codes, std::function<void(const QString&)> onHover)
      : image_(sheet.convertToFormat(QImage::Format_RGB32)), codes_(codes), onHover_(std::move(onHover)) {
    setObjectName(QStringLiteral("SHEETPICTURE"));
    setFixedSize(image_.size());
    setMouseTracking(true);
    QPainter p(&image_);
    p.setPen(QColor(255, 255, 255, 110));
    for (int x = 0; x < image_.width(); x += kTile) p.drawLine(x, 0, x, image_.height() - 1);
    for (int y = 0; y < image_.height(); y += kTile) p.drawLine(0, y, image_.width() - 1, y);
  }

  QString codeAt(QPoint pos) const {
    if (!rect().contains(pos)) return {};
    const int column = pos.x() / kTile;
    const int sheetRow = pos.y() / kTile;
    if (column > 15) return {};
    if (codes_ == SheetCodes::EventCharacters) {
      if (sheetRow > 15) return {};
      return ui::toQString(event::characterCodeOf(sheetRow, column));
    }
    // The work bitmap holds the three banks of 16 rows one below the other.
    const int bank = sheetRow / 16 + 1;
    if (bank > 3 || (bank > 1 && codes_ != SheetCodes::TerrainSplit)) return {};
    return ui::toQString(
        event::pickedCharacterCode(sheetRow % 16, column, bank, codes_ == SheetCodes::TerrainSplit));
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image_); }
  void mouseMoveEvent(QMouseEvent* event) override {
    const QString code = codeAt(event->position().toPoint());
    setToolTip(code);
    onHover_(code);
  }
  void leaveEvent(QEvent*) override { onHover_({}); }

 private:
  QImage image_;
  SheetCodes codes_;
  std::function<void(const QString&)> onHover_;
};

}  // namespace

void showSheetUntilReturn(const QImage& sheet, QWidget* parent, SheetCodes codes) {
  ui::Form form(QStringLiteral("SHEETVIEW"), QString::fromUtf8("キャラクタ参照"), 1, parent);
  auto* layout = new QVBoxLayout(&form);
  auto* code = new QLabel;
  code->setObjectName(QStringLiteral("SHEETCODE"));
  code->setFixedHeight(code->fontMetrics().height() + 4);
  auto* picture = new SheetPicture(sheet, codes, [code](const QString& c) {
    code->setText(c.isEmpty() ? QString() : QString::fromUtf8("キャラクタNo. ") + c);
  });
  auto* scroll = new QScrollArea;
  scroll->setWidget(picture);
  scroll->setMinimumSize(std::min(sheet.width() + 24, 900), std::min(sheet.height() + 24, 700));
  layout->addWidget(scroll);
  auto* row = new QHBoxLayout;
  row->addWidget(code, 1);
  auto* back = new QPushButton(QString::fromUtf8("戻る"));
  back->setObjectName(QStringLiteral("BUTTON1"));
  form.bindButton(back, 1);
  row->addWidget(back);
  layout->addLayout(row);
  form.waitAction();
  form.finish();
}

}  // namespace quillane::gui
