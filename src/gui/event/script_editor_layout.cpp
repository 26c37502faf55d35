// FORM2's controls and the lists filled from the project's tables.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/data/project_database.h"
#include "core/event/command_reference.h"
#include "core/event/event_codes.h"
#include "core/event/script_templates.h"
#include "core/map/map_document.h"
#include "gui/event/script_editor_dialog.h"
#include "gui/ui/elided_label.h"
#include "gui/ui/fonts.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QListWidget* makeList(const QString& name, bool fixed) {
  auto* list = new QListWidget;
  list->setObjectName(name);
  if (fixed) list->setFont(ui::fixedPitchFont());
  return list;
}

QLineEdit* makeEdit(const QString& name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  return edit;
}

QWidget* labelled(const QString& caption, QWidget* control) {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(new QLabel(caption));
  layout->addWidget(control);
  return box;
}

}  // namespace

const std::vector<InsertButton>& insertButtons() {
  static const std::vector<InsertButton> buttons = {
      {"BUTTON142", "顔", "[顔,パ,位,色,ボ,名]", true},
      {"BUTTON163", "字", "{色,ボ,速}", true},
      {"BUTTON143", "変数", "+@*-*+", true},
      {"BUTTON159", "NEX", "NEX", false},
      {"BUTTON160", "WIT", "WIT", false},
      {"BUTTON151", "END", "END", false},
      {"BUTTON152", "THR", "THR", false},
      {"BUTTON153", "FLG", "FLG,*", false},
      {"BUTTON154", "FGE", "FGE,*", false},
      {"BUTTON155", "FST", "FST,*,*,*", false},
      {"BUTTON156", "CKF", "CKF,*,*,*,=,*,*", false},
      {"BUTTON161", "LBL", "LBL,*", false},
      {"BUTTON162", "PRT", "PRT", false},
      {"BUTTON157", "FSZ", "FSZ,*:FBD,*:MCL,*", false},
      {"BUTTON158", ":", ":", false},
  };
  return buttons;
}

