#include "gui/tools/debug_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "core/data/map_context.h"
#include "core/map/map_files.h"
#include "core/tools/debug_listing.h"
#include "core/tools/test_save.h"
#include "gui/app/workspace.h"
#include "gui/ui/fonts.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

QPushButton* button(const QString& name, const QString& caption) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QComboBox* combo(const QString& name) {
  auto* c = new QComboBox;
  c->setObjectName(name);
  return c;
}

}  // namespace

DebugDialog::DebugDialog(app::Workspace& ws, QWidget* parent)
    : ui::Form(QStringLiteral("FORM_DEBUG"), QStringLiteral("デバッグモード"), kOk, parent), ws_(ws) {
  const int maps = std::clamp(ws_.db.max.maps, 0, ws_.db.maps.count());
  ws_.eventFlags.fit(maps);
  std::vector<text::Bytes> names(ws_.db.maps.name.begin(), ws_.db.maps.name.begin() + maps);
  const std::filesystem::path folder = ws_.projectFolder;
  const map::MapFileContext context = data::mapContext(ws_.db);
  source_ = std::make_unique<event::FlagEventSource>(
      ws_.mapIndex, ws_.map->events, std::move(names),
      [folder, context](int number) -> std::optional<event::MapEvents> {
        return map::readOtherMapEvents(folder, number, context);
      });
  if (ws_.debugMap < 0 || ws_.debugMap >= maps) ws_.debugMap = 0;
  if (ws_.debugSlot < 1 || ws_.debugSlot > tools::kSaveSlots) ws_.debugSlot = 1;
  build();

  QSignalBlocker b1(map_), b2(slot_);
  // Each map with its number, as the editor's other map boxes show them: unnamed maps
  // stay distinguishable.
  for (int m = 0; m < maps; ++m)
    map_->addItem(QString::number(m) + QLatin1Char(':') + ui::toQString(source_->mapName(m)));
  map_->setCurrentIndex(ws_.debugMap < maps ? ws_.debugMap : -1);
  for (int s = 1; s <= tools::kSaveSlots; ++s) slot_->addItem(QString::number(s));
  slot_->setCurrentIndex(ws_.debugSlot - 1);
  fillEvents();
}

DebugDialog::~DebugDialog() = default;

void DebugDialog::build() {
  auto* top = new QVBoxLayout(this);
  auto* mapRow = new QHBoxLayout;
  mapRow->addWidget(new QLabel(QStringLiteral("マップ")));
  map_ = combo(QStringLiteral("COMBO_MAP"));
  map_->setMinimumContentsLength(24);
  mapRow->addWidget(map_, 1);
  top->addLayout(mapRow);

  auto* group = new QGroupBox(QStringLiteral("イベント･フラグ値一覧"));
  auto* gl = new QVBoxLayout(group);
  events_ = new QListWidget;
  events_->setObjectName(QStringLiteral("LIST_EVENTS"));
  events_->setFont(ui::fixedPitchFont());
  events_->setMinimumSize(520, 320);
  gl->addWidget(events_);
  auto* flagRow = new QHBoxLayout;
  flagRow->addWidget(new QLabel(QStringLiteral("フラグ")));
  flag_ = combo(QStringLiteral("COMBO_FLAG"));
  flag_->setMinimumContentsLength(30);
  flagRow->addWidget(flag_, 1);
  gl->addLayout(flagRow);
  top->addWidget(group, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(new QLabel(QStringLiteral("セーブデータNo.")));
  slot_ = combo(QStringLiteral("COMBO_SLOT"));
  bottom->addWidget(slot_);
  auto* saveButton = button(QStringLiteral("BUTTON_SAVE"), QStringLiteral("保存"));
  bottom->addWidget(saveButton);
  bottom->addStretch();
  auto* ok = button(QStringLiteral("BUTTON_OK"), QStringLiteral("OK"));
  ok->setMinimumWidth(100);
  bottom->addWidget(ok);
  top->addLayout(bottom);

  bindButton(saveButton, kSave);
  bindButton(ok, kOk);
  connect(map_, &QComboBox::activated, this, [this] { post(kMap); });
  connect(flag_, &QComboBox::activated, this, [this] { post(kFlag); });
  connect(slot_, &QComboBox::activated, this, [this] { post(kSlot); });
  connect(events_, &QListWidget::currentRowChanged, this, [this] {
    if (!refreshing_) post(kEvent);
  });
}

void DebugDialog::run() {
  map_->setFocus();
  while (handle(waitAction())) {
  }
}

bool DebugDialog::handle(int code) {
  switch (code) {
    case kOk:
      finish();
      return false;
    case kMap:
      if (map_->currentIndex() >= 0) {
        ws_.debugMap = map_->currentIndex();
        event_ = 0;
        fillEvents();
      }
      break;
    case kEvent:
      if (events_->currentRow() >= 0) {
        event_ = events_->currentRow();
        fillFlags();
      }
      break;
    case kFlag:
      if (flag_->currentIndex() >= 0) {
        ws_.eventFlags.set(ws_.debugMap, event_, flag_->currentIndex());
        fillEvents();
      }
      break;
    case kSlot:
      if (slot_->currentIndex() >= 0) ws_.debugSlot = slot_->currentIndex() + 1;
      break;
    case kSave: save(); break;
    default: break;
  }
  return true;
}

void DebugDialog::fillEvents() {
  refreshing_ = true;
  events_->clear();
  for (const text::Bytes& line : tools::eventListLines(*source_, ws_.debugMap, ws_.eventFlags))
    events_->addItem(ui::toQString(line));
  if (event_ >= 0 && event_ < events_->count()) events_->setCurrentRow(event_);
  refreshing_ = false;
  fillFlags();
}

void DebugDialog::fillFlags() {
  QSignalBlocker block(flag_);
  flag_->clear();
  if (event_ < 0 || event_ >= events_->count()) {
    flag_->setPlaceholderText({});
    return;
  }
  for (const text::Bytes& line : tools::flagLines(*source_, ws_.debugMap, event_)) flag_->addItem(ui::toQString(line));
  const int flag = ws_.eventFlags.get(ws_.debugMap, event_);
  // A flag past the event's end marker is shown without a selection.
  flag_->setPlaceholderText(ui::toQString(tools::flagText(*source_, ws_.debugMap, event_, flag)));
  flag_->setCurrentIndex(flag < flag_->count() ? flag : -1);
}

void DebugDialog::save() {
  text::Bytes bad;
  std::optional<text::Bytes> bytes =
      tools::testSaveBytes({ws_.db, *ws_.map, ws_.mapIndex, ws_.eventFlags}, &bad);
  std::optional<std::string> failure;
  if (!bytes) {
    ui::messageBox(QStringLiteral("「") + ui::toQString(bad) +
                       QStringLiteral("」に「,」が含まれているため、セーブデータを保存できません"),
                   QStringLiteral("保存エラー"), ui::Buttons::Ok, ui::Icon::Exclamation);
    map_->setFocus();
    return;
  }
  failure = tools::writeTestSave(ws_.projectFolder, ws_.debugSlot, *bytes);
  if (failure) {
    ui::messageBox(QStringLiteral("セーブデータを保存できませんでした\n") + QString::fromStdString(*failure),
                   QStringLiteral("保存エラー"), ui::Buttons::Ok, ui::Icon::Exclamation);
  } else {
    ui::messageBox(QStringLiteral("セーブデータの保存が完了しました"), QStringLiteral("保存完了"));
  }
  map_->setFocus();
}

}  // namespace quillane::gui
