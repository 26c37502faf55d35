#include "gui/editors/initial_values_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "core/data/text_rules.h"
#include "core/editors/field_conversions.h"
#include "core/event/flag_rows.h"
#include "gui/editors/field_binding.h"
#include "gui/ui/colour_chooser.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

using ui::toQString;

namespace {

void setRadio(QButtonGroup* group, int id) {
  // An exclusive group cannot uncheck its last button: lift the rule for a moment.
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(group->id(b) == id);
  group->setExclusive(true);
}

void refuse(const text::Bytes& message, const QString& title) {
  ui::messageBox(toQString(message), title, ui::Buttons::Ok, ui::Icon::Exclamation);
}

}  // namespace

InitialValuesDialog::InitialValuesDialog(data::ProjectDatabase& db, event::FlagEventSource& source,
                                         FlagMapPicker* picker, QWidget* parent)
    : ui::Form(QStringLiteral("INIFORM"), QStringLiteral("初期値モード"), kCancel, parent),
      db_(db),
      source_(source),
      picker_(picker),
      iv_(db.initial),
      gamePassword_(db.hidden.gamePassword),
      editingPassword_(db.hidden.editingPassword) {
  build();
  for (RadioGroup& r : radios_) {
    QButtonGroup* group = r.group;
    connect(group, &QButtonGroup::idClicked, this, [group] { group->setProperty("touched", true); });
  }
  connect(screen_, &QButtonGroup::idClicked, this, [this] { screen_->setProperty("touched", true); });
  display();
}

void InitialValuesDialog::display() {
  title_->setText(toQString(iv_.title));
  gamePasswordBox_->setText(toQString(text::trimRight(gamePassword_)));
  editingPasswordBox_->setText(toQString(text::trimRight(editingPassword_)));
  for (const NumberBox& n : numbers_)
    n.edit->setText(toQString(editors::shownNumber(iv_.*n.field + static_cast<float>(n.shownOffset))));
  for (Selector& s : selectors_) {
    const float v = iv_.*s.field;
    int index = s.choices.empty() ? (v >= 0 && v < static_cast<float>(s.box->count()) && v == static_cast<int>(v)
                                         ? static_cast<int>(v)
                                         : -1)
                                  : editors::choiceIndex(s.choices, v);
    QSignalBlocker block(s.box);
    s.box->setCurrentIndex(index);
  }
  for (const RadioGroup& r : radios_) setRadio(r.group, editors::choiceIndex(r.choices, iv_.*r.field));
  setRadio(screen_, editors::screenSizeIndex(iv_.screenWidth));
  fullScreen_->setChecked(iv_.fullScreen != 0);
  colour_->setText(toQString(editors::colourHex(iv_.transparentColour)));
  showColour();

  {
    QSignalBlocker block(firstMap_);
    firstMap_->clear();
    for (const text::Bytes& item : event::mapItems(source_)) firstMap_->addItem(toQString(item));
    // A first map beyond the map count shows no choice until one is picked.
    firstMap_->setPlaceholderText(QStringLiteral("なし"));
    firstMap_->setCurrentIndex(editors::recordIndex(iv_.initialMap, firstMap_->count()));
  }
  fillStartEvents();
  showPosition();
  fillMenu(0);
  fillMenu(1);
}

void InitialValuesDialog::fillStartEvents() {
  const int map = firstMap_->currentIndex() >= 0 ? firstMap_->currentIndex() : static_cast<int>(iv_.initialMap);
  QSignalBlocker block(startEvent_);
  startEvent_->clear();
  startEvent_->addItem(QStringLiteral("設定無し"));
  if (map >= 0 && map < source_.mapCount())
    for (const text::Bytes& item : event::shortEventItems(source_, map)) startEvent_->addItem(toQString(item));
  startEvent_->setPlaceholderText(QStringLiteral("無し"));
  const int event = static_cast<int>(iv_.startEvent);
  startEvent_->setCurrentIndex(event >= 0 && event + 1 < startEvent_->count() ? event + 1 : -1);
  startEventTouched_ = false;
}

void InitialValuesDialog::showPosition() {
  positionShown_ = iv_.initialX == 0 && iv_.initialY == 0 ? 0 : 1;
  QSignalBlocker block(position_);
  position_->setCurrentIndex(positionShown_);
  startX_->setEnabled(positionShown_ == 1);
  startY_->setEnabled(positionShown_ == 1);
}

