#pragma once
// A table column of rows x columns numbers in one block, row after row: grid[r] is row
// r (a span), grid[r][c] one cell. The level table keeps each of its columns so, since
// one block is sized and freed at once, where a vector per row meant a thousand.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>

namespace quillane::data {

template <class T>
class Grid {
 public:
  Grid() = default;
  Grid(const Grid& o) { copyFrom(o); }
  Grid(Grid&& o) noexcept { swap(o); }
  Grid& operator=(const Grid& o) {
    if (this != &o) copyFrom(o);
    return *this;
  }
  Grid& operator=(Grid&& o) noexcept {
    Grid moved(std::move(o));
    swap(moved);
    return *this;
  }

  // Rows, as a vector of rows gives them.
  std::size_t size() const { return rows_; }
  std::size_t columns() const { return columns_; }
  std::span<T> operator[](std::size_t r) { return {cells_.get() + r * columns_, columns_}; }
  std::span<const T> operator[](std::size_t r) const { return {cells_.get() + r * columns_, columns_}; }
  // Row after row (each a span).
  template <class G, class Row>
  struct Rows {
    G* grid;
    std::size_t r;
    Row operator*() const { return (*grid)[r]; }
    Rows& operator++() {
      ++r;
      return *this;
    }
    bool operator==(const Rows& o) const { return r == o.r; }
  };
  Rows<Grid, std::span<T>> begin() { return {this, 0}; }
  Rows<Grid, std::span<T>> end() { return {this, rows_}; }
  Rows<const Grid, std::span<const T>> begin() const { return {this, 0}; }
  Rows<const Grid, std::span<const T>> end() const { return {this, rows_}; }
  T* data() { return cells_.get(); }
  const T* data() const { return cells_.get(); }

  // To rows x columns; cell (r, c) keeps its value where it was inside before, every
  // other cell is zero.
  void resize(int rows, int columns) {
    const std::size_t r = clampSize(rows), c = clampSize(columns);
    if (r == rows_ && c == columns_) return;
    Grid next;
    next.allocate(r, c);
    std::fill_n(next.cells_.get(), r * c, T{});
    const std::size_t keepRows = std::min(r, rows_), keepColumns = std::min(c, columns_);
    for (std::size_t i = 0; i < keepRows; ++i)
      std::copy_n(cells_.get() + i * columns_, keepColumns, next.cells_.get() + i * c);
    swap(next);
  }
  // To rows x columns with every cell unset, for a caller that writes each of them at
  // once (the memory of a large enough grid is reused; a fresh block is not zeroed).
  void resizeForOverwrite(int rows, int columns) {
    const std::size_t r = clampSize(rows), c = clampSize(columns);
    if (r * c > capacity_) {
      Grid next;
      next.allocate(r, c);
      swap(next);
    }
    rows_ = r;
    columns_ = c;
  }
  // Zero from cell `from` (counted row after row) to the end.
  void zeroFrom(std::size_t from) {
    const std::size_t n = rows_ * columns_;
    if (from < n) std::fill(cells_.get() + from, cells_.get() + n, T{});
  }

  bool operator==(const Grid& o) const {
    return rows_ == o.rows_ && columns_ == o.columns_ &&
           std::equal(cells_.get(), cells_.get() + rows_ * columns_, o.cells_.get());
  }

 private:
  static std::size_t clampSize(int n) { return static_cast<std::size_t>(std::max(n, 0)); }
  void allocate(std::size_t r, std::size_t c) {
    cells_ = std::make_unique_for_overwrite<T[]>(r * c);
    capacity_ = r * c;
    rows_ = r;
    columns_ = c;
  }
  void copyFrom(const Grid& o) {
    if (o.rows_ * o.columns_ > capacity_) allocate(o.rows_, o.columns_);
    rows_ = o.rows_;
    columns_ = o.columns_;
    std::copy_n(o.cells_.get(), rows_ * columns_, cells_.get());
  }
  void swap(Grid& o) noexcept {
    std::swap(cells_, o.cells_);
    std::swap(capacity_, o.capacity_);
    std::swap(rows_, o.rows_);
    std::swap(columns_, o.columns_);
  }

  std::unique_ptr<T[]> cells_;
  std::size_t capacity_ = 0;
  std::size_t rows_ = 0;
  std::size_t columns_ = 0;
};

}  // namespace quillane::data
