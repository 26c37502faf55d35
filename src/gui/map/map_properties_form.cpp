#include "gui/map/map_properties_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/data/text_rules.h"
#include "core/map/map_properties_lists.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

constexpr int kPreviewWidth = 256;
constexpr int kPreviewHeight = 192;

const char* const kEnemyBoxes[6] = {"COMBO25", "COMBO26", "COMBO27", "COMBO28", "COMBO29", "COMBO30"};

QByteArray bytesOf(const text::Bytes& b) { return QByteArray(b.data(), static_cast<qsizetype>(b.size())); }

int typedNumber(const QLineEdit* edit) {
  auto bytes = ui::toBytes(edit->text());
  if (!bytes) return 0;  // a character CP932 lacks is no digit: the text reads 0
  return static_cast<int>(data::parseTypedNumber(*bytes));
}

}  // namespace

BitmapPreview::BitmapPreview(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PICTURE10"));
  setFixedSize(kPreviewWidth, kPreviewHeight);
}

void BitmapPreview::showPart(const QImage& image) {
  shown_ = image.isNull() ? QImage() : image.copy(0, 0, std::min(image.width(), kPreviewWidth),
                                                  std::min(image.height(), kPreviewHeight));
  update();
}

void BitmapPreview::showWhole(const QImage& image) {
  shown_ = image.isNull() ? QImage()
                          : image.scaled(kPreviewWidth, kPreviewHeight, Qt::KeepAspectRatio,
                                         Qt::SmoothTransformation);
  update();
}

void BitmapPreview::clear() {
  shown_ = QImage();
  update();
}

void BitmapPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  if (!shown_.isNull()) painter.drawImage(0, 0, shown_);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

MapPropertiesForm::MapPropertiesForm(QWidget* parent)
    : ui::Form(QStringLiteral("FORM10"), QStringLiteral("マップモード"), kPropertiesCancel, parent) {
  build();
}

QComboBox* MapPropertiesForm::addCombo(const char* name) {
  auto* box = new QComboBox(this);
  box->setObjectName(QString::fromLatin1(name));
  box->setMinimumWidth(160);
  box->setMaxVisibleItems(20);
  connect(box, &QComboBox::activated, this, [this, box](int row) { onPicked(box, row); });
  return box;
}

QLineEdit* MapPropertiesForm::addEdit(const char* name) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

QComboBox* MapPropertiesForm::combo(const char* name) const {
  return control<QComboBox>(QString::fromLatin1(name));
}
QLineEdit* MapPropertiesForm::edit(const char* name) const {
  return control<QLineEdit>(QString::fromLatin1(name));
}