void InitialValuesDialog::showColour() {
  const auto bytes = ui::toBytes(colour_->text());
  const editors::Rgb rgb = editors::rgbOf(editors::parseColourHex(bytes ? *bytes : text::Bytes()));
  QPalette palette = swatch_->palette();
  palette.setColor(QPalette::Window, QColor(rgb.red, rgb.green, rgb.blue));
  swatch_->setPalette(palette);
}

editors::MenuPlaces InitialValuesDialog::menuPlaces(int menu) {
  if (menu == 0) return editors::MenuPlaces(iv_.systemMenu, editors::kSystemMenuShown);
  return editors::MenuPlaces(iv_.settingsMenu, editors::kSettingsMenuShown);
}

void InitialValuesDialog::fillMenu(int menu, int select) {
  const auto catalogue = menu == 0 ? editors::systemMenuCatalogue() : editors::settingsMenuCatalogue();
  QListWidget* list = menu_[static_cast<std::size_t>(menu)];
  list->clear();
  for (int code : menuPlaces(menu).codes()) {
    // A code the catalogue does not know is shown as its number.
    const bool known = code >= 1 && code <= static_cast<int>(catalogue.size());
    list->addItem(known ? QString::fromUtf8(catalogue[static_cast<std::size_t>(code - 1)]) : QString::number(code));
  }
  if (select >= 0 && select < list->count()) list->setCurrentRow(select);
}

InitialValuesOutcome InitialValuesDialog::run() {
  InitialValuesOutcome outcome;
  for (;;) {
    const int code = waitAction();
    if (code == kCancel) break;
    if (code == kOk) {
      if (!commit()) continue;
      const data::InitialValues& old = db_.initial;
      outcome.accepted = true;
      outcome.lookChanged = old.mapChip != iv_.mapChip || old.characterWidth != iv_.characterWidth ||
                            old.characterHeight != iv_.characterHeight ||
                            old.transparentColour != iv_.transparentColour;
      outcome.editingPasswordChanged = text::trimRight(editingPassword_) != text::trimRight(db_.hidden.editingPassword);
      outcome.changed = !(old == iv_) || outcome.editingPasswordChanged ||
                        text::trimRight(gamePassword_) != text::trimRight(db_.hidden.gamePassword);
      db_.initial = iv_;
      db_.hidden.gamePassword = gamePassword_;
      db_.hidden.editingPassword = editingPassword_;
      outcome.editingPassword = text::trimRight(editingPassword_);
      break;
    }
    handle(code);
  }
  finish();
  return outcome;
}

bool InitialValuesDialog::handle(int code) {
  if (code == kFirstMap) handleFirstMap();
  else if (code == kPosition) handlePosition();
  else if (code == kColourBrowse) handleColourBrowse();
  else if (code == kColourTyped) showColour();
  else if (code >= kMenuAction && code < kMenuAction + 8) handleMenu((code - kMenuAction) / 4, (code - kMenuAction) % 4);
  return true;
}

void InitialValuesDialog::handleFirstMap() {
  // The start-event list follows the chosen map; the start event is chosen again.
  fillStartEvents();
}

void InitialValuesDialog::handlePosition() {
  const int choice = position_->currentIndex();
  if (choice == 0) {
    positionShown_ = 0;
    startX_->setText(QStringLiteral("0"));
    startY_->setText(QStringLiteral("0"));
  } else if (choice == 1) {
    const int firstMap = firstMap_->currentIndex() >= 0 ? firstMap_->currentIndex() : static_cast<int>(iv_.initialMap);
    if (picker_ && editors::canPickStart(source_.openMap(), firstMap)) {
      // The map takes the click while the dialog is out of the way; waitAction shows it again.
      hide();
      std::optional<MapPick> picked = picker_->pick(PickSheet::EventCharacters);
      if (picked) {
        positionShown_ = 1;
        startX_->setText(QString::number(picked->x));
        startY_->setText(QString::number(picked->y));
      }
    } else {
      // Another map than the open one: the position is typed.
      positionShown_ = 1;
    }
  }
  QSignalBlocker block(position_);
  position_->setCurrentIndex(positionShown_);
  startX_->setEnabled(positionShown_ == 1);
  startY_->setEnabled(positionShown_ == 1);
  if (positionShown_ == 1) startX_->setFocus();
}

