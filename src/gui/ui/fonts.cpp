#include "gui/ui/fonts.h"

namespace quillane::ui {

QFont fixedPitchFont() {
  QFont font(QStringLiteral("IPAGothic"));
  font.setStyleHint(QFont::Monospace);
  return font;
}

}  // namespace quillane::ui