void MapPropertiesForm::build() {
  auto* left = new QFormLayout;
  auto* number = addEdit("EDIT90");
  number->setReadOnly(true);
  left->addRow(QStringLiteral("マップ番号"), number);
  left->addRow(QStringLiteral("マップ名"), addEdit("EDIT98"));
  left->addRow(QStringLiteral("マップ幅"), addEdit("EDIT91"));
  left->addRow(QStringLiteral("マップ高さ"), addEdit("EDIT92"));
  left->addRow(QStringLiteral("地形キャラデータ名"), addCombo("COMBO85"));
  left->addRow(QStringLiteral("キャラクタデータ名"), addCombo("COMBO86"));
  left->addRow(QStringLiteral("上空キャラデータ名"), addCombo("COMBO87"));
  left->addRow(QStringLiteral("ＢＧＭデータ名"), addCombo("COMBO88"));
  auto* music = new QHBoxLayout;
  auto* play = new QPushButton(QStringLiteral("演奏"), this);
  play->setObjectName(QStringLiteral("BUTTON98"));
  auto* stop = new QPushButton(QStringLiteral("停止"), this);
  stop->setObjectName(QStringLiteral("BUTTON99"));
  music->addWidget(play);
  music->addWidget(stop);
  left->addRow(QString(), music);
  left->addRow(QStringLiteral("初期位置イベント"), addCombo("COMBO22"));
  left->addRow(QStringLiteral("Ｘ座標加算値"), addEdit("EDIT96"));
  left->addRow(QStringLiteral("Ｙ座標加算値"), addEdit("EDIT97"));

  auto* middle = new QFormLayout;
  middle->addRow(QStringLiteral("街・城フラグ"), addCombo("COMBO23"));
  middle->addRow(QStringLiteral("立寄りフラグ"), addCombo("COMBO24"));
  middle->addRow(QStringLiteral("敵出現率"), addEdit("EDIT105"));
  middle->addRow(QStringLiteral("上限歩数"), addEdit("EDIT106"));
  middle->addRow(QStringLiteral("戦闘時背景データ名"), addCombo("COMBO84"));
  middle->addRow(QStringLiteral("遠景データ名"), addCombo("COMBO94"));
  middle->addRow(QStringLiteral("敵同時出現最大数"), addEdit("EDIT153"));
  auto* teleport = new QCheckBox(QStringLiteral("瞬間移動不可"), this);
  teleport->setObjectName(QStringLiteral("CHECK4"));
  middle->addRow(QString(), teleport);
  middle->addRow(QStringLiteral("戦闘開始前イベント"), addCombo("COMBO91"));
  middle->addRow(QStringLiteral("戦闘終了後イベント"), addCombo("COMBO63"));
  middle->addRow(QStringLiteral("ボタン打下時イベント"), addCombo("COMBO92"));
  middle->addRow(QStringLiteral("ロード後イベント"), addCombo("COMBO74"));

  auto* links = new QGroupBox(QStringLiteral("マップ結合情報"), this);
  auto* linkForm = new QFormLayout(links);
  linkForm->addRow(QStringLiteral("上マップ"), addCombo("COMBO46"));
  linkForm->addRow(QStringLiteral("左マップ"), addCombo("COMBO47"));
  linkForm->addRow(QStringLiteral("右マップ"), addCombo("COMBO48"));
  linkForm->addRow(QStringLiteral("下マップ"), addCombo("COMBO49"));
  auto* enemies = new QGroupBox(QStringLiteral("出現敵種"), this);
  auto* enemyForm = new QFormLayout(enemies);
  for (int k = 0; k < 6; ++k) enemyForm->addRow(QString::number(k + 1), addCombo(kEnemyBoxes[k]));

  preview_ = new BitmapPreview(this);
  auto* buttons = new QHBoxLayout;
  auto* clearEvents = new QPushButton(QStringLiteral("イベント全削除"), this);
  clearEvents->setObjectName(QStringLiteral("BUTTON165"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("BUTTON28"));
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("BUTTON39"));
  buttons->addWidget(clearEvents);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* right = new QVBoxLayout;
  right->addWidget(links);
  right->addWidget(enemies);
  right->addWidget(preview_, 0, Qt::AlignHCenter);
  right->addStretch();

  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addSpacing(12);
  columns->addLayout(middle);
  columns->addSpacing(12);
  columns->addLayout(right);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(columns);
  outer->addLayout(buttons);

  // Enter is no command of this dialog: no button is drawn as its default.
  for (QPushButton* b : {play, stop, clearEvents, ok, cancel}) b->setAutoDefault(false);
  bindButton(play, kPropertiesPlay);
  bindButton(stop, kPropertiesStop);
  bindButton(clearEvents, kPropertiesDeleteEvents);
  bindButton(ok, kPropertiesOk);
  bindButton(cancel, kPropertiesCancel);
}

void MapPropertiesForm::fillNames(QComboBox* box, const std::vector<text::Bytes>& names,
                                  const text::Bytes& current) {
  box->clear();
  bool listed = false;
  for (const auto& name : names) listed = listed || name == current;
  // A stored name whose file is absent is still shown; it changes only when the user
  // picks another one.
  if (!listed) box->addItem(ui::toQString(current), bytesOf(current));
  for (const auto& name : names) box->addItem(ui::toQString(name), bytesOf(name));
  int row = 0;
  for (int i = 0; i < box->count(); ++i)
    if (box->itemData(i).toByteArray() == bytesOf(current)) row = i;
  box->setCurrentIndex(row);
  shownRow_[box] = row;
}

void MapPropertiesForm::fillRows(QComboBox* box, const std::vector<text::Bytes>& rows,
                                 std::optional<int> current) {
  box->clear();
  for (const auto& row : rows) box->addItem(ui::toQString(row));
  int shown = current && *current < box->count() ? *current : -1;
  box->setCurrentIndex(shown);
  shownRow_[box] = shown;
}

