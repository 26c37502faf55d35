#include "gui/ui/colour_chooser.h"

#include <QColorDialog>

namespace quillane::ui {

namespace {
ColourHook colourHook;
}

void setColourHook(ColourHook hook) { colourHook = std::move(hook); }

std::optional<QColor> chooseColour(const QColor& initial, const QString& title, QWidget* parent) {
  if (colourHook) return colourHook(initial);
  const QColor chosen = QColorDialog::getColor(initial, parent, title);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

}  // namespace quillane::ui
