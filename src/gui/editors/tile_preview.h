#pragma once
// A small picture area showing one ground tile, scaled up with sharp pixels. It paints
// a cached image; the dialog sets the tile whenever its code changes.
#include <QImage>
#include <QWidget>

namespace quillane::gui {

class TilePreview : public QWidget {
  Q_OBJECT
 public:
  // `side`: the logical size of the square area.
  TilePreview(const QString& name, int side, QWidget* parent = nullptr);
  // The tile at `source` of `sheet`; a null rectangle shows an empty area.
  void showTile(const QImage& sheet, const QRect& source);
  const QImage& shown() const { return shown_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage shown_;
};

}  // namespace quillane::gui
