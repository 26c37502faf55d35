#include "gui/event/flag_dialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>

#include "core/event/event_codes.h"
#include "core/event/flag_rows.h"
#include "gui/ui/fonts.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

using event::FlagEdit;
using ui::toQString;

namespace {

const QString kAdd = QStringLiteral("追加");

void fillCombo(QComboBox* box, const std::vector<text::Bytes>& items, int index, const QString& placeholder = {}) {
  QSignalBlocker block(box);
  box->clear();
  for (const text::Bytes& item : items) box->addItem(toQString(item));
  box->setPlaceholderText(placeholder);
  box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

void clearCombo(QComboBox* box) {
  QSignalBlocker block(box);
  box->clear();
  box->setPlaceholderText({});
  box->setToolTip({});
  QPalette palette = box->palette();
  palette.setColor(QPalette::PlaceholderText, QApplication::palette(box).color(QPalette::PlaceholderText));
  box->setPalette(palette);
}

QPushButton* button(const QString& name, const QString& caption) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  return b;
}

QLabel* label(const QString& caption, const QString& name = {}) {
  auto* l = new QLabel(caption);
  if (!name.isEmpty()) l->setObjectName(name);
  return l;
}

// A control hidden in place keeps its room, so nothing else moves.
void keepRoomWhenHidden(QWidget* w) {
  QSizePolicy policy = w->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  w->setSizePolicy(policy);
}

// The popup of a box is as wide as its longest item (event and line texts are long).
void widenPopup(QComboBox* box) {
  QAbstractItemView* view = box->view();
  const QFontMetrics metrics(view->font());
  int widest = 0;
  for (int i = 0; i < box->count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(box->itemText(i)));
  view->setMinimumWidth(std::min(widest + 32, 1100));
}

// A line box whose line lies beyond its event's end marker says so in a warning colour
// instead of a pale placeholder that reads as "not set".
void showLine(QComboBox* box, const std::vector<text::Bytes>& lines, int line) {
  const bool beyond = !lines.empty() && line >= static_cast<int>(lines.size());
  const QString text = beyond ? QStringLiteral("⚠ %1: 終了行（%2）より後の行です").arg(line).arg(lines.size() - 1)
                              : QString::number(line);
  fillCombo(box, lines, line, text);
  QPalette palette = box->palette();
  palette.setColor(QPalette::PlaceholderText,
                   beyond ? QColor(190, 0, 0) : QApplication::palette(box).color(QPalette::PlaceholderText));
  box->setPalette(palette);
  box->setToolTip(beyond ? text : QString());
  widenPopup(box);
}

}  // namespace

FlagDialog::FlagDialog(std::vector<event::FlagEntry>& table, event::FlagEventSource& source, bool splitChips,
                       FlagMapPicker* picker, QWidget* parent)
    : ui::Form(QStringLiteral("FORM12"), QStringLiteral("フラグモード"), kClose, parent),
      editor_(table),
      source_(source),
      splitChips_(splitChips),
      picker_(picker) {
  build();
  refreshAll();
}

