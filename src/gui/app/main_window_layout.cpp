// The controls of MAINFORM at their places at the window's default size: the map view
// at (8, 8) with VSCROLL1 and HSCROLL1, the palette at (528, 8) with HSCROLL2 and
// VSCROLL2 and the bank buttons, the status fields, the map commands at the right, the
// modes along the bottom. A larger window gives the map view the room
// (main_window_view.cpp).
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "core/map/palette.h"
#include "gui/app/main_window.h"
#include "gui/map/map_ruler.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"
#include "gui/ui/message_panel.h"

namespace quillane::app {

namespace {
constexpr int kBar = 17;
constexpr int kRowH = 28;
}  // namespace

QPushButton* MainWindow::addButton(const QString& name, const QString& caption, const QString& command,
                                   QRect geometry) {
  auto* b = new QPushButton(caption, this);
  b->setObjectName(name);
  b->setGeometry(geometry);
  // Buttons never take the keyboard: Space and Enter are commands of the window.
  b->setFocusPolicy(Qt::NoFocus);
  buttons_[name] = b;
  commandOf_[name] = command;
  connect(b, &QPushButton::clicked, this, [this, command] { post(command); });
  return b;
}

QLineEdit* MainWindow::addField(const QString& name, QRect geometry, const QString& label, int labelWidth) {
  if (!label.isEmpty()) {
    auto* l = new QLabel(label, this);
    l->setGeometry(geometry.x() - labelWidth, geometry.y(), labelWidth - 4, geometry.height());
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  auto* e = new QLineEdit(this);
  e->setObjectName(name);
  e->setGeometry(geometry);
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::NoFocus);
  fields_[name] = e;
  return e;
}

void MainWindow::buildControls() {
  view_ = new gui::MapView(canvas_, this);
  view_->move(8, 8);
  vscroll1_ = new QScrollBar(Qt::Vertical, this);
  vscroll1_->setObjectName(QStringLiteral("VSCROLL1"));
  vscroll1_->setGeometry(488, 8, kBar, 480);
  hscroll1_ = new QScrollBar(Qt::Horizontal, this);
  hscroll1_->setObjectName(QStringLiteral("HSCROLL1"));
  hscroll1_->setGeometry(8, 488, 480, kBar);

  panel_ = new ui::MessagePanel(this);
  panel_->setGeometry(8, 8, 480, 480);
  panel_->hide();
  // The ruler in the margins beyond the scroll bars, outside the view.
  rulerH_ = new gui::MapRuler(Qt::Horizontal, *view_, panel_, this);
  rulerH_->setGeometry(8, 488 + kBar, 480, 520 - 488 - kBar);
  rulerV_ = new gui::MapRuler(Qt::Vertical, *view_, panel_, this);
  rulerV_->setGeometry(488 + kBar, 8, 528 - 488 - kBar, 480);

  palette_ = new gui::PaletteView(this);
  palette_->move(528, 8);
  hscroll2_ = new QScrollBar(Qt::Horizontal, this);
  hscroll2_->setObjectName(QStringLiteral("HSCROLL2"));
  hscroll2_->setGeometry(528, 296, 192, kBar);
  hscroll2_->setRange(0, map::kPaletteMaxScrollCol);
  vscroll2_ = new QScrollBar(Qt::Vertical, this);
  vscroll2_->setObjectName(QStringLiteral("VSCROLL2"));
  vscroll2_->setGeometry(720, 8, kBar, 288);
  vscroll2_->setRange(0, map::kPaletteMaxScrollRow);
  for (QScrollBar* bar : {vscroll1_, hscroll1_, hscroll2_, vscroll2_}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setPageStep(1);
  }

  // Bank of the split map-chip form.
  addButton(QStringLiteral("BUTTON129"), QStringLiteral("≪"), QStringLiteral("MTD"), QRect(528, 322, 44, 26));
  addField(QStringLiteral("EDIT158"), QRect(576, 322, 100, 26))->setAlignment(Qt::AlignCenter);
  addButton(QStringLiteral("BUTTON130"), QStringLiteral("≫"), QStringLiteral("MTU"), QRect(680, 322, 44, 26));

  // Status fields.
  addField(QStringLiteral("EDIT8"), QRect(600, 360, 56, 24), QStringLiteral("マップNo."), 72);
  addField(QStringLiteral("EDIT19"), QRect(600, 388, 137, 24), QStringLiteral("マップ名"), 72);
  addField(QStringLiteral("EDIT4"), QRect(600, 416, 44, 24), QStringLiteral("横"), 72);
  addField(QStringLiteral("EDIT7"), QRect(693, 416, 44, 24), QStringLiteral("縦"), 26);
  addField(QStringLiteral("EDIT16"), QRect(600, 444, 44, 24), QStringLiteral("Ｘ"), 72);
  addField(QStringLiteral("EDIT17"), QRect(693, 444, 44, 24), QStringLiteral("Ｙ"), 26);
  addField(QStringLiteral("EDIT9"), QRect(600, 472, 137, 24), QStringLiteral("モード"), 72);

  // Map commands, two columns at the right.
  const int x1 = 752, x2 = 872, w = 114;
  int y = 8;
  auto pair = [&](const char* n1, const char* c1, const char* k1, const char* n2, const char* c2, const char* k2) {
    addButton(QString::fromUtf8(n1), QString::fromUtf8(c1), QString::fromUtf8(k1), QRect(x1, y, w, kRowH));
    if (n2) addButton(QString::fromUtf8(n2), QString::fromUtf8(c2), QString::fromUtf8(k2), QRect(x2, y, w, kRowH));
    y += kRowH + 4;
  };
  pair("BUTTON5", "編集", "1", "BUTTON85", "変更", "HEN");
  pair("BUTTON168", "▲", "BKM", "BUTTON169", "▼", "NXM");
  pair("BUTTON89", "保存", "SAV", "BUTTON88", "削除", "DEL");
  y += 6;
  pair("BUTTON86", "複写", "COP", "BUTTON87", "四角", "FUL");
  pair("BUTTON102", "塗潰", "PNT", "BUTTON92", "取消", "UND");
  addField(QStringLiteral("EDIT201"), QRect(x1, y, w, 24))->setAlignment(Qt::AlignCenter);
  // The edit history: undo and redo, the step's name in the tool tip.
  addButton(QStringLiteral("BUTTON_UDO"), QStringLiteral("戻す"), QStringLiteral("UDO"), QRect(x2, y, 48, 24));
  addButton(QStringLiteral("BUTTON_RDO"), QStringLiteral("やり直し"), QStringLiteral("RDO"), QRect(x2 + 52, y, w - 52, 24));
  y += 24 + 10;
  pair("BUTTON109", "線", "GLD", "BUTTON120", "目", "MJP");
  pair("BUTTON90", "表示", "PRT", "BUTTON91", "全画面", "ALL");
  addButton(QStringLiteral("BUTTON110"), QStringLiteral("速"), QStringLiteral("SPD"), QRect(x1, y, w, kRowH));
  addField(QStringLiteral("EDIT152"), QRect(x2, y + 2, 48, 24))->setAlignment(Qt::AlignCenter);
  y += kRowH + 10;
  auto* zoomLabel = new QLabel(QStringLiteral("画面縮小率"), this);
  zoomLabel->setGeometry(x1, y, 2 * w + 6, 20);
  zoomLabel->setAlignment(Qt::AlignCenter);
  y += 22;
  addButton(QStringLiteral("BUTTON119"), QStringLiteral("≪縮小"), QStringLiteral("KSU"), QRect(x1, y, 80, kRowH));
  addField(QStringLiteral("EDIT157"), QRect(x1 + 84, y + 2, 66, 24))->setAlignment(Qt::AlignCenter);
  addButton(QStringLiteral("BUTTON118"), QStringLiteral("拡大≫"), QStringLiteral("KSD"),
            QRect(x1 + 154, y, 80, kRowH));
  y += kRowH + 16;
  addButton(QStringLiteral("BUTTON93"), QStringLiteral("終了"), QStringLiteral("END"), QRect(x1, y, 2 * w + 6, 34));
  y += 34 + 14;
  // The code of the cell under the pointer (with its bank under the split map-chip form).
  addField(QStringLiteral("EDIT_CODE"), QRect(x1 + 60, y, 2 * w + 6 - 60, 24), QStringLiteral("コード"), 60);

  // Modes along the bottom, two rows.
  struct Entry {
    const char* name;
    const char* caption;
    const char* command;
  };
  const Entry row1[] = {{"BUTTON75", "地上マップ", "MPM"},  {"BUTTON111", "上空マップ", "MPU"},
                        {"BUTTON76", "イベント", "EVM"},    {"BUTTON_EVS", "イベント選択", "EVS"},
                        {"BUTTON72", "フラグ", "FGM"},      {"BUTTON78", "オープニング", "OPM"},
                        {"BUTTON79", "エンディング", "EDM"}, {"BUTTON103", "インポート", "INP"},
                        {"BUTTON112", "デバッグ", "DBG"}};
  const Entry row2[] = {{"BUTTON71", "プレイヤー", "PLM"}, {"BUTTON73", "敵", "ENM"},
                        {"BUTTON74", "道具", "ITM"},       {"BUTTON77", "魔法", "MGM"},
                        {"BUTTON83", "属性", "ZKM"},       {"BUTTON84", "メッセージ", "MSM"},
                        {"BUTTON131", "オブジェクト", "OBJ"}, {"BUTTON80", "最大値", "MXM"},
                        {"BUTTON81", "初期値", "INM"},     {"BUTTON82", "攻撃受率", "EAM"}};
  const int bw = 95, bh = 30, top = 520;
  int x = 8;
  for (const Entry& e : row1) {
    addButton(QString::fromUtf8(e.name), QString::fromUtf8(e.caption), QString::fromUtf8(e.command),
              QRect(x, top, bw, bh));
    x += bw + 3;
  }
  x = 8;
  for (const Entry& e : row2) {
    addButton(QString::fromUtf8(e.name), QString::fromUtf8(e.caption), QString::fromUtf8(e.command),
              QRect(x, top + bh + 4, bw, bh));
    x += bw + 3;
  }
  defaultSize_ = QSize(994, top + 2 * bh + 4 + 10);
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    defaultGeometry_.emplace_back(child, child->geometry());
  setMinimumSize(defaultSize_);
  resize(defaultSize_);
}

}  // namespace quillane::app
