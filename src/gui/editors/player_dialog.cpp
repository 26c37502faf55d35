#include "gui/editors/player_dialog.h"

#include "core/editors/record_rows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <algorithm>

#include "core/editors/equipment.h"
#include "core/editors/field_conversions.h"
#include "core/editors/level_table_rows.h"
#include "core/editors/player_lists.h"
#include "core/map/map_properties_files.h"
#include "gui/editors/growth_graph.h"
#include "gui/editors/player_pictures.h"
#include "gui/ui/bitmaps.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

constexpr int kAnimationTickMs = 150;
constexpr int kAnimationTicks = 16;  // about 2.4 seconds

std::size_t at(int i) { return static_cast<std::size_t>(i); }

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QStringList shown(const std::vector<text::Bytes>& rows) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(rows.size()));
  for (const auto& row : rows) list << ui::toQString(row);
  return list;
}

// Refills a list in one insertion (one model notification instead of one a row).
void fillList(QListWidget* list, const std::vector<text::Bytes>& rows) {
  list->clear();
  list->addItems(shown(rows));
}

int selectedRow(const QListWidget* list) {
  const auto selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.front());
}

}  // namespace

PlayerDialog::PlayerDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, QImage characterSheet,
                           QWidget* parent)
    : ui::Form(QStringLiteral("FORM_PLAYER"), u("プレイヤーモード"), kCancel, parent),
      db_(db),
      folder_(std::move(projectFolder)),
      sheet_(std::move(characterSheet)) {
  build();
  bindFields();
  animation_.setInterval(kAnimationTickMs);
  connect(&animation_, &QTimer::timeout, this, [this] {
    const int patterns = std::clamp(static_cast<int>(db_.initial.animationPatterns), 1, 16);
    showCharacter(++animationTicks_ % patterns);
    if (animationTicks_ >= kAnimationTicks) stopAnimation();
  });
}

void PlayerDialog::bindFields() {
  auto& t = db_.players;
  auto edit = [this](const char* name) { return control<QLineEdit>(QString::fromLatin1(name)); };
  FieldBinding& b = fields_;
  b.text(edit("EDIT_NAME"), column(t.name), TextRule::EvenLength);
  b.number(edit("EDIT_HP"), column(t.hp));
  b.number(edit("EDIT_MAXHP"), column(t.maxHp), NumberRule::ZeroAsOne);
  b.number(edit("EDIT_MP"), column(t.mp));
  b.number(edit("EDIT_MAXMP"), column(t.maxMp));
  b.number(edit("EDIT_ATTACK"), column(t.attack));
  b.number(edit("EDIT_DEFENCE"), column(t.defence));
  b.number(edit("EDIT_SPEED"), column(t.speed));
  b.number(edit("EDIT_LEVEL"), column(t.level));
  b.integer(edit("EDIT_EXPERIENCE"), column(t.experience));
  b.integer(edit("EDIT_NEXT"), column(t.nextExperience));
  b.number(edit("EDIT_MDEFENCE"), column(t.magicDefence));
  b.number(edit("EDIT_HIT"), column(t.hitRate));
  b.number(edit("EDIT_CRITICAL"), column(t.critical));
  b.number(faceBox_, column(t.face));
  b.selector(attributeBox_, column(t.attribute), editors::IndexRule::Plain);
  for (int k = 0; k < 8; ++k)
    b.number(edit(QStringLiteral("EDIT_AILMENT%1").arg(k).toLatin1().constData()), element(t.ailment, at(k)));
  b.check(control<QCheckBox>(QStringLiteral("CHECK_HIDE")), column(t.attributeHidden));
  b.text(cursorBox_->lineEdit(), column(t.cursorFile), TextRule::AsTyped, data::TextUse::Bare);
  b.text(characterBox_, column(t.characterGraphic));
}

editors::RecordOutcome PlayerDialog::open(int player) {
  enter(player);
  for (;;) {
    const int code = waitAction();
    if (code == kCancel) {
      stopAnimation();
      copies_.restore(db_);
      finish();
      return editors::RecordOutcome::Cancelled;
    }
    // A text the project cannot hold was refused with a message: the dialog stays, with
    // the typed text in its box, so that nothing typed is lost on the way out.
    if (!commit()) continue;
    switch (code) {
      case kOk: finish(); return editors::RecordOutcome::Confirmed;
      case kPrevious: return editors::RecordOutcome::Previous;
      case kNext: return editors::RecordOutcome::Next;
      default: handle(code);
    }
  }
}

void PlayerDialog::enter(int player) {
  player_ = player;
  copies_ = editors::PlayerCopies::take(db_);
  if (!catalogues_) {
    fillCatalogues();
    catalogues_ = true;
  }
  control<QLineEdit>(QStringLiteral("EDIT_NAME"))->setFocus();
  statBox_->setCurrentIndex(0);
  display();
  selectStat(editors::Stat::Hp);
}