void FlagDialog::build() {
  auto* top = new QVBoxLayout(this);

  // Conditions.
  auto* condGroup = new QGroupBox(QStringLiteral("条件"));
  auto* condLayout = new QGridLayout(condGroup);
  entries_ = addListBlock(condLayout, 4, {QStringLiteral("LIST9"), QStringLiteral("BUTTON113"), QStringLiteral("BUTTON114"),
                                          QStringLiteral("BUTTON37"), QStringLiteral("条件削除")},
                          kEntryUp, kEntryDown, kDeleteEntry);
  const QString headers[4] = {QStringLiteral("マップ"), QStringLiteral("イベント"), QString(), QStringLiteral("メッセージ")};
  for (int b = 0; b < 4; ++b) condLayout->addWidget(label(headers[b]), 2, b);
  for (int s = 0; s < 3; ++s) {
    for (int b = 0; b < 4; ++b) {
      slots_[s][b] = addBox(QStringLiteral("COMBO%1").arg(30 + s * 4 + b), b == 2 ? 3 : 24, kCondition + s * 4 + b);
      keepRoomWhenHidden(slots_[s][b]);
      condLayout->addWidget(slots_[s][b], 3 + s, b);
    }
  }
  condLayout->setColumnStretch(0, 2);
  condLayout->setColumnStretch(1, 3);
  condLayout->setColumnStretch(3, 3);
  top->addWidget(condGroup);

  // Processing steps.
  auto* stepGroup = new QGroupBox(QStringLiteral("上記条件が成立した時の処理"));
  auto* stepLayout = new QGridLayout(stepGroup);
  steps_ = addListBlock(stepLayout, 5, {QStringLiteral("LIST8"), QStringLiteral("BUTTON115"), QStringLiteral("BUTTON116"),
                                       QStringLiteral("BUTTON36"), QStringLiteral("処理削除")},
                        kStepUp, kStepDown, kDeleteStep);
  stepLayout->addWidget(label(QStringLiteral("処理")), 2, 0);
  for (int i = 0; i < 4; ++i) {
    labels_[i] = label(QString(), QStringLiteral("TEXT%1").arg(138 + i));
    // The captions change with the kind; the layout must not follow them.
    labels_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    labels_[i]->setMinimumHeight(labels_[i]->fontMetrics().height() + 2);
    stepLayout->addWidget(labels_[i], 2, 1 + i);
  }
  kind_ = new QComboBox;
  kind_->setObjectName(QStringLiteral("COMBO42"));
  for (const text::Bytes& k : event::kindItems()) kind_->addItem(toQString(k));
  if (!picker_) {
    // Placing "C" and "E" steps needs the map: without it those kinds are not offered.
    auto* model = qobject_cast<QStandardItemModel*>(kind_->model());
    for (int i : {1, 2}) model->item(i)->setEnabled(false);
  }
  stepLayout->addWidget(kind_, 3, 0);
  connect(kind_, &QComboBox::activated, this, [this] { post(kStepKind); });
  for (int i = 0; i < 3; ++i) {
    boxes_[i] = addBox(QStringLiteral("COMBO%1").arg(43 + i), i == 2 ? 12 : 20, kStepBox1 + i);
    stepLayout->addWidget(boxes_[i], 3, 1 + i);
  }
  pickEdit_ = new QLineEdit;
  pickEdit_->setObjectName(QStringLiteral("EDIT101"));
  pickEdit_->setReadOnly(true);
  pickEdit_->setMinimumWidth(220);
  stepLayout->addWidget(pickEdit_, 3, 4);
  top->addWidget(stepGroup);

  auto* bottom = new QHBoxLayout;
  auto* clearAll = button(QStringLiteral("BUTTON48"), QStringLiteral("全クリア"));
  auto* ok = button(QStringLiteral("BUTTON34"), QStringLiteral("OK"));
  auto* cancel = button(QStringLiteral("BUTTON46"), QStringLiteral("ｷｬﾝｾﾙ"));
  clearAll->setFocusPolicy(Qt::TabFocus);  // a click leaves the focus where it was
  bottom->addWidget(clearAll);
  bottom->addStretch();
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  top->addLayout(bottom);

  bindButton(clearAll, kClearAll);
  bindButton(ok, kOk);
  bindButton(cancel, kCancel);

  // A row is chosen by the keyboard (current row changes) or by a click, also on the
  // row that already is current (the "追加" row of an empty list).
  auto chooseOn = [this](QListWidget* list, int code) {
    connect(list, &QListWidget::currentRowChanged, this, [this, code] {
      if (!refreshing_) post(code);
    });
    connect(list, &QListWidget::itemClicked, this, [this, code] {
      if (!refreshing_) post(code);
    });
  };
  chooseOn(entries_, kChooseEntry);
  chooseOn(steps_, kChooseStep);
}