void ScriptEditorDialog::buildControls() {
  auto button = [this](const char* name, const char* caption, int code) {
    auto* b = new QPushButton(u(caption));
    b->setObjectName(QString::fromLatin1(name));
    bindButton(b, code);
    return b;
  };

  // Left column: event number, the script, the line boxes and their buttons.
  auto* left = new QVBoxLayout;
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(u("イベントNo.")));
  number_ = makeEdit(QStringLiteral("EDIT203"));
  number_->setReadOnly(true);
  number_->setMaximumWidth(60);
  top->addWidget(number_);
  top->addStretch();
  top->addWidget(button("BUTTON113", "イベント複写", kCopyEvent));
  top->addWidget(button("BUTTON112", "イベント削除", kDeleteEvent));
  left->addLayout(top);

  lines_ = makeList(QStringLiteral("LIST21"), true);
  lines_->setMinimumSize(440, 260);
  left->addWidget(lines_, 1);
  status_ = new ui::ElidedLabel;
  status_->setObjectName(QStringLiteral("LINESTATUS"));
  status_->setStyleSheet(QStringLiteral("color: #a00000;"));
  left->addWidget(status_);
  auto* lineButtons = new QHBoxLayout;
  lineButtons->addWidget(button("BUTTON29", "行追加", kAddLine));
  lineButtons->addWidget(button("BUTTON30", "行削除", kDeleteLine));
  lineButtons->addStretch();
  lineButtons->addWidget(button("BUTTON114", "メッセージ複写", kCopyLines));
  left->addLayout(lineButtons);

  message_ = makeEdit(QStringLiteral("EDIT20"));
  left->addWidget(labelled(u("メッセージ"), message_));
  auto* messageButtons = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    const InsertButton& b = insertButtons()[i];
    messageButtons->addWidget(button(b.name, b.caption, kInsertBase + i));
  }
  messageButtons->addStretch();
  left->addLayout(messageButtons);
  // The templates get a row of their own so that the dialog fits a 1280-pixel screen.
  messageButtons = new QHBoxLayout;
  const char* templates[][2] = {{"BUTTON144", "店屋"}, {"BUTTON145", "宿屋"}, {"BUTTON146", "宝(物)"},
                                {"BUTTON147", "宝(金)"}, {"BUTTON148", "移動"}, {"BUTTON149", "教会"},
                                {"BUTTON150", "クリア"}};
  for (int i = 0; i < 7; ++i) messageButtons->addWidget(button(templates[i][0], templates[i][1], kTemplateBase + i));
  messageButtons->addStretch();
  left->addLayout(messageButtons);

  command_ = makeEdit(QStringLiteral("EDIT99"));
  auto* commandRow = new QHBoxLayout;
  commandRow->addWidget(command_, 1);
  commandRow->addWidget(button("BUTTON3", "コマンド検索≫", kLookupCommand));
  auto* commandBox = new QWidget;
  auto* commandLayout = new QVBoxLayout(commandBox);
  commandLayout->setContentsMargins(0, 0, 0, 0);
  commandLayout->setSpacing(2);
  commandLayout->addWidget(new QLabel(u("コマンド")));
  commandLayout->addLayout(commandRow);
  left->addWidget(commandBox);
  auto* skeletons = new QHBoxLayout;
  for (std::size_t i = 3; i < insertButtons().size(); ++i) {
    const InsertButton& b = insertButtons()[i];
    QPushButton* p = button(b.name, b.caption, kInsertBase + static_cast<int>(i));
    p->setMinimumWidth(36);
    skeletons->addWidget(p);
  }
  skeletons->addStretch();
  left->addLayout(skeletons);

  // Movement, speed and character.
  auto* eventFields = new QGridLayout;
  movement_ = new QComboBox;
  movement_->setObjectName(QStringLiteral("COMBO70"));
  noWait_ = new QCheckBox(u("移動ウェイトなし"));
  noWait_->setObjectName(QStringLiteral("CHECK7"));
  speed_ = new QComboBox;
  speed_->setObjectName(QStringLiteral("COMBO69"));
  character_ = makeEdit(QStringLiteral("EDIT202"));
  character_->setMaximumWidth(50);
  preview_ = new QLabel;
  preview_->setObjectName(QStringLiteral("PICTURE2"));
  preview_->setFixedSize(64, 64);
  preview_->setFrameShape(QFrame::Box);
  eventFields->addWidget(new QLabel(u("移動方法")), 0, 0);
  eventFields->addWidget(movement_, 0, 1);
  eventFields->addWidget(noWait_, 0, 2);
  eventFields->addWidget(new QLabel(u("速度")), 1, 0);
  eventFields->addWidget(speed_, 1, 1);
  eventFields->addWidget(new QLabel(u("キャラクタNo.")), 2, 0);
  auto* characterRow = new QHBoxLayout;
  characterRow->addWidget(character_);
  characterRow->addWidget(button("BUTTON42", "参照", kPickCharacter));
  characterRow->addStretch();
  eventFields->addLayout(characterRow, 2, 1);
  eventFields->addWidget(preview_, 0, 3, 3, 1);
  auto* sheets = new QGroupBox(u("キャラクタ参照"));
  auto* sheetLayout = new QHBoxLayout(sheets);
  sheetLayout->addWidget(button("BUTTON47", "地形", kShowTerrain));
  sheetLayout->addWidget(button("BUTTON48", "イベント", kShowCharacters));
  eventFields->addWidget(sheets, 0, 4, 3, 1);
  left->addLayout(eventFields);

  auto* okRow = new QHBoxLayout;
  okRow->addStretch();
  okRow->addWidget(button("BUTTON1", "OK", kOk));
  okRow->addWidget(button("BUTTON2", "ｷｬﾝｾﾙ", kCancel));
  left->addLayout(okRow);

  // Right column: the reference and its searches, the project's data, other events.
  auto* right = new QVBoxLayout;
  auto* searchRow = new QHBoxLayout;
  searchText_ = makeEdit(QStringLiteral("EDIT124"));
  searchRow->addWidget(searchText_, 1);
  searchRow->addWidget(button("BUTTON64", "検索", kSearch));
  searchRow->addWidget(button("BUTTON70", "説明検索", kNextDescription));
  searchRow->addWidget(button("BUTTON135", "文字列検索", kTextSearch));
  right->addLayout(searchRow);
  searchNote_ = new QLabel;
  searchNote_->setObjectName(QStringLiteral("SEARCHNOTE"));
  searchNote_->setStyleSheet(QStringLiteral("color: #b00000;"));
  // Its room is kept when it is empty, so the list below never moves.
  searchNote_->setFixedHeight(searchNote_->fontMetrics().height() + 2);
  right->addWidget(searchNote_);
  reference_ = makeList(QStringLiteral("LIST10"), true);
  reference_->setMinimumSize(440, 220);
  right->addWidget(labelled(u("イベントコマンド"), reference_), 2);

  auto* data = new QGridLayout;
  const char* dataLists[][2] = {{"LIST12", "プレイヤーデータ"}, {"LIST20", "魔法データ"},
                                {"LIST16", "敵データ"}, {"LIST11", "道具･武器データ"}};
  for (int i = 0; i < 4; ++i) {
    QListWidget* list = makeList(QString::fromLatin1(dataLists[i][0]), false);
    list->setMinimumHeight(90);
    data->addWidget(labelled(u(dataLists[i][1]), list), i / 2, i % 2);
  }
  right->addLayout(data, 1);

  auto* mapRow = new QHBoxLayout;
  mapRow->addWidget(new QLabel(u("マップ")));
  maps_ = new QComboBox;
  maps_->setObjectName(QStringLiteral("COMBO60"));
  mapRow->addWidget(maps_, 1);
  right->addLayout(mapRow);
  auto* eventData = new QHBoxLayout;
  events_ = makeList(QStringLiteral("LIST17"), true);
  eventLines_ = makeList(QStringLiteral("LIST23"), true);
  eventLines_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Wide enough for an event's number and a message of sixteen full-width characters.
  events_->setMinimumWidth(events_->fontMetrics().horizontalAdvance(u("100:") + QString(16, QChar(0x3042))) +
                           events_->verticalScrollBar()->sizeHint().width() + 2 * events_->frameWidth() + 4);
  eventData->addWidget(labelled(u("イベントデータ"), events_), 1);
  eventData->addWidget(labelled(QString(), eventLines_), 2);
  right->addLayout(eventData, 1);

  auto* root = new QHBoxLayout(this);
  root->addLayout(left, 1);
  root->addLayout(right, 1);

  // Destructive buttons never keep the focus a click would give them.
  for (const char* name : {"BUTTON112", "BUTTON30"}) control<QWidget>(QString::fromLatin1(name))->setFocusPolicy(Qt::TabFocus);

  // The boxes store their line when they lose the focus.
  message_->installEventFilter(this);
  command_->installEventFilter(this);
  connect(lines_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (updating_ || row < 0) return;
    selectedRow_ = row;
    post(kSelectLine);
  });
  connect(maps_, &QComboBox::activated, this, [this](int) { post(kMapChosen); });
  connect(events_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!updating_ && row >= 0) post(kEventChosen);
  });
  connect(movement_, &QComboBox::activated, this, [this](int) { movementTouched_ = true; });
  connect(noWait_, &QCheckBox::clicked, this, [this](bool) { movementTouched_ = true; });
  connect(speed_, &QComboBox::activated, this, [this](int) { speedTouched_ = true; });
  connect(command_, &QLineEdit::textEdited, this, [this](const QString&) { filledEnd_ = false; });
  // Typing is never held up: the typed line is checked when the typing pauses.
  typingPause_ = new QTimer(this);
  typingPause_->setSingleShot(true);
  typingPause_->setInterval(300);
  connect(typingPause_, &QTimer::timeout, this, [this] { showStatus(); });
  for (QLineEdit* box : {message_, command_})
    connect(box, &QLineEdit::textEdited, typingPause_, qOverload<>(&QTimer::start));
  connect(character_, &QLineEdit::textChanged, this, [this](const QString&) { drawPreview(); });
}

