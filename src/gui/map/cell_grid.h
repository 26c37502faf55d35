#pragma once
// The grid of the map view: a line after every cell, drawn by halving the brightness of
// the last pixel row and column of each cell (a painter's blended pen is many times
// slower than the scaling itself). The view and the map pictures share it.
#include <QImage>

namespace quillane::gui {

// Darkens the grid of cells `cell` pixels wide over the top-left width × height pixels
// of `image` (RGB32).
void darkenCellGrid(QImage& image, int cell, int width, int height);

}  // namespace quillane::gui
