#include "gui/editors/enemy_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/editors/record_previews.h"
#include "core/editors/record_rows.h"
#include "core/map/map_properties_files.h"
#include "gui/editors/preview_widgets.h"
#include "gui/ui/bitmaps.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

const char* const kAilments[8] = {"眠り", "狂い", "呪い", "毒", "麻痺", "石化", "沈黙", "暗闇"};

QString numbered(const char* prefix, int k) { return QString::fromLatin1(prefix) + QString::number(k); }

}  // namespace

EnemyDialog::EnemyDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, QWidget* parent)
    : ui::Form(QStringLiteral("FORM_ENEMY"), QStringLiteral("敵モード"), kRecordCancel, parent),
      db_(db),
      folder_(std::move(projectFolder)),
      pictures_([this] { return map::listStems(folder_, "GRP", "*.bmp"); }) {
  build();
  bind();
}

void EnemyDialog::build() {
  // The fields stand above the preview band, the carried items and magic to the right;
  // the band keeps its place.
  auto* fieldsArea = new QWidget(this);
  fieldsArea->setGeometry(8, 4, 760, 288);
  auto* grid = new QGridLayout(fieldsArea);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(3);
  auto edit = [&](int row, int column, const char* caption, const char* name, int width = 70) {
    return addEdit(this, grid, row, column, QString::fromUtf8(caption), QString::fromLatin1(name), width);
  };
  edit(0, 0, "No.", "EDIT_NO")->setReadOnly(true);
  edit(1, 0, "名前", "EDIT_NAME", 150);
  edit(2, 0, "体力", "EDIT_HP");
  edit(3, 0, "魔力", "EDIT_MP");
  edit(4, 0, "攻撃力", "EDIT_ATTACK");
  edit(5, 0, "防御力", "EDIT_DEFENCE");
  edit(6, 0, "速さ", "EDIT_SPEED");
  edit(7, 0, "魔法防御力", "EDIT_MAGIC_DEFENCE");
  edit(8, 0, "攻撃命中率", "EDIT_HIT");
  edit(0, 2, "取得経験値", "EDIT_EXPERIENCE");
  edit(1, 2, "取得金額", "EDIT_MONEY");
  edit(2, 2, "魔法召喚率", "EDIT_MAGIC_RATE");
  edit(3, 2, "クリティカル率", "EDIT_CRITICAL");
  edit(4, 2, "アイテム所持率", "EDIT_ITEM_RATE");
  edit(5, 2, "逃走率", "EDIT_ESCAPE");
  edit(6, 2, "サイズ", "EDIT_SIZE");
  grid->addWidget(new QLabel(QStringLiteral("表示座標加算値"), this), 7, 2);
  auto* offsets = new QHBoxLayout;
  for (const char* axis : {"X", "Y"}) {
    offsets->addWidget(new QLabel(QString::fromLatin1(axis), this));
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("EDIT_OFFSET_") + QString::fromLatin1(axis));
    box->setMinimumWidth(50);
    offsets->addWidget(box);
  }
  grid->addLayout(offsets, 7, 3);
  addCombo(this, grid, 8, 2, QStringLiteral("属性"), QStringLiteral("COMBO_ATTRIBUTE"), 120);
  for (int k = 0; k < 8; ++k) edit(k, 4, kAilments[k], numbered("EDIT_AILMENT", k).toLatin1().constData(), 50);
  auto* graphic = addCombo(this, grid, 9, 0, QStringLiteral("グラフィックファイル名"), QStringLiteral("COMBO_GRAPHIC"), 150);
  connect(graphic, &QComboBox::activated, this, [this] { post(kGraphicPicked); });

  auto* slotsArea = new QWidget(this);
  slotsArea->setGeometry(784, 4, 208, 524);
  auto* slotsColumn = new QVBoxLayout(slotsArea);
  slotsColumn->setContentsMargins(0, 0, 0, 0);
  auto* items = new QGroupBox(QStringLiteral("所持アイテム"), this);
  auto* itemGrid = new QGridLayout(items);
  for (int k = 0; k < 3; ++k)
    addCombo(this, itemGrid, k, 0, QString(), numbered("COMBO_ITEM", k), 170);
  auto* magic = new QGroupBox(QStringLiteral("所持魔法"), this);
  auto* magicGrid = new QGridLayout(magic);
  magicGrid->setVerticalSpacing(2);
  for (int k = 0; k < 6; ++k) {
    auto* box = addCombo(this, magicGrid, k, 0, QString::number(k + 1), numbered("COMBO_MAGIC", k), 150);
    connect(box, &QComboBox::activated, this, [this, box](int row) { onMagicPicked(box, row); });
  }
  slotsColumn->addWidget(items);
  slotsColumn->addWidget(magic);
  slotsColumn->addStretch();

  preview_ = new CanvasPreview(QStringLiteral("PICTURE_ENEMY"),
                               QRect(editors::kEnemyPreviewX, editors::kEnemyPreviewY, editors::kEnemyPreviewWidth,
                                     editors::kEnemyPreviewHeight),
                               this);
  auto* buttons = new QWidget(this);
  buttons->setGeometry(8, 536, 984, 36);
  auto* row = navigationRow(this);
  row->setContentsMargins(0, 0, 0, 0);
  buttons->setLayout(row);
  setFixedSize(1000, 578);
}

