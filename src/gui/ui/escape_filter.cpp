#include "gui/ui/escape_filter.h"

#include <QApplication>
#include <QKeyEvent>

namespace quillane::ui {

EscapeFilter::EscapeFilter(QEventLoop& loop) : loop_(loop) { qApp->installEventFilter(this); }

EscapeFilter::~EscapeFilter() { qApp->removeEventFilter(this); }

bool EscapeFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    loop_.quit();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quillane::ui
