#include "gui/editors/attack_rate_screen.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "gui/app/main_window.h"
#include "gui/app/mode_registry.h"
#include "gui/app/workspace.h"
#include "gui/ui/fonts.h"

namespace quillane::gui {

namespace {

constexpr int kMenuColumn = 12, kMenuRow = 12, kMenuWidth = 7, kMenuHeight = 4;
constexpr int kChartColumn = 1, kChartRow = 12, kChartWidth = 28, kChartHeight = 14;
const QColor kFrame(40, 40, 60);
const QColor kBack(250, 250, 244);
const QColor kHighlight(60, 90, 170);
const QColor kShares[2] = {QColor(120, 160, 220), QColor(240, 190, 110)};

QFont screenFont(int pixels) {
  QFont font = ui::fixedPitchFont();
  font.setPixelSize(pixels);
  return font;
}

}  // namespace

PresetMenu::PresetMenu(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("EAMMENU"));
  setFixedSize(kMenuWidth * kScreenCell, kMenuHeight * kScreenCell);
  setMouseTracking(true);
}

QRect PresetMenu::entryRect(int entry) {
  // Two rows of 1.5 cells inside a half-cell margin.
  const int height = kScreenCell + kScreenCell / 2;
  return QRect(kScreenCell / 2, kScreenCell / 2 + entry * height, (kMenuWidth - 1) * kScreenCell, height);
}

std::optional<editors::AttackPreset> PresetMenu::run() {
  QEventLoop loop;
  loop_ = &loop;
  qApp->installEventFilter(this);
  show();
  raise();
  loop.exec();
  qApp->removeEventFilter(this);
  loop_ = nullptr;
  hide();
  return choice_;
}

void PresetMenu::cancel() { finish(std::nullopt); }

void PresetMenu::finish(std::optional<editors::AttackPreset> choice) {
  choice_ = choice;
  if (loop_) loop_->quit();
}

void PresetMenu::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kBack);
  p.setPen(QPen(kFrame, 2));
  p.drawRect(rect().adjusted(1, 1, -1, -1));
  p.setFont(screenFont(14));
  const char* captions[2] = {"　等　　率", "　比　　率"};
  for (int e = 0; e < 2; ++e) {
    const QRect r = entryRect(e);
    if (e == highlighted_) p.fillRect(r, kHighlight);
    p.setPen(e == highlighted_ ? Qt::white : Qt::black);
    p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, QString::fromUtf8(captions[e]));
  }
}

void PresetMenu::mouseMoveEvent(QMouseEvent* event) {
  int over = -1;
  for (int e = 0; e < 2; ++e)
    if (entryRect(e).contains(event->position().toPoint())) over = e;
  if (over != highlighted_) {
    highlighted_ = over;
    update();
  }
}

void PresetMenu::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return finish(std::nullopt);
  for (int e = 0; e < 2; ++e)
    if (entryRect(e).contains(event->position().toPoint()))
      return finish(e == 0 ? editors::AttackPreset::EqualRate : editors::AttackPreset::Ratio);
  finish(std::nullopt);
}

void PresetMenu::leaveEvent(QEvent*) {
  highlighted_ = -1;
  update();
}