void EnemyDialog::bind() {
  data::EnemyTable& t = db_.enemies;
  auto edit = [this](const char* name) { return control<QLineEdit>(QString::fromLatin1(name)); };
  auto combo = [this](const QString& name) { return control<QComboBox>(name); };
  fields_.text(edit("EDIT_NAME"), column(t.name));
  fields_.number(edit("EDIT_HP"), column(t.hp), NumberRule::ZeroAsOne);
  fields_.number(edit("EDIT_MP"), column(t.mp));
  fields_.number(edit("EDIT_ATTACK"), column(t.attack));
  fields_.number(edit("EDIT_DEFENCE"), column(t.defence));
  fields_.number(edit("EDIT_SPEED"), column(t.speed));
  fields_.integer(edit("EDIT_EXPERIENCE"), column(t.experience));
  fields_.number(edit("EDIT_MONEY"), column(t.money));
  fields_.number(edit("EDIT_MAGIC_RATE"), column(t.magicRate));
  fields_.number(edit("EDIT_SIZE"), column(t.size));
  fields_.number(edit("EDIT_OFFSET_X"), column(t.offsetX));
  fields_.number(edit("EDIT_OFFSET_Y"), column(t.offsetY));
  fields_.number(edit("EDIT_HIT"), column(t.hitRate));
  fields_.number(edit("EDIT_MAGIC_DEFENCE"), column(t.magicDefence));
  fields_.number(edit("EDIT_CRITICAL"), column(t.critical));
  fields_.number(edit("EDIT_ITEM_RATE"), column(t.itemRate));
  fields_.number(edit("EDIT_ESCAPE"), column(t.escapeRate));
  fields_.selector(combo(QStringLiteral("COMBO_ATTRIBUTE")), column(t.attribute), editors::IndexRule::Plain);
  for (int k = 0; k < 8; ++k)
    fields_.number(control<QLineEdit>(numbered("EDIT_AILMENT", k)), element(t.ailment, static_cast<std::size_t>(k)));
  for (int k = 0; k < 3; ++k)
    fields_.selector(combo(numbered("COMBO_ITEM", k)), element(t.itemSlot, static_cast<std::size_t>(k)),
                     editors::IndexRule::NoneZero);
  for (int k = 0; k < 6; ++k)
    fields_.selector(combo(numbered("COMBO_MAGIC", k)), element(t.magic, static_cast<std::size_t>(k)),
                     editors::IndexRule::None99);
  names_.add(combo(QStringLiteral("COMBO_GRAPHIC")),
             [&t](int r) -> text::Bytes& { return t.graphic[static_cast<std::size_t>(r)]; }, &pictures_);
}

editors::RecordOutcome EnemyDialog::run(int record) {
  record_ = record;
  copy_.clear();
  copy_.keep(db_.enemies, record_);
  pictures_.forget();  // read again at the first use
  fillRows(control<QComboBox>(QStringLiteral("COMBO_ATTRIBUTE")), editors::attributeRows(db_.scenery));
  const auto items = editors::enemyItemRows(db_);
  const auto magic = editors::enemyMagicRows(db_);
  for (int k = 0; k < 3; ++k) fillRows(control<QComboBox>(numbered("COMBO_ITEM", k)), items);
  for (int k = 0; k < 6; ++k) fillRows(control<QComboBox>(numbered("COMBO_MAGIC", k)), magic);
  display();
  return runRecordLoop(*this, control<QLineEdit>(QStringLiteral("EDIT_NAME")),
                       {[this] { copy_.restore(db_.enemies); }, [this] { return commit(); }, [](int) {},
                        [this] { display(); }});
}

void EnemyDialog::display() {
  control<QLineEdit>(QStringLiteral("EDIT_NO"))->setText(QString::number(record_));
  fields_.display(record_);
  names_.display(record_);
  drawPreview();
}

bool EnemyDialog::commit() {
  const bool ok = fields_.commit(record_);
  names_.commit(record_);
  return ok;
}

void EnemyDialog::drawPreview() {
  const auto r = static_cast<std::size_t>(record_);
  const auto picture = ui::projectBitmap(folder_, "GRP", db_.enemies.graphic[r], ".bmp");
  preview_->showCanvas(enemyBand(picture, db_.enemies.size[r], db_.initial.enemyImageWidth));
}

void EnemyDialog::onMagicPicked(QComboBox* box, int row) {
  const auto refusal = editors::refuseEnemyMagicRow(row);
  if (!refusal) return;
  ui::messageBox(ui::toQString(*refusal), ui::toQString(editors::refusalTitle()), ui::Buttons::Ok,
                 ui::Icon::Exclamation);
  // Back to the row the slot showed: the stored value stays.
  const int slot = box->objectName().right(1).toInt();
  const float stored = db_.enemies.magic[static_cast<std::size_t>(record_)][static_cast<std::size_t>(slot)];
  box->setCurrentIndex(editors::shownRow(stored, box->count(), editors::IndexRule::None99));
}

}  // namespace quillane::gui