void InitialValuesDialog::handleColourBrowse() {
  const auto bytes = ui::toBytes(colour_->text());
  const editors::Rgb rgb = editors::rgbOf(editors::parseColourHex(bytes ? *bytes : text::Bytes()));
  std::optional<QColor> chosen = ui::chooseColour(QColor(rgb.red, rgb.green, rgb.blue), QStringLiteral("透明色"), this);
  if (!chosen) return;
  colour_->setText(toQString(editors::colourHex(editors::windowsColour(chosen->red(), chosen->green(), chosen->blue()))));
  showColour();
}

void InitialValuesDialog::handleMenu(int menu, int action) {
  QListWidget* list = menu_[static_cast<std::size_t>(menu)];
  editors::MenuPlaces places = menuPlaces(menu);
  const int selected = list->currentRow();
  int select = selected;
  if (action == 0) {
    const int entry = catalogue_[static_cast<std::size_t>(menu)]->currentRow();
    if (entry < 0) return;
    select = places.insert(selected, entry + 1);
    if (select < 0) return;
  } else if (action == 1) {
    if (!places.remove(selected)) return;
    select = std::min(selected, places.length() - 1);
  } else {
    if (selected < 0) return;
    select = places.move(selected, action == 2 ? -1 : 1);
  }
  fillMenu(menu, select);
}

bool InitialValuesDialog::commit() {
  const QString title = QStringLiteral("初期値モード");
  auto typed = [](QLineEdit* e) { return ui::toBytes(e->text()); };
  auto titleText = typed(title_);
  if (!titleText) {
    refuse(text::sj("Shift-JISで書けない文字が含まれています"), title);
    return false;
  }
  if (auto refusal = data::refuseText(*titleText)) {
    refuse(*refusal, ui::toQString(data::refuseTextTitle()));
    return false;
  }
  auto game = typed(gamePasswordBox_);
  std::optional<text::Bytes> gameRefusal = game ? data::refusePassword(*game) : data::refusePassword("\x01");
  if (gameRefusal) {
    refuse(*gameRefusal, title);
    return false;
  }
  auto editing = typed(editingPasswordBox_);
  const editors::PasswordEntry entry = editors::editingPasswordEntry(editing ? *editing : "\x01", editingPassword_);
  if (entry.refusal) {
    refuse(*entry.refusal, title);
    return false;
  }
  // An empty editing password is refused by showing the current one again.
  editingPasswordBox_->setText(toQString(entry.value));

  iv_.title = *titleText;
  if (text::trimRight(*game) != text::trimRight(gamePassword_)) gamePassword_ = *game;
  if (text::trimRight(entry.value) != text::trimRight(editingPassword_)) editingPassword_ = entry.value;
  for (const NumberBox& n : numbers_)
    iv_.*n.field = editors::typedNumber(typedBytes(n.edit)) - static_cast<float>(n.shownOffset);
  iv_.characterWidth = editors::clampCharacterWidth(iv_.characterWidth);
  iv_.characterHeight = editors::clampCharacterHeight(iv_.characterHeight);
  if (positionShown_ == 0) iv_.initialX = iv_.initialY = 0;
  for (const Selector& s : selectors_) {
    const int index = s.box->currentIndex();
    if (!s.touched || index < 0) continue;
    iv_.*s.field = static_cast<float>(s.choices.empty() ? index : s.choices[static_cast<std::size_t>(index)].code);
  }
  for (const RadioGroup& r : radios_) {
    const int id = r.group->checkedId();
    if (id >= 0 && r.group->property("touched").toBool())
      iv_.*r.field = static_cast<float>(r.choices[static_cast<std::size_t>(id)].code);
  }
  if (screen_->checkedId() >= 0 && screen_->property("touched").toBool()) {
    const editors::ScreenSize& s = editors::screenSizes()[static_cast<std::size_t>(screen_->checkedId())];
    iv_.screenWidth = static_cast<float>(s.width);
    iv_.screenHeight = static_cast<float>(s.height);
  }
  if (fullScreen_->isChecked() != (iv_.fullScreen != 0)) iv_.fullScreen = fullScreen_->isChecked() ? 1.f : 0.f;
  auto colour = typed(colour_);
  const std::int32_t typedColour = editors::parseColourHex(colour ? *colour : text::Bytes());
  if (colour && *colour != editors::colourHex(iv_.transparentColour)) iv_.transparentColour = typedColour;
  if (firstMapTouched_ && firstMap_->currentIndex() >= 0) iv_.initialMap = static_cast<float>(firstMap_->currentIndex());
  if (startEventTouched_ && startEvent_->currentIndex() >= 0)
    iv_.startEvent = static_cast<float>(startEvent_->currentIndex() - 1);
  return true;
}

}  // namespace quillane::gui
