#pragma once
// A map layer: tile codes on rows and columns 0..200, indexed [row][column].
// Cells beyond the map's width and height exist too (they are empty unless the map
// was made smaller); the map's size lives in MapDocument.
#include <vector>

#include "core/map/tile_code.h"

namespace quillane::map {

inline constexpr int kGridSize = 201;  // cells 0..200 on both axes
inline constexpr int kLastCell = 200;

// Writes `code` into cells first[0..count): the write of every tool, undo and redo,
// several cells per store.
void fillCells(TileCode* first, int count, TileCode code);

class TileLayer {
 public:
  TileLayer() : cells_(static_cast<std::size_t>(kGridSize) * kGridSize) {}

  static bool inGrid(int row, int col) {
    return row >= 0 && row < kGridSize && col >= 0 && col < kGridSize;
  }

  // Callers keep row and col within 0..200 (see inGrid).
  TileCode& at(int row, int col) { return cells_[index(row, col)]; }
  const TileCode& at(int row, int col) const { return cells_[index(row, col)]; }
  void set(int row, int col, std::string_view code) { at(row, col) = TileCode(code); }
  text::Bytes text(int row, int col) const { return at(row, col).text(); }

  // The 201 cells of one row, contiguous.
  TileCode* row(int r) { return cells_.data() + index(r, 0); }
  const TileCode* row(int r) const { return cells_.data() + index(r, 0); }

  // Every cell of the grid becomes `code`.
  void fillAll(TileCode code) { cells_.assign(cells_.size(), code); }
  // Rows 0..rows-1, columns 0..cols-1 become `code` (clipped to the grid).
  void fillArea(int rows, int cols, TileCode code);

  void swap(TileLayer& other) noexcept { cells_.swap(other.cells_); }
  friend bool operator==(const TileLayer&, const TileLayer&) = default;

 private:
  static std::size_t index(int row, int col) {
    return static_cast<std::size_t>(row) * kGridSize + static_cast<std::size_t>(col);
  }
  std::vector<TileCode> cells_;
};

}  // namespace quillane::map