QListWidget* FlagDialog::addListBlock(QGridLayout* layout, int columns, const ListNames& names, int upCode,
                                      int downCode, int deleteCode) {
  auto* list = new QListWidget;
  list->setObjectName(names.list);
  list->setFont(ui::fixedPitchFont());
  list->setMinimumSize(960, 150);
  layout->addWidget(list, 0, 0, 1, columns);
  auto* row = new QHBoxLayout;
  auto* up = button(names.up, QStringLiteral("▲"));
  auto* down = button(names.down, QStringLiteral("▼"));
  auto* remove = button(names.remove, names.removeCaption);
  remove->setFocusPolicy(Qt::TabFocus);
  row->addWidget(label(QStringLiteral("順序入替")));
  row->addWidget(up);
  row->addWidget(down);
  row->addStretch();
  row->addWidget(remove);
  layout->addLayout(row, 1, 0, 1, columns);
  bindButton(up, upCode);
  bindButton(down, downCode);
  bindButton(remove, deleteCode);
  return list;
}

QComboBox* FlagDialog::addBox(const QString& name, int minimumCharacters, int code) {
  auto* box = new QComboBox;
  box->setObjectName(name);
  box->setMaxVisibleItems(20);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(minimumCharacters);
  // Only a choice of the user counts, not a refill of the box.
  connect(box, &QComboBox::activated, this, [this, code] { post(code); });
  return box;
}

bool FlagDialog::run() {
  while (handle(waitAction())) {
  }
  finish();
  return accepted_;
}

bool FlagDialog::handle(int code) {
  switch (code) {
    case kOk:
      accepted_ = true;
      return false;
    case kClose:
      // Escape or the title bar: edits are not thrown away unasked.
      if (editor_.edited() &&
          !ui::askYesNoDefaultNo(QStringLiteral("変更した内容を破棄して閉じますか？"), QStringLiteral("フラグモード")))
        break;
      [[fallthrough]];
    case kCancel:
      editor_.cancel();
      accepted_ = false;
      return false;
    case kClearAll:
      editor_.clearAll();
      break;
    case kChooseEntry:
      report(editor_.chooseEntry(entries_->currentRow()));
      break;
    case kEntryUp:
      editor_.moveEntry(-1);
      break;
    case kEntryDown:
      editor_.moveEntry(1);
      break;
    case kDeleteEntry:
      editor_.deleteEntry();
      break;
    case kChooseStep:
      report(editor_.chooseStep(steps_->currentRow()));
      break;
    case kStepUp:
      editor_.moveStep(-1);
      break;
    case kStepDown:
      editor_.moveStep(1);
      break;
    case kDeleteStep:
      editor_.deleteStep();
      break;
    case kStepKind:
      handleStepKind();
      break;
    case kStepBox1:
    case kStepBox2:
    case kStepBox3:
      handleStepBox(code - kStepBox1);
      break;
    default:
      if (code >= kCondition && code < kCondition + 12) handleCondition((code - kCondition) / 4, (code - kCondition) % 4);
      break;
  }
  refreshAll();
  return true;
}

void FlagDialog::report(FlagEdit result) {
  switch (result) {
    case FlagEdit::TooManyEntries:
      ui::messageBox(QStringLiteral("条件は１マップに%1件までしか登録できません").arg(event::kMaxFlagEntries),
                     QStringLiteral("条件追加"), ui::Buttons::Ok, ui::Icon::Exclamation);
      break;
    case FlagEdit::TooManySteps:
      ui::messageBox(QStringLiteral("処理は１つの条件に%1件までしか登録できません").arg(event::kMaxFlagSteps),
                     QStringLiteral("処理追加"), ui::Buttons::Ok, ui::Icon::Exclamation);
      break;
    case FlagEdit::MapIsListEnd:
      ui::messageBox(QStringLiteral("マップ99は条件の終わりを表すため、条件には指定できません"),
                     QStringLiteral("マップ選択"), ui::Buttons::Ok, ui::Icon::Exclamation);
      break;
    case FlagEdit::Done:
    case FlagEdit::Unchanged:
      break;
  }
}

