// The controls of "初期値モード" in three columns: how the game starts, how it looks,
// and the two menus with their catalogues.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/editors/initial_values_dialog.h"

namespace quillane::gui {

using data::InitialValues;

namespace {

QLabel* caption(const QString& text) { return new QLabel(text); }

QPushButton* button(const QString& name, const QString& text) {
  auto* b = new QPushButton(text);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

QLineEdit* InitialValuesDialog::addNumber(QGridLayout* grid, int row, int column, const QString& text,
                                          const QString& name, float InitialValues::*field, int shownOffset) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setAlignment(Qt::AlignRight);
  edit->setMaximumWidth(90);
  if (!text.isEmpty()) grid->addWidget(caption(text), row, column);
  grid->addWidget(edit, row, column + 1);
  numbers_.push_back({edit, field, shownOffset});
  return edit;
}

QLineEdit* InitialValuesDialog::addText(QGridLayout* grid, int row, const QString& text, const QString& name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  grid->addWidget(caption(text), row, 0);
  grid->addWidget(edit, row, 1, 1, 3);
  return edit;
}

QComboBox* InitialValuesDialog::addSelector(QGridLayout* grid, int row, int column, const QString& text,
                                            const QString& name, float InitialValues::*field,
                                            std::span<const editors::Choice> choices, int plainValues) {
  auto* box = new QComboBox;
  box->setObjectName(name);
  for (const editors::Choice& c : choices) box->addItem(QString::fromUtf8(c.caption));
  for (int v = 0; v < plainValues; ++v) box->addItem(QString::number(v));
  if (!text.isEmpty()) grid->addWidget(caption(text), row, column);
  grid->addWidget(box, row, column + 1);
  const std::size_t index = selectors_.size();
  selectors_.push_back({box, field, choices, false});
  connect(box, &QComboBox::activated, this, [this, index] { selectors_[index].touched = true; });
  return box;
}

QButtonGroup* InitialValuesDialog::addRadios(QGridLayout* grid, int row, const QString& text, const QString& name,
                                             float InitialValues::*field, std::span<const editors::Choice> choices) {
  auto* group = new QButtonGroup(this);
  group->setObjectName(name);
  auto* line = new QHBoxLayout;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(choices[i].caption));
    radio->setObjectName(name + QString::number(i));
    group->addButton(radio, static_cast<int>(i));
    line->addWidget(radio);
  }
  line->addStretch();
  grid->addWidget(caption(text), row, 0);
  grid->addLayout(line, row, 1, 1, 3);
  if (field) radios_.push_back({group, field, choices});
  return group;
}

void InitialValuesDialog::build() {
  auto* top = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  columns->addWidget(buildStartGroup(), 0, Qt::AlignTop);
  columns->addWidget(buildLookGroup(), 0, Qt::AlignTop);
  auto* menus = new QVBoxLayout;
  menus->addWidget(buildMenuGroup(0));
  menus->addWidget(buildMenuGroup(1));
  menus->addStretch();
  columns->addLayout(menus);
  top->addLayout(columns);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = button(QStringLiteral("BUTTON_OK"), QStringLiteral("OK"));
  auto* cancel = button(QStringLiteral("BUTTON_CANCEL"), QStringLiteral("ｷｬﾝｾﾙ"));
  ok->setMinimumWidth(90);
  cancel->setMinimumWidth(90);
  bindButton(ok, kOk);
  bindButton(cancel, kCancel);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  top->addLayout(buttons);
}