void ScriptEditorDialog::fillDataLists() {
  const data::ProjectDatabase& db = ctx_.db;
  for (int s = 1; s <= 4; ++s) speed_->addItem(QString::number(s));
  for (const auto& name : event::movementNames()) movement_->addItem(ui::toQString(name));

  auto row = [](int i, const text::Bytes& name) { return QString::number(i) + u(":") + ui::toQString(name); };
  auto* players = control<QListWidget>(QStringLiteral("LIST12"));
  const int playerCount = std::min<int>(db.max.players, static_cast<int>(db.players.name.size()));
  for (int i = 0; i < playerCount; ++i) players->addItem(row(i, db.players.name[i]));
  auto* magic = control<QListWidget>(QStringLiteral("LIST20"));
  for (int i = 0; i < db.magic.count(); ++i) magic->addItem(row(i, db.magic.text[i][0]));
  auto* enemies = control<QListWidget>(QStringLiteral("LIST16"));
  for (int i = 0; i < db.enemies.count(); ++i) enemies->addItem(row(i, db.enemies.name[i]));
  auto* items = control<QListWidget>(QStringLiteral("LIST11"));
  for (int i = 0; i < db.items.count(); ++i) {
    const float price = i < static_cast<int>(db.items.price.size()) ? db.items.price[i] : 0.0f;
    items->addItem(row(i, db.items.text[i][0]) + u("(") + QString::number(static_cast<double>(price)) + u(")"));
  }

  for (int m = 0; m < db.max.maps; ++m)
    maps_->addItem(row(m, m < db.maps.count() ? db.maps.name[m] : text::Bytes()));

  for (const auto& line : event::CommandReference::builtIn().lines()) reference_->addItem(ui::toQString(line));
}

}  // namespace quillane::gui