void FlagDialog::handleCondition(int slot, int box) {
  int index = slots_[slot][box]->currentIndex();
  if (index < 0) return;
  switch (box) {
    case 0:
      report(editor_.setConditionMap(slot, index == 0 ? std::nullopt : std::optional<int>(index - 1)));
      break;
    case 1:
      editor_.setConditionEvent(slot, index);
      break;
    case 2:
      if (index < static_cast<int>(event::kFlagOperators.size()))
        editor_.setConditionOperator(slot, event::kFlagOperators[static_cast<std::size_t>(index)]);
      break;
    case 3:
      editor_.setConditionLine(slot, index);
      break;
  }
}

void FlagDialog::handleStepKind() {
  int index = kind_->currentIndex();
  if (index < 0 || index >= static_cast<int>(event::kindCodes().size()) || !editor_.step()) return;
  const text::Bytes& kind = event::kindCodes()[static_cast<std::size_t>(index)];
  std::optional<event::CellPick> pick;
  if (kind == event::kCharacterShow || kind == event::kEventMove) {
    if (!picker_) return;
    const bool terrain = kind == event::kCharacterShow;
    // The map takes the click while the dialog is out of the way; waitAction shows it
    // again, with the focus back on the kind box.
    returnFocusTo(kind_);
    hide();
    std::optional<MapPick> picked = picker_->pick(terrain ? PickSheet::Terrain : PickSheet::EventCharacters);
    if (!picked) return;
    pick = event::CellPick{picked->x, picked->y,
                           event::pickedCharacterCode(picked->row, picked->column, picked->bank, terrain && splitChips_)};
  }
  editor_.setStepKind(kind, pick);
}

void FlagDialog::handleStepBox(int box) {
  const event::FlagAction* step = editor_.step();
  int index = boxes_[box]->currentIndex();
  if (!step || index < 0) return;
  if (step->kind == event::kFlagChange) {
    if (box == 0) editor_.setStepMap(index);
    if (box == 1) editor_.setStepEvent(index);
    if (box == 2) editor_.setStepLine(index);
  } else if (step->kind == event::kEventMove) {
    if (box == 0) editor_.setStepEvent(index);
    if (box == 1) editor_.setStepMovement(event::movementCodeOfEntry(index));
    if (box == 2) editor_.setStepSpeed(event::storedSpeed(index + 1));
  } else if (step->kind == event::kEventErase) {
    if (box == 0) editor_.setStepEvent(index);
  }
}

void FlagDialog::refreshAll() {
  refreshing_ = true;
  fillEntries();
  showConditions();
  fillSteps();
  showStep();
  refreshing_ = false;
}

void FlagDialog::fillEntries() {
  const std::vector<event::FlagEntry>& table = editor_.table();
  entries_->clear();
  for (const event::FlagEntry& e : table) entries_->addItem(toQString(event::entryRow(e, source_)));
  entries_->addItem(kAdd);
  // An empty table shows its "追加" row chosen; after the last entry was deleted
  // nothing is.
  int row = editor_.currentEntry();
  if (row < 0 && table.empty()) row = 0;
  entries_->setCurrentRow(row);
  if (row < 0) entries_->clearSelection();
}

