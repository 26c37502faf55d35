#include "gui/ui/elided_label.h"

#include <QResizeEvent>

namespace quillane::ui {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  // Its room is kept while it is empty, so nothing below it moves.
  setMinimumHeight(fontMetrics().height() + 4);
}

void ElidedLabel::setFullText(const QString& text) {
  full_ = text;
  elide();
}

QSize ElidedLabel::minimumSizeHint() const { return {0, fontMetrics().height() + 4}; }

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  elide();
}

void ElidedLabel::elide() {
  const int room = contentsRect().width() - 2 * margin() - 2;
  const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, std::max(room, 0));
  setText(shown);
  setToolTip(shown == full_ ? QString() : full_);
}

}  // namespace quillane::ui
