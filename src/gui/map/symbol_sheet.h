#pragma once
// The editor's own symbol bitmap (SYMBOL.BMP in the program folder, else the installed
// assets; layout in core/media/symbol_layout.h): the dimming pair of sky map mode and
// the passability display, the two passability marks and the start marker. When the
// file is missing, equivalent patterns are drawn here.
#include <QImage>
#include <filesystem>

namespace quillane::gui {

enum class Symbol { Dim, StartMarker, Impassable, EventImpassable };

class SymbolSheet {
 public:
  SymbolSheet();  // the drawn patterns
  // Loads SYMBOL.BMP; keeps the drawn patterns when it is missing or too small.
  void load(const std::filesystem::path& programDir);
  // Applies a pattern to the 32 × 32 square at (x, y) of `target`: Dim multiplies by the
  // dimming pattern and adds the haze; the marks are drawn with magenta left out.
  void apply(QImage& target, int x, int y, Symbol symbol) const;
  const QImage& image() const { return sheet_; }

 private:
  void makeMarks();
  QImage sheet_;
  QImage marks_[3];  // blocked, event-blocked, start: ARGB with magenta transparent
};

}  // namespace quillane::gui