void FlagDialog::showConditions() {
  const event::FlagEntry* entry = editor_.entry();
  const int used = editor_.conditionCount();
  std::vector<text::Bytes> maps = event::mapItems(source_);
  maps.insert(maps.begin(), text::sj("削除"));
  for (int s = 0; s < 3; ++s) {
    // A slot after an empty slot is not shown.
    const bool shown = entry && s <= used;
    for (QComboBox* box : slots_[s]) box->setVisible(shown);
    if (!shown) {
      for (QComboBox* box : slots_[s]) clearCombo(box);
      continue;
    }
    const event::FlagCondition& c = entry->conditions[static_cast<std::size_t>(s)];
    if (c.empty()) {
      fillCombo(slots_[s][0], maps, -1, kAdd);
      for (int b = 1; b < 4; ++b) {
        clearCombo(slots_[s][b]);
        slots_[s][b]->setEnabled(false);
      }
      continue;
    }
    // A map outside the project's maps keeps its number as the box text.
    fillCombo(slots_[s][0], maps, c.map >= 0 && c.map < source_.mapCount() ? c.map + 1 : -1,
              QString::number(c.map));
    fillCombo(slots_[s][1], event::eventItems(source_, c.map), c.event, QString::number(c.event));
    widenPopup(slots_[s][1]);
    int op = -1;
    for (std::size_t i = 0; i < event::kFlagOperators.size(); ++i)
      if (event::kFlagOperators[i] == c.op) op = static_cast<int>(i);
    fillCombo(slots_[s][2], event::kFlagOperators, op, toQString(c.op));
    showLine(slots_[s][3], event::lineItems(source_, c.map, c.event), c.line);
    for (int b = 1; b < 4; ++b) slots_[s][b]->setEnabled(true);
  }
}

void FlagDialog::fillSteps() {
  steps_->clear();
  const event::FlagEntry* entry = editor_.entry();
  steps_->setEnabled(entry != nullptr);
  if (!entry) return;
  for (const event::FlagAction& a : entry->steps) steps_->addItem(toQString(event::stepRow(a, source_)));
  steps_->addItem(kAdd);
  int row = editor_.currentStep();
  if (row < 0 && entry->steps.empty()) row = 0;
  steps_->setCurrentRow(row);
  if (row < 0) steps_->clearSelection();
}

void FlagDialog::showStep() {
  const event::FlagAction* step = editor_.step();
  const text::Bytes kind = step ? step->kind : text::Bytes();
  int kindIndex = -1;
  for (std::size_t i = 0; i < event::kindCodes().size(); ++i)
    if (event::kindCodes()[i] == kind) kindIndex = static_cast<int>(i);
  {
    QSignalBlocker block(kind_);
    kind_->setCurrentIndex(kindIndex);
  }
  kind_->setEnabled(step != nullptr);

  event::StepLabels captions = event::stepLabels(kind);
  labels_[0]->setText(toQString(captions.box1));
  labels_[1]->setText(toQString(captions.box2));
  labels_[2]->setText(toQString(captions.box3));
  labels_[3]->setText(toQString(captions.edit));

  for (QComboBox* box : boxes_) clearCombo(box);
  pickEdit_->clear();
  const int here = source_.openMap();
  if (kind == event::kFlagChange) {
    fillCombo(boxes_[0], event::mapItems(source_), step->value1, QString::number(step->value1));
    fillCombo(boxes_[1], event::eventItems(source_, step->value1), step->value2, QString::number(step->value2));
    widenPopup(boxes_[1]);
    showLine(boxes_[2], event::lineItems(source_, step->value1, step->value2), step->value3);
  } else if (kind == event::kEventMove) {
    const int ev = event::leadingNumber(step->text3);
    fillCombo(boxes_[0], event::shortEventItems(source_, here), ev, toQString(step->text3));
    widenPopup(boxes_[0]);
    fillCombo(boxes_[1], event::movementItems(), event::entryOfMovementCode(event::leadingNumber(step->text2)),
              toQString(step->text2));
    fillCombo(boxes_[2], event::speedItems(), event::shownSpeed(step->value3) - 1, QString::number(step->value3));
    pickEdit_->setText(toQString(event::pickText(*step)));
  } else if (kind == event::kCharacterShow) {
    pickEdit_->setText(toQString(event::pickText(*step)));
  } else if (kind == event::kEventErase) {
    fillCombo(boxes_[0], event::shortEventItems(source_, here), step->value1, QString::number(step->value1));
    widenPopup(boxes_[0]);
  }
  const bool uses[3] = {!captions.box1.empty(), !captions.box2.empty(), !captions.box3.empty()};
  for (int i = 0; i < 3; ++i) boxes_[i]->setEnabled(uses[i]);
  pickEdit_->setEnabled(!captions.edit.empty());
}

}  // namespace quillane::gui