QWidget* InitialValuesDialog::buildStartGroup() {
  auto* group = new QGroupBox(QStringLiteral("ゲーム開始"));
  auto* grid = new QGridLayout(group);
  int row = 0;
  title_ = addText(grid, row++, QStringLiteral("タイトル"), QStringLiteral("title"));
  gamePasswordBox_ = addText(grid, row++, QStringLiteral("パスワード"), QStringLiteral("gamePassword"));
  editingPasswordBox_ = addText(grid, row++, QStringLiteral("編集パスワード"), QStringLiteral("editingPassword"));
  addNumber(grid, row++, 0, QStringLiteral("パーティ人数"), QStringLiteral("partySize"), &InitialValues::partySizeMinus1, 1);
  addNumber(grid, row++, 0, QStringLiteral("所持金額"), QStringLiteral("money"), &InitialValues::money);

  firstMap_ = new QComboBox;
  firstMap_->setObjectName(QStringLiteral("firstMap"));
  firstMap_->setMinimumContentsLength(16);
  grid->addWidget(caption(QStringLiteral("初期マップ")), row, 0);
  grid->addWidget(firstMap_, row++, 1, 1, 3);
  connect(firstMap_, &QComboBox::activated, this, [this] {
    firstMapTouched_ = true;
    post(kFirstMap);
  });
  startEvent_ = new QComboBox;
  startEvent_->setObjectName(QStringLiteral("startEvent"));
  startEvent_->setMinimumContentsLength(16);
  grid->addWidget(caption(QStringLiteral("開始イベント")), row, 0);
  grid->addWidget(startEvent_, row++, 1, 1, 3);
  connect(startEvent_, &QComboBox::activated, this, [this] { startEventTouched_ = true; });

  position_ = new QComboBox;
  position_->setObjectName(QStringLiteral("position"));
  for (const editors::Choice& c : editors::positionChoices()) position_->addItem(QString::fromUtf8(c.caption));
  grid->addWidget(caption(QStringLiteral("初期位置")), row, 0);
  grid->addWidget(position_, row++, 1, 1, 3);
  connect(position_, &QComboBox::activated, this, [this] { post(kPosition); });
  startX_ = addNumber(grid, row, 0, QStringLiteral("X:"), QStringLiteral("startX"), &InitialValues::initialX);
  startY_ = addNumber(grid, row++, 2, QStringLiteral("Y:"), QStringLiteral("startY"), &InitialValues::initialY);

  addNumber(grid, row++, 0, QStringLiteral("プレイヤーNo."), QStringLiteral("startPlayer"), &InitialValues::startPlayer);
  addSelector(grid, row++, 0, QStringLiteral("プレイヤー向き"), QStringLiteral("facing"), &InitialValues::facing,
              editors::directionChoices());
  addSelector(grid, row++, 0, QStringLiteral("標準速度"), QStringLiteral("speed"), &InitialValues::standardSpeed,
              editors::speedChoices());
  grid->setRowStretch(row, 1);
  return group;
}