void PlayerDialog::fillCatalogues() {
  QStringList commands;
  for (const char* caption : editors::kBattleCommands) commands << u(caption);
  commandCatalogue_->clear();
  commandCatalogue_->addItems(commands);
  cursorBox_->clear();
  cursorBox_->addItems(shown(map::listStems(folder_, "GRP", "*.bmp")));
  fillList(itemCatalogue_, editors::itemCatalogue(db_));
  const std::vector<text::Bytes> magic = editors::magicCatalogue(db_);
  fillList(magicCatalogue_, magic);
  learnedBox_->clear();
  learnedBox_->addItem(u("なし"));
  learnedBox_->addItems(shown(magic));
  learnedBox_->setCurrentIndex(-1);
  attributeBox_->clear();
  attributeBox_->addItems(shown(editors::attributeRows(db_.scenery)));
}

void PlayerDialog::display() {
  control<QLineEdit>(QStringLiteral("EDIT_NO"))->setText(QString::number(player_));
  fields_.display(player_);
  equipChanged_.fill(false);
  showFace();
  showCharacter();
  showBattleMenu();
  showLevelTable();
  showHeldLists();  // and the equipment selectors
}

bool PlayerDialog::commit() {
  const bool ok = fields_.commit(player_);
  applyEquipment();
  return ok;
}

void PlayerDialog::handle(int code) {
  auto& t = db_.players;
  switch (code) {
    case kShowFace: showFace(); break;
    case kAnimate: playAnimation(); break;
    case kCharacterChanged: showCharacter(); break;
    case kAddItem: {
      const int row = selectedRow(itemCatalogue_);
      if (row >= 0 && editors::addHeldItem(db_, player_, row)) showHeldLists();
      break;
    }
    case kRemoveItem:
      if (editors::removeHeldItem(db_, player_, selectedRow(heldItems_))) showHeldLists();
      break;
    case kAddMagic: {
      const int row = selectedRow(magicCatalogue_);
      if (row >= 0 && editors::addHeldMagic(db_, player_, row)) showHeldLists();
      break;
    }
    case kRemoveMagic:
      if (editors::removeHeldMagic(db_, player_, selectedRow(heldMagic_))) showHeldLists();
      break;
    case kClearLearned:
      std::ranges::fill(db_.levels.magicLearned[at(player_)], 0.0f);
      showLevelTable();
      break;
    case kRedisplayTable: showLevelTable(); break;
    case kEquipChanged: showEquipment(); break;
    case kMenuInsert: {
      const int command = selectedRow(commandCatalogue_);
      if (command < 0) break;
      const int put = editors::insertBattleCommand(t.battleMenu[at(player_)], selectedRow(menuList_), command + 1);
      if (put >= 0) showBattleMenu(put);
      break;
    }
    case kMenuRemove: {
      const int row = selectedRow(menuList_);
      if (editors::removeBattleCommand(t.battleMenu[at(player_)], row)) showBattleMenu();
      break;
    }
    case kMenuUp:
    case kMenuDown: {
      const int to = editors::moveBattleCommand(t.battleMenu[at(player_)], selectedRow(menuList_),
                                                code == kMenuUp ? -1 : 1);
      if (to >= 0) showBattleMenu(to);
      break;
    }
    case kStatChanged: selectStat(static_cast<editors::Stat>(std::max(statBox_->currentIndex(), 0))); break;
    case kShowGraph:
      base_ = editors::baseValue(t, player_, stat_);
      redrawGraph();
      break;
    case kEven:
      base_ = editors::baseValue(t, player_, stat_);
      editors::spreadEvenly(w_, base_, editors::typedNumber(typedBytes(targetBox_)), steps());
      redrawGraph();
      break;
    case kCurve:
      if (shapeBox_->currentIndex() < 0) break;
      base_ = editors::baseValue(t, player_, stat_);
      editors::spreadCurve(w_, base_, editors::typedNumber(typedBytes(targetBox_)), steps(),
                           editors::kCurveShapes[at(shapeBox_->currentIndex())]);
      redrawGraph();
      break;
    case kRegisterGrowth:
      editors::registerIncrements(db_.levels, player_, stat_, w_);
      showLevelTable();
      break;
    case kRegisterRow: registerRow(); break;
    case kGraphPress:
      base_ = editors::baseValue(t, player_, stat_);
      dragGraph(pressAt_.x(), pressAt_.y());
      break;
    default: break;
  }
}

editors::GrowthSteps PlayerDialog::steps() const {
  return editors::growthSteps(db_.players.level[at(player_)], static_cast<int>(w_.size()));
}

double PlayerDialog::displayMax() const { return editors::typedNumber(typedBytes(displayMaxBox_)); }

void PlayerDialog::selectStat(editors::Stat stat) {
  stat_ = stat;
  const int levels = std::clamp(db_.max.levels, 1, static_cast<int>(db_.levels.hpGain[at(player_)].size()));
  base_ = editors::baseValue(db_.players, player_, stat);
  w_ = editors::storedIncrements(db_.levels, player_, stat, levels);
  const editors::GrowthSummary s = editors::summarize(base_, w_, steps());
  displayMaxBox_->setText(ui::toQString(editors::shownNumber(s.displayMax())));
  targetBox_->setText(ui::toQString(editors::shownNumber(s.top)));
  redrawGraph();
}

