#include "gui/ui/key_poller.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace quillane::ui {

KeyPoller::KeyPoller(QWidget* window, Post post) : QObject(window), window_(window), post_(std::move(post)) {
  timer_.setInterval(tickMs_);
  connect(&timer_, &QTimer::timeout, this, &KeyPoller::tick);
  ctrlHold_.setSingleShot(true);
  ctrlHold_.setInterval(400);
  connect(&ctrlHold_, &QTimer::timeout, this, &KeyPoller::ctrlHeld);
  qApp->installEventFilter(this);
}

QString KeyPoller::codeFor(int key, Qt::KeyboardModifiers modifiers, bool* repeats) {
  bool keypad = modifiers & Qt::KeypadModifier;
  bool rep = true;
  QString code;
  const bool ctrlOnly = (modifiers & Qt::ControlModifier) && !(modifiers & (Qt::AltModifier | Qt::MetaModifier));
  if (ctrlOnly && (key == Qt::Key_Z || key == Qt::Key_Y)) {
    if (repeats) *repeats = false;
    return key == Qt::Key_Y || (modifiers & Qt::ShiftModifier) ? QStringLiteral("RDO") : QStringLiteral("UDO");
  }
  switch (key) {
    case Qt::Key_Down: code = keypad ? QStringLiteral("X") : QStringLiteral("2"); break;
    case Qt::Key_Left: code = keypad ? QStringLiteral("A") : QStringLiteral("4"); break;
    case Qt::Key_Right: code = keypad ? QStringLiteral("D") : QStringLiteral("6"); break;
    case Qt::Key_Up: code = keypad ? QStringLiteral("W") : QStringLiteral("8"); break;
    case Qt::Key_2: if (keypad) code = QStringLiteral("X"); break;
    case Qt::Key_4: if (keypad) code = QStringLiteral("A"); break;
    case Qt::Key_6: if (keypad) code = QStringLiteral("D"); break;
    case Qt::Key_8: if (keypad) code = QStringLiteral("W"); break;
    case Qt::Key_X: code = QStringLiteral("X"); break;
    case Qt::Key_A: code = QStringLiteral("A"); break;
    case Qt::Key_D: code = QStringLiteral("D"); break;
    case Qt::Key_W: code = QStringLiteral("W"); break;
    case Qt::Key_Control: code = QStringLiteral("4"); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: code = QStringLiteral("1"); rep = false; break;
    case Qt::Key_Escape: code = QStringLiteral("END"); rep = false; break;
    default: break;
  }
  if (repeats) *repeats = rep;
  return code;
}

void KeyPoller::setTickMs(int ms) {
  tickMs_ = std::max(10, ms);
  timer_.setInterval(tickMs_);
}

void KeyPoller::releaseAll() {
  held_.clear();
  ctrlAlone_ = false;
  ctrlHold_.stop();
  timer_.stop();
}

void KeyPoller::endCtrlAlone() {
  if (!ctrlAlone_) return;
  ctrlAlone_ = false;
  ctrlHold_.stop();
  held_.erase(Qt::Key_Control);
  if (held_.empty()) timer_.stop();
}

void KeyPoller::ctrlHeld() {
  if (!ctrlAlone_ || !accepts()) return;
  post_(QStringLiteral("4"));
  held_[Qt::Key_Control] = QStringLiteral("4");
  if (!timer_.isActive()) timer_.start();
}

void KeyPoller::setSuspended(bool suspended) {
  suspended_ = suspended;
  if (suspended) releaseAll();
}

bool KeyPoller::accepts() const {
  // Without a window manager no window may count as active; the key was delivered to
  // this window then, which is as good.
  QWidget* active = QApplication::activeWindow();
  if (suspended_ || !window_->isEnabled() || (active && active != window_)) return false;
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return false;
  QWidget* focus = QApplication::focusWidget();
  if (auto* line = qobject_cast<QLineEdit*>(focus)) return line->isReadOnly();
  if (auto* text = qobject_cast<QTextEdit*>(focus)) return text->isReadOnly();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) return plain->isReadOnly();
  if (qobject_cast<QAbstractSpinBox*>(focus)) return false;
  return true;
}

bool KeyPoller::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate && watched == window_) {
    releaseAll();
    return false;
  }
  // A wheel turned or a button pressed while Ctrl is down: Ctrl was not alone.
  if (ctrlAlone_ && (event->type() == QEvent::Wheel || event->type() == QEvent::MouseButtonPress)) {
    endCtrlAlone();
    return false;
  }
  // A shortcut of another window (or a text box's own) may take the key before its
  // press arrives: Ctrl was not alone either.
  if (ctrlAlone_ && event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->key() != Qt::Key_Control) {
    endCtrlAlone();
    return false;
  }
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  // Key events reach the focus widget first and then travel to its parents: handle each
  // only once, at the window's own level of delivery.
  if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != window_) return false;
  if (QApplication::focusWidget() ? watched != QApplication::focusWidget() : watched != window_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (event->type() == QEvent::KeyRelease) {
    if (key->isAutoRepeat()) return accepts();
    if (key->key() == Qt::Key_Control && ctrlAlone_) {
      // A tap of Ctrl alone scrolls once; a hold has scrolled already.
      const bool tapped = !held_.count(Qt::Key_Control);
      ctrlAlone_ = false;
      ctrlHold_.stop();
      if (tapped && accepts()) post_(QStringLiteral("4"));
    }
    held_.erase(key->key());
    if (held_.empty()) timer_.stop();
    return false;
  }
  if (key->key() != Qt::Key_Control && !key->isAutoRepeat()) endCtrlAlone();
  if (!accepts()) return false;
  bool repeats = false;
  QString code = codeFor(key->key(), key->modifiers(), &repeats);
  if (code.isEmpty()) return false;
  if (key->isAutoRepeat()) return true;  // the timer repeats, at the loop's pace
  const bool history = code == QLatin1String("UDO") || code == QLatin1String("RDO");
  if (key->key() == Qt::Key_Control) {
    // Ctrl scrolls only when no other key or modifier is part of the press; it waits to
    // see whether it stays alone.
    if ((key->modifiers() & ~(Qt::ControlModifier | Qt::KeypadModifier)) || !held_.empty()) return false;
    ctrlAlone_ = true;
    ctrlHold_.start();
    return true;
  }
  if (!history && (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
    return false;  // other shortcuts with modifiers are not commands
  post_(code);
  if (repeats) {
    held_[key->key()] = code;
    if (!timer_.isActive()) timer_.start();
  }
  return true;
}

void KeyPoller::tick() {
  if (held_.empty() || !accepts()) {
    releaseAll();
    return;
  }
  for (const auto& [key, code] : held_) post_(code);
}

}  // namespace quillane::ui