QWidget* InitialValuesDialog::buildLookGroup() {
  auto* group = new QGroupBox(QStringLiteral("表示"));
  auto* grid = new QGridLayout(group);
  int row = 0;
  addNumber(grid, row++, 0, QStringLiteral("アニメパターン数"), QStringLiteral("animationPatterns"),
            &InitialValues::animationPatterns);
  addNumber(grid, row++, 0, QStringLiteral("フェード速度"), QStringLiteral("fadeSpeed"), &InitialValues::fadeSpeed);
  addSelector(grid, row++, 0, QStringLiteral("標準フェード種"), QStringLiteral("fadeKind"), &InitialValues::fadeKind, {},
              editors::kFadeKinds);
  addSelector(grid, row, 0, QStringLiteral("標準体力メータ"), QStringLiteral("hpMeter1"), &InitialValues::hpMeter1, {},
              editors::kMeterValues);
  addSelector(grid, row++, 2, QString(), QStringLiteral("hpMeter2"), &InitialValues::hpMeter2, {},
              editors::kMeterValues);
  addSelector(grid, row, 0, QStringLiteral("標準魔力メータ"), QStringLiteral("mpMeter1"), &InitialValues::mpMeter1, {},
              editors::kMeterValues);
  addSelector(grid, row++, 2, QString(), QStringLiteral("mpMeter2"), &InitialValues::mpMeter2, {},
              editors::kMeterValues);
  addRadios(grid, row++, QStringLiteral("キャラクタ配置"), QStringLiteral("placement"), &InitialValues::placement,
            editors::placementChoices());
  addRadios(grid, row++, QStringLiteral("戦闘画面"), QStringLiteral("battleView"), &InitialValues::battleView,
            editors::battleViewChoices());
  addRadios(grid, row++, QStringLiteral("マップチップ"), QStringLiteral("mapChip"), &InitialValues::mapChip,
            editors::mapChipChoices());

  // The screen sizes store two numbers; the button shown is found from the width.
  screen_ = new QButtonGroup(this);
  screen_->setObjectName(QStringLiteral("screen"));
  auto* sizes = new QGridLayout;
  int i = 0;
  for (const editors::ScreenSize& s : editors::screenSizes()) {
    auto* radio = new QRadioButton(QString::fromUtf8(s.caption));
    radio->setObjectName(QStringLiteral("screen%1").arg(i));
    screen_->addButton(radio, i);
    sizes->addWidget(radio, i / 2, i % 2);
    ++i;
  }
  grid->addWidget(caption(QStringLiteral("画面サイズ")), row, 0, Qt::AlignTop);
  grid->addLayout(sizes, row++, 1, 1, 3);
  fullScreen_ = new QCheckBox(QStringLiteral("フルスクリーン"));
  fullScreen_->setObjectName(QStringLiteral("fullScreen"));
  grid->addWidget(fullScreen_, row++, 1, 1, 3);

  grid->addWidget(caption(QStringLiteral("キャラクタサイズ")), row++, 0, 1, 2);
  addNumber(grid, row, 0, QStringLiteral("幅"), QStringLiteral("characterWidth"), &InitialValues::characterWidth);
  addNumber(grid, row++, 2, QStringLiteral("×高さ"), QStringLiteral("characterHeight"), &InitialValues::characterHeight);
  addNumber(grid, row++, 0, QStringLiteral("標準敵画像横サイズ"), QStringLiteral("enemyImageWidth"),
            &InitialValues::enemyImageWidth);

  colour_ = new QLineEdit;
  colour_->setObjectName(QStringLiteral("transparentColour"));
  colour_->setMaximumWidth(90);
  connect(colour_, &QLineEdit::editingFinished, this, [this] { post(kColourTyped); });
  swatch_ = new QLabel;
  swatch_->setObjectName(QStringLiteral("colourSwatch"));
  swatch_->setFixedSize(24, 20);
  swatch_->setFrameShape(QFrame::Box);
  swatch_->setAutoFillBackground(true);
  auto* browse = button(QStringLiteral("colourBrowse"), QStringLiteral("参照"));
  bindButton(browse, kColourBrowse);
  auto* colourLine = new QHBoxLayout;
  colourLine->addWidget(colour_);
  colourLine->addWidget(swatch_);
  colourLine->addWidget(browse);
  colourLine->addStretch();
  grid->addWidget(caption(QStringLiteral("透明色")), row, 0);
  grid->addLayout(colourLine, row++, 1, 1, 3);
  grid->setRowStretch(row, 1);
  return group;
}

QWidget* InitialValuesDialog::buildMenuGroup(int menu) {
  const bool system = menu == 0;
  auto* group = new QGroupBox(system ? QStringLiteral("システムメニュー") : QStringLiteral("設定メニュー"));
  auto* line = new QHBoxLayout(group);
  const QString prefix = system ? QStringLiteral("system") : QStringLiteral("settings");
  auto* catalogue = new QListWidget;
  catalogue->setObjectName(prefix + QStringLiteral("Catalogue"));
  for (const char* entry : system ? editors::systemMenuCatalogue() : editors::settingsMenuCatalogue())
    catalogue->addItem(QString::fromUtf8(entry));
  auto* chosen = new QListWidget;
  chosen->setObjectName(prefix + QStringLiteral("Menu"));
  for (QListWidget* list : {catalogue, chosen}) {
    list->setFixedWidth(120);
    list->setMinimumHeight(system ? 300 : 170);
  }
  auto* buttons = new QVBoxLayout;
  buttons->addStretch();
  const QString captions[4] = {QStringLiteral("≫"), QStringLiteral("≪"), QStringLiteral("▲"), QStringLiteral("▼")};
  const QString names[4] = {QStringLiteral("Add"), QStringLiteral("Remove"), QStringLiteral("Up"), QStringLiteral("Down")};
  for (int a = 0; a < 4; ++a) {
    auto* b = button(prefix + names[a], captions[a]);
    b->setFixedWidth(36);
    bindButton(b, kMenuAction + menu * 4 + a);
    buttons->addWidget(b);
  }
  buttons->addStretch();
  line->addWidget(catalogue);
  line->addLayout(buttons);
  line->addWidget(chosen);
  catalogue_[static_cast<std::size_t>(menu)] = catalogue;
  menu_[static_cast<std::size_t>(menu)] = chosen;
  return group;
}

}  // namespace quillane::gui
