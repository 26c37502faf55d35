// The controls of the player dialog and their places. The face square, the growth graph
// and the character frames sit at fixed logical positions; the rest is placed around them.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/editors/growth.h"
#include "core/editors/level_table_rows.h"
#include "gui/editors/growth_graph.h"
#include "gui/editors/player_dialog.h"
#include "gui/editors/player_pictures.h"
#include "gui/ui/fonts.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

constexpr int kRow = 26;    // distance of two rows of boxes
constexpr int kBoxH = 23;
constexpr int kTableTop = 572;
constexpr int kDialogWidth = 1000;

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

QLineEdit* PlayerDialog::addEdit(const char* name, QRect geometry) {
  auto* box = new QLineEdit(this);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(geometry);
  return box;
}

QComboBox* PlayerDialog::addCombo(const char* name, QRect geometry) {
  auto* box = new QComboBox(this);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(geometry);
  box->setMaxVisibleItems(20);
  return box;
}

QListWidget* PlayerDialog::addList(const char* name, QRect geometry) {
  auto* list = new QListWidget(this);
  list->setObjectName(QString::fromLatin1(name));
  list->setGeometry(geometry);
  return list;
}

QPushButton* PlayerDialog::addButton(const char* name, const QString& caption, QRect geometry, int code) {
  auto* b = new QPushButton(caption, this);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(geometry);
  b->setAutoDefault(false);
  bindButton(b, code);
  return b;
}

QLabel* PlayerDialog::addLabel(const QString& caption, QRect geometry) {
  auto* label = new QLabel(caption, this);
  label->setGeometry(geometry);
  return label;
}

void PlayerDialog::build() {
  buildFields();
  buildLists();
  buildGrowth();
  // Bottom row.
  const int y = kTableTop + 248;
  addButton("BUTTON_PREV", u("▲"), QRect(8, y, 50, 28), kPrevious);
  addButton("BUTTON_NEXT", u("▼"), QRect(62, y, 50, 28), kNext);
  auto* ok = addButton("BUTTON_OK", u("OK"), QRect(kDialogWidth - 200, y, 90, 28), kOk);
  ok->setDefault(true);
  addButton("BUTTON_CANCEL", u("ｷｬﾝｾﾙ"), QRect(kDialogWidth - 100, y, 90, 28), kCancel);
  setFixedSize(kDialogWidth, y + 38);
}

void PlayerDialog::buildFields() {
  face_ = new CachedPicture(QStringLiteral("PICTURE_FACE"), QSize(120, 120), this);
  face_->move(5, 5);
  addLabel(u("顔グラフィック番号"), QRect(5, 130, 125, kBoxH));
  faceBox_ = addEdit("EDIT_FACE", QRect(5, 154, 60, kBoxH));
  addButton("BUTTON_FACE", u("表示"), QRect(70, 153, 55, kBoxH + 2), kShowFace);

  // The record's numbers, one row each beside the face.
  struct Row {
    const char* caption;
    const char* name;
  };
  const Row rows[] = {{"No.", "EDIT_NO"},           {"名前", "EDIT_NAME"},          {"体力", "EDIT_HP"},
                      {"魔力", "EDIT_MP"},          {"攻撃力", "EDIT_ATTACK"},      {"防御力", "EDIT_DEFENCE"},
                      {"速さ", "EDIT_SPEED"},       {"レベル", "EDIT_LEVEL"},       {"経験値", "EDIT_EXPERIENCE"},
                      {"次レベル経験値", "EDIT_NEXT"}, {"魔法防御力", "EDIT_MDEFENCE"}, {"攻撃命中率", "EDIT_HIT"},
                      {"クリティカル率", "EDIT_CRITICAL"}};
  int y = 5;
  for (const Row& r : rows) {
    addLabel(u(r.caption), QRect(140, y, 105, kBoxH));
    const bool wide = std::string(r.name) == "EDIT_NAME";
    addEdit(r.name, QRect(250, y, wide ? 150 : 70, kBoxH));
    y += kRow;
  }
  control<QLineEdit>(QStringLiteral("EDIT_NO"))->setReadOnly(true);
  // Maximum HP and MP after "／".
  addLabel(u("／"), QRect(324, 5 + 2 * kRow, 14, kBoxH));
  addEdit("EDIT_MAXHP", QRect(338, 5 + 2 * kRow, 62, kBoxH));
  addLabel(u("／"), QRect(324, 5 + 3 * kRow, 14, kBoxH));
  addEdit("EDIT_MAXMP", QRect(338, 5 + 3 * kRow, 62, kBoxH));

  // Attribute, ailments, hide flag, cursor.
  const int x = 415;
  addLabel(u("属性"), QRect(x, 5, 40, kBoxH));
  attributeBox_ = addCombo("COMBO_ATTRIBUTE", QRect(x + 45, 5, 160, kBoxH));
  const char* const ailments[] = {"眠り", "狂い", "呪い", "毒", "麻痺", "石化", "沈黙", "暗闇"};
  for (int k = 0; k < 8; ++k) {
    const int cx = x + (k % 4) * 53;
    const int cy = 5 + kRow + (k / 4) * 2 * kRow;
    addLabel(u(ailments[k]), QRect(cx, cy, 50, kBoxH));
    addEdit(QStringLiteral("EDIT_AILMENT%1").arg(k).toLatin1().constData(), QRect(cx, cy + 22, 48, kBoxH));
  }
  auto* hide = new QCheckBox(u("属性非表示"), this);
  hide->setObjectName(QStringLiteral("CHECK_HIDE"));
  hide->setGeometry(x, 5 + 5 * kRow, 200, kBoxH);
  addLabel(u("カーソルファイル名"), QRect(x, 5 + 6 * kRow, 200, kBoxH));
  cursorBox_ = addCombo("COMBO_CURSOR", QRect(x, 5 + 7 * kRow, 205, kBoxH));
  cursorBox_->setEditable(true);
  cursorBox_->setInsertPolicy(QComboBox::NoInsert);

  // Equipment.
  addLabel(u("初期装備"), QRect(x, 5 + 8 * kRow + 4, 200, kBoxH));
  const char* const parts[] = {"武具", "鎧", "盾", "兜", "他"};
  for (int k = 0; k < 5; ++k) {
    const int cy = 5 + (9 + k) * kRow;
    addLabel(u(parts[k]), QRect(x, cy, 40, kBoxH));
    equipBoxes_[static_cast<std::size_t>(k)] =
        addCombo(QStringLiteral("COMBO_EQUIP%1").arg(k).toLatin1().constData(), QRect(x + 45, cy, 160, kBoxH));
    QComboBox* box = equipBoxes_[static_cast<std::size_t>(k)];
    connect(box, &QComboBox::activated, this, [this, k] {
      equipChanged_[static_cast<std::size_t>(k)] = true;
      post(kEquipChanged);
    });
  }
}

