#include "gui/ui/message_panel.h"

#include <QApplication>

#include "gui/ui/fonts.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace quillane::ui {

namespace {
ChooserHook chooserHook;
constexpr int kMargin = 6;

// Half-width columns of one character: full-width forms take two.
int columnsOf(QChar c) {
  ushort u = c.unicode();
  if (u < 0x0100) return 1;
  if (u >= 0xFF61 && u <= 0xFF9F) return 1;  // half-width katakana
  return 2;
}
}  // namespace

void setChooserHook(ChooserHook hook) { chooserHook = std::move(hook); }

MessagePanel::MessagePanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("MESSAGEPANEL"));
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  // The rows are built from byte-width fields: a fixed-pitch font keeps them aligned.
  QFont font = fixedPitchFont();
  font.setPixelSize(13);
  setFont(font);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(250, 250, 246));
  setPalette(pal);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void MessagePanel::clearLines() {
  lines_.clear();
  update();
}

void MessagePanel::addLine(const QString& line) {
  lines_.push_back(line);
  update();
}

int MessagePanel::lineHeight() const { return QFontMetrics(font()).height() + 2; }

int MessagePanel::columns() const {
  int half = std::max(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('0')));
  return std::max(4, (width() - 2 * kMargin) / half);
}

QString MessagePanel::itemLine(const QString& item) const {
  QString out = QStringLiteral("  ");
  int used = 2;
  int limit = columns();
  for (QChar c : item) {
    int w = columnsOf(c);
    if (used + w > limit) break;
    out += c;
    used += w;
  }
  return out;
}

int MessagePanel::pageCount() const {
  int per = std::max(1, request_.linesPerPage);
  return std::max(1, (static_cast<int>(request_.items.size()) + per - 1) / per);
}

int MessagePanel::firstItemLine() const { return static_cast<int>(lines_.size()); }
int MessagePanel::footerLine() const { return firstItemLine() + request_.linesPerPage; }

int MessagePanel::itemAt(const QPoint& p) const {
  if (!listShown_) return -1;
  int line = (p.y() - kMargin) / lineHeight();
  if (p.y() < kMargin || line < firstItemLine() || line >= footerLine()) return -1;
  int index = page_ * request_.linesPerPage + (line - firstItemLine());
  return index < request_.items.size() ? index : -1;
}

int MessagePanel::choose(const ChooserRequest& request) {
  if (chooserHook) return chooserHook(request);
  request_ = request;
  request_.linesPerPage = std::max(1, request.linesPerPage);
  lines_ = request.prompts;
  current_ = std::clamp(request.preselect - 1, 0, std::max(0, static_cast<int>(request.items.size()) - 1));
  page_ = current_ / request_.linesPerPage;
  listShown_ = true;
  result_ = 0;
  show();
  raise();
  // The list takes the keyboard: after a dialog closed, its window may not have it back.
  window()->activateWindow();
  setFocus(Qt::OtherFocusReason);
  update();
  qApp->installEventFilter(this);
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
  qApp->removeEventFilter(this);
  listShown_ = false;
  update();
  return result_;
}

void MessagePanel::finish(int result) {
  result_ = result;
  if (loop_) loop_->quit();
}

void MessagePanel::cancel() { finish(0); }

void MessagePanel::accept() {
  if (current_ >= 0 && current_ < request_.items.size()) finish(current_ + 1);
}

void MessagePanel::turnPage(int delta) {
  int pages = pageCount();
  int next = std::clamp(page_ + delta, 0, pages - 1);
  if (next == page_) return;
  page_ = next;
  current_ = std::min(static_cast<int>(request_.items.size()) - 1, page_ * request_.linesPerPage);
  update();
}

void MessagePanel::moveHighlight(int delta) {
  if (request_.items.isEmpty()) return;
  current_ = std::clamp(current_ + delta, 0, static_cast<int>(request_.items.size()) - 1);
  page_ = current_ / request_.linesPerPage;
  update();
}

void MessagePanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter p(this);
  p.setFont(font());
  QFontMetrics fm(font());
  int h = lineHeight();
  auto baseline = [&](int line) { return kMargin + line * h + fm.ascent() + 1; };
  p.setPen(palette().color(QPalette::WindowText));
  for (int i = 0; i < lines_.size(); ++i) p.drawText(kMargin, baseline(i), lines_[i]);
  if (!listShown_) return;
  int first = page_ * request_.linesPerPage;
  for (int i = 0; i < request_.linesPerPage && first + i < request_.items.size(); ++i) {
    int line = firstItemLine() + i;
    QRect row(kMargin, kMargin + line * h, width() - 2 * kMargin, h);
    if (first + i == current_) {
      p.fillRect(row, palette().color(QPalette::Highlight));
      p.setPen(palette().color(QPalette::HighlightedText));
    } else {
      p.setPen(palette().color(QPalette::WindowText));
    }
    p.drawText(kMargin, baseline(line), itemLine(request_.items[first + i]));
  }
  if (pageCount() > 1) {
    p.setPen(palette().color(QPalette::Mid).darker(150));
    QString footer = QStringLiteral("%1 / %2  (PageUp / PageDown)").arg(page_ + 1).arg(pageCount());
    p.drawText(QRect(kMargin, kMargin + footerLine() * h, width() - 2 * kMargin, h),
               Qt::AlignRight | Qt::AlignVCenter, footer);
  }
}

void MessagePanel::mousePressEvent(QMouseEvent* event) {
  if (!listShown_) return;
  if (event->button() == Qt::RightButton) {
    finish(0);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  int index = itemAt(event->position().toPoint());
  if (index >= 0) {
    current_ = index;
    accept();
    return;
  }
  // A click on the page line turns the page: left half back, right half forward.
  int line = (static_cast<int>(event->position().y()) - kMargin) / lineHeight();
  if (line == footerLine() && pageCount() > 1) turnPage(event->position().x() < width() / 2 ? -1 : 1);
}

void MessagePanel::mouseMoveEvent(QMouseEvent* event) {
  int index = itemAt(event->position().toPoint());
  if (index >= 0 && index != current_) {
    current_ = index;
    update();
  }
}

void MessagePanel::wheelEvent(QWheelEvent* event) {
  if (!listShown_) return;
  turnPage(event->angleDelta().y() > 0 ? -1 : 1);
}

void MessagePanel::keyPressEvent(QKeyEvent* event) {
  if (!listShown_ || !chooserKey(event->key())) QFrame::keyPressEvent(event);
}

bool MessagePanel::chooserKey(int key) {
  switch (key) {
    case Qt::Key_Up: moveHighlight(-1); break;
    case Qt::Key_Down: moveHighlight(1); break;
    case Qt::Key_PageUp: turnPage(-1); break;
    case Qt::Key_PageDown: turnPage(1); break;
    case Qt::Key_Home: moveHighlight(-static_cast<int>(request_.items.size())); break;
    case Qt::Key_End: moveHighlight(static_cast<int>(request_.items.size())); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: accept(); break;
    case Qt::Key_Escape: finish(0); break;  // as a right click
    default: return false;
  }
  return true;
}

bool MessagePanel::eventFilter(QObject* watched, QEvent* event) {
  // While the list is shown its keys act wherever the window's focus is: after a dialog
  // the window gets its focus back on the control that had it before, not on the list.
  if (listShown_ && event->type() == QEvent::KeyPress && watched != this && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == window() && chooserKey(static_cast<QKeyEvent*>(event)->key()))
    return true;
  return QFrame::eventFilter(watched, event);
}

}  // namespace quillane::ui
