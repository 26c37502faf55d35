#pragma once
// The pictures of the player dialog: the face square (120 × 120, the face bitmap
// stretched into it) and the four character frames (32 × 32 each, one below the other).
#include <QImage>
#include <QWidget>

namespace quillane::gui {

// A child widget that paints one cached picture stretched over its area.
class CachedPicture : public QWidget {
  Q_OBJECT
 public:
  CachedPicture(const QString& objectName, QSize size, QWidget* parent = nullptr);
  // A null image leaves the picture as it was (a face that cannot be loaded).
  void setPicture(const QImage& image);
  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

// The frames of character `number` on a character bitmap of 32 × 32 cells, 16 to a row:
// the cell at column number mod 16 and row floor(number / 16) and the three cells below
// it (the four facings), each moved `pattern` cells to the right for the walking frame.
// Cells outside the bitmap are blank. The result is 32 × 128.
QImage characterFrames(const QImage& sheet, int number, int pattern);

// The character number text read as a hexadecimal number (-1 when it is none).
int characterNumber(const QString& text);

}  // namespace quillane::gui