void PlayerDialog::buildLists() {
  const int x = 640;
  // Battle menu: catalogue, buttons, menu.
  addLabel(u("戦闘時メニュー"), QRect(x, 5, 150, 20));
  commandCatalogue_ = addList("LIST_COMMANDS", QRect(x, 27, 90, 140));
  addButton("BUTTON_MENU_INSERT", u("≫"), QRect(x + 95, 27, 34, 24), kMenuInsert);
  addButton("BUTTON_MENU_REMOVE", u("≪"), QRect(x + 95, 55, 34, 24), kMenuRemove);
  addButton("BUTTON_MENU_UP", u("▲"), QRect(x + 95, 83, 34, 24), kMenuUp);
  addButton("BUTTON_MENU_DOWN", u("▼"), QRect(x + 95, 111, 34, 24), kMenuDown);
  menuList_ = addList("LIST_MENU", QRect(x + 134, 27, 100, 140));
  menuLength_ = addLabel(QString(), QRect(x + 240, 27, 110, 20));

  addLabel(u("初期所持道具・武具"), QRect(x, 172, 200, 20));
  itemCatalogue_ = addList("LIST_ITEMS", QRect(x, 194, 155, 72));
  addButton("BUTTON_ITEM_ADD", u("≫"), QRect(x + 160, 198, 34, 24), kAddItem);
  addButton("BUTTON_ITEM_REMOVE", u("≪"), QRect(x + 160, 230, 34, 24), kRemoveItem);
  heldItems_ = addList("LIST_HELD_ITEMS", QRect(x + 199, 194, 151, 72));

  addLabel(u("初期所持魔法"), QRect(x, 270, 200, 20));
  magicCatalogue_ = addList("LIST_MAGIC", QRect(x, 292, 155, 56));
  addButton("BUTTON_MAGIC_ADD", u("≫"), QRect(x + 160, 292, 34, 24), kAddMagic);
  addButton("BUTTON_MAGIC_REMOVE", u("≪"), QRect(x + 160, 320, 34, 24), kRemoveMagic);
  heldMagic_ = addList("LIST_HELD_MAGIC", QRect(x + 199, 292, 151, 56));
}