void PlayerDialog::redrawGraph() { graph_->setPoints(editors::graphPoints(base_, w_, steps(), displayMax())); }

void PlayerDialog::dragGraph(int x, int y) {
  if (editors::dragPoint(w_, base_, steps(), displayMax(), x, y)) redrawGraph();
}

void PlayerDialog::registerRow() {
  const int row = selectedRow(levelList_);
  if (row < 0) return;
  const editors::GrowthSteps s = steps();
  const int step = s.first() + row;
  std::array<std::optional<double>, editors::kStats> values{};
  for (int k = 0; k < editors::kStats; ++k) {
    QLineEdit* box = rowBoxes_[at(k)];
    if (!box->text().isEmpty()) values[at(k)] = editors::typedNumber(typedBytes(box));
  }
  std::optional<int> magic;
  if (learnedBox_->currentIndex() >= 0) magic = learnedBox_->currentIndex();
  editors::registerRow(db_.levels, player_, step, values, magic);
  // The magic choice is applied once: the next row keeps its magic unless one is picked.
  learnedBox_->setCurrentIndex(-1);
  showLevelTable();
  levelList_->setCurrentRow(row);
}

void PlayerDialog::showLevelTable() {
  const int row = levelList_->currentRow();
  fillList(levelList_, editors::levelTableRows(db_, player_));
  if (row >= 0 && row < levelList_->count()) levelList_->setCurrentRow(row);
}

void PlayerDialog::showEquipment() {
  const bool twoHanded = editors::holdsTwoHanded(db_, player_);
  for (int k = 0; k < 5; ++k) {
    const int slot = editors::kSelectorSlots[at(k)];
    QComboBox* box = equipBoxes_[at(k)];
    const editors::EquipChoices c = editors::equipChoices(db_, player_, slot);
    equipOffered_[k] = c.places;
    QStringList rows{u("なし")};
    for (int place : c.places) rows << ui::toQString(editors::itemEntry(db_, db_.players.heldItem[at(player_)][at(place)]));
    if (c.outside) rows << ui::toQString(editors::itemEntry(db_, static_cast<float>(*c.outside)));
    box->clear();
    box->addItems(rows);
    box->setCurrentIndex(c.shown);
    box->setEnabled(true);
  }
  if (twoHanded) {
    // Both hands hold the weapon: the shield selector shows it and is locked.
    QComboBox* shield = equipBoxes_[2];
    shield->clear();
    shield->addItem(ui::toQString(editors::itemEntry(db_, db_.players.equipment[at(player_)][0] - 1)));
    shield->setEnabled(false);
  }
  equipChanged_.fill(false);
}

void PlayerDialog::applyEquipment() {
  for (int k = 0; k < 5; ++k) {
    if (!equipChanged_[at(k)]) continue;
    equipChanged_[at(k)] = false;
    const int row = equipBoxes_[at(k)]->currentIndex();
    // The extra row of an item the list does not offer changes nothing.
    if (row < 0 || row > static_cast<int>(equipOffered_[k].size())) continue;
    editors::applyEquipRow(db_, player_, editors::kSelectorSlots[at(k)], row);
  }
}

void PlayerDialog::showBattleMenu(int selected) {
  const auto& menu = db_.players.battleMenu[at(player_)];
  menuList_->clear();
  const int n = editors::battleMenuLength(menu);
  for (int k = 0; k < n; ++k) menuList_->addItem(ui::toQString(editors::battleCommandCaption(menu[at(k)])));
  menuLength_->setText(QString::number(n));
  if (selected >= 0 && selected < n) menuList_->setCurrentRow(selected);
}

void PlayerDialog::showHeldLists() {
  fillList(heldItems_, editors::heldItemRows(db_, player_));
  fillList(heldMagic_, editors::heldMagicRows(db_, player_));
  // The equipment selectors follow every change of the held list.
  showEquipment();
}

void PlayerDialog::showFace() {
  const text::Bytes stem = "kao" + editors::shownNumber(db_.players.face[at(player_)]);
  if (auto image = ui::projectBitmap(folder_, "GRP", stem, "_0.bmp")) face_->setPicture(*image);
}

void PlayerDialog::showCharacter(int pattern) {
  frames_->setPicture(characterFrames(sheet_, characterNumber(characterBox_->text()), pattern));
}

void PlayerDialog::playAnimation() {
  // The preview runs on a timer; while it runs the dialog takes no input but Escape.
  animationTicks_ = 0;
  qApp->installEventFilter(this);
  animation_.start();
  while (animation_.isActive()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void PlayerDialog::stopAnimation() {
  if (!animation_.isActive()) return;
  animation_.stop();
  qApp->removeEventFilter(this);
  showCharacter();
}

bool PlayerDialog::eventFilter(QObject* watched, QEvent* event) {
  if (!animation_.isActive()) return ui::Form::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) stopAnimation();
      return true;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::Close:
      return true;
    default: return ui::Form::eventFilter(watched, event);
  }
}

}  // namespace quillane::gui