void MapPropertiesForm::showValues(const PropertiesView& v) {
  const map::MapDocument& m = v.map;
  number_ = v.number;
  touched_.clear();
  refused_.clear();
  edit("EDIT90")->setText(QString::number(v.number));
  const bool hasRecord = v.number >= 0 && v.number < v.db.maps.count();
  auto index = static_cast<std::size_t>(v.number);
  edit("EDIT98")->setText(hasRecord ? ui::toQString(v.db.maps.name[index]) : QString());
  edit("EDIT91")->setText(QString::number(m.width));
  edit("EDIT92")->setText(QString::number(m.height));
  fillNames(combo("COMBO85"), v.bitmaps, m.tileSetName);
  fillNames(combo("COMBO86"), v.bitmaps, m.characterSetName);
  fillNames(combo("COMBO87"), v.bitmaps, m.skyTileSetName);
  fillNames(combo("COMBO88"), v.music, m.bgmName);
  fillRows(combo("COMBO22"), map::startEventRows(m.events), map::startEventRow(m.events, m.startEvent));
  edit("EDIT96")->setText(QString::number(m.xAdd));
  edit("EDIT97")->setText(QString::number(m.yAdd));
  fillRows(combo("COMBO23"), map::townRows(), map::townRow(v.db.scenery, v.number));
  fillRows(combo("COMBO24"), map::visitedRows(), map::visitedRow(v.db.scenery, v.number));
  edit("EDIT105")->setText(QString::number(m.encounterRate));
  edit("EDIT106")->setText(QString::number(m.stepLimit));
  // Maps beyond the scenery entries have no background names to choose.
  const bool scenery = map::hasSceneryNames(v.db.scenery, v.number);
  fillNames(combo("COMBO84"), v.bitmaps, scenery ? v.db.scenery.battleBackground[index] : text::Bytes());
  fillNames(combo("COMBO94"), v.bitmaps, scenery ? v.db.scenery.distantView[index] : text::Bytes());
  combo("COMBO84")->setEnabled(scenery);
  combo("COMBO94")->setEnabled(scenery);
  edit("EDIT153")->setText(QString::number(m.maxEnemies));
  control<QCheckBox>(QStringLiteral("CHECK4"))->setChecked(m.noTeleport == 1);
  auto hooks = map::hookRows(m.events);
  fillRows(combo("COMBO91"), hooks, map::hookRow(m.events, m.battleStartEvent));
  fillRows(combo("COMBO63"), hooks, map::hookRow(m.events, m.afterBattleEvent));
  fillRows(combo("COMBO92"), hooks, map::hookRow(m.events, m.buttonEvent));
  fillRows(combo("COMBO74"), hooks, map::hookRow(m.events, m.afterLoadEvent));
  auto neighbours = map::neighbourRows(v.db);
  fillRows(combo("COMBO46"), neighbours, map::neighbourRow(v.db, m.upMap));
  fillRows(combo("COMBO47"), neighbours, map::neighbourRow(v.db, m.leftMap));
  fillRows(combo("COMBO48"), neighbours, map::neighbourRow(v.db, m.rightMap));
  fillRows(combo("COMBO49"), neighbours, map::neighbourRow(v.db, m.downMap));
  auto enemies = map::enemyRows(v.db);
  for (int k = 0; k < 6; ++k) {
    float value = hasRecord ? v.db.maps.enemy[index][static_cast<std::size_t>(k)] : 99.0f;
    fillRows(combo(kEnemyBoxes[k]), enemies, map::enemyRow(v.db, value));
  }
}

void MapPropertiesForm::onPicked(QComboBox* box, int row) {
  std::optional<text::Bytes> refusal;
  const QString name = box->objectName();
  for (const char* enemyBox : kEnemyBoxes)
    if (name == QLatin1String(enemyBox)) refusal = map::refuseEnemyRow(row);
  if (name == QStringLiteral("COMBO23") && row == 0) refusal = map::refuseTown(number_);
  if (refusal) {
    ui::messageBox(ui::toQString(*refusal), ui::toQString(map::refusalTitle()), ui::Buttons::Ok,
                   ui::Icon::Exclamation);
    box->setCurrentIndex(shownRow_.value(box, -1));
    return;
  }
  touched_.insert(box);
  if (name == QStringLiteral("COMBO85")) post(kPropertiesTilePicked);
  else if (name == QStringLiteral("COMBO86")) post(kPropertiesCharacterPicked);
  else if (name == QStringLiteral("COMBO87")) post(kPropertiesSkyPicked);
  else if (name == QStringLiteral("COMBO84")) post(kPropertiesBattlePicked);
  else if (name == QStringLiteral("COMBO94")) post(kPropertiesDistantPicked);
}