void PlayerDialog::buildGrowth() {
  // Left: the growth editor around the graph at (8, 457).
  addLabel(u("項目"), QRect(8, 362, 40, kBoxH));
  statBox_ = addCombo("COMBO_STAT", QRect(50, 362, 110, kBoxH));
  for (const char* caption : editors::kStatCaptions) statBox_->addItem(u(caption));
  connect(statBox_, &QComboBox::activated, this, [this] { post(kStatChanged); });
  addLabel(u("表示最大値"), QRect(8, 392, 90, kBoxH));
  displayMaxBox_ = addEdit("EDIT_DISPLAY_MAX", QRect(100, 392, 60, kBoxH));
  addButton("BUTTON_GRAPH", u("表示"), QRect(165, 391, 50, kBoxH + 2), kShowGraph);
  addLabel(u("最高レベル値"), QRect(8, 422, 90, kBoxH));
  targetBox_ = addEdit("EDIT_TARGET", QRect(100, 422, 60, kBoxH));
  graph_ = new GrowthGraph(this);
  graph_->move(8, 457);
  connect(graph_, &GrowthGraph::pressed, this, [this](int gx, int gy) {
    pressAt_ = QPoint(gx, gy);
    post(kGraphPress);
  });
  connect(graph_, &GrowthGraph::dragged, this, &PlayerDialog::dragGraph);
  addLabel(u("放物線形状"), QRect(160, 457, 120, 20));
  shapeBox_ = addCombo("COMBO_SHAPE", QRect(160, 478, 130, kBoxH));
  for (const auto& shape : editors::kCurveShapes) shapeBox_->addItem(u(shape.caption));
  shapeBox_->setCurrentIndex(-1);
  addButton("BUTTON_CURVE", u("放物線"), QRect(160, 505, 64, kBoxH + 2), kCurve);
  addButton("BUTTON_EVEN", u("一定"), QRect(228, 505, 62, kBoxH + 2), kEven);
  addButton("BUTTON_REGISTER_GROWTH", u("▲登録"), QRect(160, 533, 130, kBoxH + 2), kRegisterGrowth);

  // Middle: the row editor and the level-table buttons.
  const char* const captions[] = {"体力", "魔力", "攻撃力", "防御力", "魔防力", "命中", "速さ", "経験値"};
  for (int k = 0; k < editors::kStats; ++k) {
    const int cx = 320 + (k % 4) * 78;
    const int cy = 362 + (k / 4) * 50;
    addLabel(u(captions[k]), QRect(cx, cy, 74, 20));
    rowBoxes_[static_cast<std::size_t>(k)] =
        addEdit(QStringLiteral("EDIT_ROW%1").arg(k).toLatin1().constData(), QRect(cx, cy + 21, 72, kBoxH));
  }
  addLabel(u("魔法"), QRect(320, 464, 40, kBoxH));
  learnedBox_ = addCombo("COMBO_LEARNED", QRect(362, 464, 190, kBoxH));
  addButton("BUTTON_REGISTER_ROW", u("▲登録"), QRect(556, 463, 70, kBoxH + 2), kRegisterRow);
  addButton("BUTTON_CLEAR_LEARNED", u("魔法全クリア"), QRect(320, 505, 120, kBoxH + 2), kClearLearned);
  addButton("BUTTON_REDISPLAY", u("一覧表再表示"), QRect(446, 505, 120, kBoxH + 2), kRedisplayTable);

  // Right: the character frames at (740, 390).
  addLabel(u("No."), QRect(740, 360, 30, kBoxH));
  characterBox_ = addEdit("EDIT_CHARACTER", QRect(772, 360, 50, kBoxH));
  connect(characterBox_, &QLineEdit::textEdited, this, [this] { post(kCharacterChanged); });
  addButton("BUTTON_ANIMATE", u("アニメ"), QRect(828, 359, 70, kBoxH + 2), kAnimate);
  frames_ = new CachedPicture(QStringLiteral("PICTURE_CHARACTER"), QSize(32, 128), this);
  frames_->move(740, 390);

  // Bottom: the level table with its two-line heading, in a fixed-pitch font.
  QFont fixed = ui::fixedPitchFont();
  heading_ = new QPlainTextEdit(this);
  heading_->setObjectName(QStringLiteral("EDIT_HEADING"));
  heading_->setFont(fixed);
  heading_->setReadOnly(true);
  heading_->setLineWrapMode(QPlainTextEdit::NoWrap);
  heading_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  heading_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  heading_->setFocusPolicy(Qt::NoFocus);
  heading_->setPlainText(ui::toQString(editors::levelTableHeading1()) + QLatin1Char('\n') +
                         ui::toQString(editors::levelTableHeading2()));
  const int lineHeight = QFontMetrics(fixed).lineSpacing();
  heading_->setGeometry(8, kTableTop, kDialogWidth - 16, 2 * lineHeight + 10);
  levelList_ = addList("LIST_LEVELS", QRect(8, kTableTop + 2 * lineHeight + 12, kDialogWidth - 16,
                                            236 - 2 * lineHeight - 12));
  levelList_->setFont(fixed);
  levelList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

}  // namespace quillane::gui