bool PresetMenu::eventFilter(QObject* watched, QEvent* event) {
  // Escape, or a press anywhere else in the window, chooses nothing.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    finish(std::nullopt);
    return true;
  }
  if (event->type() == QEvent::MouseButtonPress && watched != this && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == window()) {
    finish(std::nullopt);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

AttackRateChart::AttackRateChart(const std::vector<std::vector<float>>& rows, int partySizes, QWidget* parent)
    : QWidget(parent) {
  setObjectName(QStringLiteral("EAMCHART"));
  const int width = kChartWidth * kScreenCell, height = kChartHeight * kScreenCell;
  setFixedSize(width, height);
  image_ = QImage(width, height, QImage::Format_RGB32);
  image_.fill(kBack);
  QPainter p(&image_);
  p.setPen(QPen(kFrame, 2));
  p.drawRect(1, 1, width - 2, height - 2);

  // Plot area: the axis label and the party sizes at the left, the percentages below.
  const int left = 3 * kScreenCell, right = width - 2 * kScreenCell;
  const int top = kScreenCell / 2, bottom = height - 2 * kScreenCell;
  const int n = std::max(partySizes, 1);
  const double rowHeight = double(bottom - top) / n;
  auto xOf = [&](double percent) { return left + (right - left) * percent / 100.0; };

  p.setPen(Qt::black);
  p.setFont(screenFont(12));
  // "人　　数" written downwards beside the rows.
  const QString axis = QStringLiteral("人　　数");
  for (int k = 0; k < axis.size(); ++k)
    p.drawText(QRect(4, top + (bottom - top) / 2 - 2 * kScreenCell + k * kScreenCell, kScreenCell, kScreenCell),
               Qt::AlignCenter, axis.mid(k, 1));
  p.drawLine(left, top, left, bottom);
  p.drawLine(left, bottom, right, bottom);
  for (int percent = 0; percent <= 100; percent += 10) {
    const int x = static_cast<int>(xOf(percent));
    p.drawLine(x, bottom, x, bottom + 4);
    if (percent % 50 == 0) {
      const QString label = percent == 100 ? QStringLiteral("100 ") : QString::number(percent);
      p.drawText(QRect(x - 20, bottom + 5, 40, 14), Qt::AlignHCenter | Qt::AlignTop, label);
    }
  }

  const QFont labelFont = screenFont(rowHeight >= 28 ? 11 : 8);
  for (int i = 0; i < n && i < static_cast<int>(rows.size()); ++i) {
    const QRectF band(left, top + i * rowHeight + 1, right - left, rowHeight - 2);
    p.setFont(screenFont(std::min(12, static_cast<int>(rowHeight) - 2)));
    p.setPen(Qt::black);
    p.drawText(QRectF(2 * kScreenCell - 6, band.top(), kScreenCell, band.height()), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(i + 1));
    double from = 0;
    for (int j = 0; j <= i && j < static_cast<int>(rows[static_cast<std::size_t>(i)].size()); ++j) {
      const double to = std::clamp(static_cast<double>(rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]), from, 100.0);
      const QRectF share(xOf(from), band.top(), xOf(to) - xOf(from), band.height());
      p.fillRect(share, kShares[j % 2]);
      p.setPen(kFrame);
      p.drawRect(share);
      // The member number and the cumulative percentage, where the share is wide enough.
      p.setFont(labelFont);
      p.setPen(Qt::black);
      const QString label = rowHeight >= 28 ? QStringLiteral("%1\n%2").arg(j + 1).arg(to)
                                            : QStringLiteral("%1:%2").arg(j + 1).arg(to);
      const QRect needed = p.fontMetrics().boundingRect(share.toRect(), Qt::AlignCenter, label);
      if (needed.width() <= share.width() && needed.height() <= share.height() + 2)
        p.drawText(share, Qt::AlignCenter, label);
      from = to;
    }
  }
}

void AttackRateChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

void runAttackRateMode(app::ModeContext& c) {
  auto* menu = new PresetMenu;
  c.window.showScreen(menu, QPoint(kMenuColumn * kScreenCell, kMenuRow * kScreenCell));
  QObject::connect(&c.window, &app::MainWindow::ended, menu, &PresetMenu::cancel);
  const std::optional<editors::AttackPreset> preset = menu->run();
  if (!preset || c.window.ending()) {
    delete menu;
    return;
  }
  data::ProjectDatabase& db = c.workspace.db;
  const auto before = db.attackRates.rows;
  editors::applyPreset(db, *preset);
  if (db.attackRates.rows != before) c.workspace.databaseModified = true;
  c.window.showScreen(new AttackRateChart(db.attackRates.rows, editors::presetRows(db.max)),
                      QPoint(kChartColumn * kScreenCell, kChartRow * kScreenCell));
}

void registerAttackRateMode(app::ModeRegistry& registry) { registry.dialogMode(12, runAttackRateMode); }

}  // namespace quillane::gui
