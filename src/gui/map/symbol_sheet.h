#pragma once
// The editor's own symbol bitmap (SYMBOL.BMP in the program folder or the installed
// assets): 32 × 32 patterns applied with raster operations, each pair an AND pattern
// followed by an OR pattern, left to right from x = 0:
//   0 dim (sky map mode), 1 start marker, 2 "不可" mark, 3 "イベ不" mark.
// Pattern pair i sits at x = 64 i (AND) and 64 i + 32 (OR). When the file is missing or
// too small, equivalent patterns are drawn here.
#include <QImage>
#include <filesystem>

class QPainter;

namespace quillane::gui {

enum class Symbol { Dim = 0, StartMarker = 1, Impassable = 2, EventImpassable = 3 };

class SymbolSheet {
 public:
  SymbolSheet();  // the drawn patterns
  // Loads SYMBOL.BMP; keeps the drawn patterns when it is missing or too small.
  void load(const std::filesystem::path& programDir);
  // Applies a pattern pair to the 32 × 32 square at (x, y) of `target`:
  // target = (target AND and) OR or.
  void apply(QImage& target, int x, int y, Symbol symbol) const;
  const QImage& image() const { return sheet_; }

 private:
  QImage sheet_;
};

}  // namespace quillane::gui