std::optional<text::Bytes> MapPropertiesForm::pickedName(QComboBox* box) const {
  if (!touched(box) || box->currentIndex() < 0) return std::nullopt;
  QByteArray data = box->currentData().toByteArray();
  return text::Bytes(data.constData(), static_cast<std::size_t>(data.size()));
}

std::optional<int> MapPropertiesForm::pickedRow(QComboBox* box) const {
  if (!touched(box) || box->currentIndex() < 0) return std::nullopt;
  return box->currentIndex();
}

text::Bytes MapPropertiesForm::listName(int action) const {
  const char* name = action == kPropertiesTilePicked        ? "COMBO85"
                     : action == kPropertiesCharacterPicked ? "COMBO86"
                     : action == kPropertiesSkyPicked       ? "COMBO87"
                     : action == kPropertiesBattlePicked    ? "COMBO84"
                                                            : "COMBO94";
  QByteArray data = combo(name)->currentData().toByteArray();
  return text::Bytes(data.constData(), static_cast<std::size_t>(data.size()));
}

map::PropertyInput MapPropertiesForm::readInput(int number, const data::ProjectDatabase& db) {
  map::PropertyInput in;
  refused_.clear();
  in.size = map::clampMapSize(typedNumber(edit("EDIT91")), typedNumber(edit("EDIT92")));
  in.tileSetName = pickedName(combo("COMBO85"));
  in.skyTileSetName = pickedName(combo("COMBO87"));
  in.characterSetName = pickedName(combo("COMBO86"));
  in.bgmName = pickedName(combo("COMBO88"));
  in.xAdd = typedNumber(edit("EDIT96"));
  in.yAdd = typedNumber(edit("EDIT97"));
  in.encounterRate = typedNumber(edit("EDIT105"));
  in.stepLimit = typedNumber(edit("EDIT106"));
  in.maxEnemies = typedNumber(edit("EDIT153"));

  const bool hasRecord = number >= 0 && number < db.maps.count();
  in.mapName = hasRecord ? db.maps.name[static_cast<std::size_t>(number)] : text::Bytes();
  auto typed = ui::toBytes(edit("EDIT98")->text());
  if (!typed) {
    refused_ = QStringLiteral("マップ名に使えない文字が含まれています。");
  } else if (auto refusal = data::refuseText(*typed)) {
    refused_ = ui::toQString(*refusal);
  } else {
    in.mapName = *typed;
  }
  if (combo("COMBO84")->isEnabled()) in.battleBackground = pickedName(combo("COMBO84"));
  if (combo("COMBO94")->isEnabled()) in.distantView = pickedName(combo("COMBO94"));
  in.noTeleport = control<QCheckBox>(QStringLiteral("CHECK4"))->isChecked();
  for (int k = 0; k < 6; ++k)
    if (auto row = pickedRow(combo(kEnemyBoxes[k]))) in.enemies[static_cast<std::size_t>(k)] = map::enemyValue(*row);
  if (auto row = pickedRow(combo("COMBO23"))) in.town = *row == 0;
  if (auto row = pickedRow(combo("COMBO24"))) in.visited = *row == 0;
  in.startEvent = pickedRow(combo("COMBO22"));
  in.battleStartEvent = pickedRow(combo("COMBO91"));
  in.afterBattleEvent = pickedRow(combo("COMBO63"));
  in.buttonEvent = pickedRow(combo("COMBO92"));
  in.afterLoadEvent = pickedRow(combo("COMBO74"));
  if (auto row = pickedRow(combo("COMBO46"))) in.upMap = map::neighbourValue(*row);
  if (auto row = pickedRow(combo("COMBO47"))) in.leftMap = map::neighbourValue(*row);
  if (auto row = pickedRow(combo("COMBO48"))) in.rightMap = map::neighbourValue(*row);
  if (auto row = pickedRow(combo("COMBO49"))) in.downMap = map::neighbourValue(*row);
  return in;
}

}  // namespace quillane::gui
