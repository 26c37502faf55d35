#pragma once
// The tile palette: 6 × 9 tiles of 32 × 32 from the palette scroll position, taken from
// the ground work bitmap at the current bank, the sky bitmap or the character sheet.
// A left drag selects a rectangle of cells (the brush). Its geometry (cells under a
// press, scroll ranges) is the core's (core/map/palette.h).
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

namespace quillane::gui {

class PaletteView : public QWidget {
  Q_OBJECT
 public:
  explicit PaletteView(QWidget* parent = nullptr);

  // The bitmap shown (not owned) and the y offset of the bank in it.
  void setSource(const QImage* source, int yOffset);
  // Event mode reduces the selection to one cell.
  void setSingleCell(bool single);

  void setScroll(int column, int row);
  int scrollColumn() const { return scrollColumn_; }
  int scrollRow() const { return scrollRow_; }

  // Bank 1..3 (split map-chip form); the painted codes carry bank − 1.
  void setBank(int bank) { bank_ = bank; update(); }
  int bank() const { return bank_; }

  void setGrid(bool on) { grid_ = on; update(); }

  // The selection in visible-palette cells (anchor and corner).
  void setSelection(QPoint anchor, QPoint corner);
  QPoint anchor() const { return anchor_; }
  QPoint corner() const { return corner_; }
  // The brush: the palette tile rectangle enclosed now (sheet columns and rows 0..15).
  QRect brush() const;
  // Scrolls just far enough that the sheet tile is visible and selects it alone.
  void pick(int sheetRow, int sheetColumn);

  void render(QPainter& painter) const;

  std::function<void()> onSelectionChanged;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const QImage* source_ = nullptr;
  int yOffset_ = 0;
  int scrollColumn_ = 0;
  int scrollRow_ = 0;
  int bank_ = 1;
  bool grid_ = false;
  bool single_ = false;
  bool dragging_ = false;
  QPoint anchor_{0, 0};
  QPoint corner_{0, 0};
};

}  // namespace quillane::gui
