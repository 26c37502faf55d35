#include "gui/event/script_editor_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QKeyEvent>
#include <QPixmap>
#include <QTimer>

#include "core/data/project_database.h"
#include "core/data/text_rules.h"
#include "core/event/command_reference.h"
#include "core/event/event_codes.h"
#include "core/event/script_templates.h"
#include "core/map/map_document.h"
#include "core/map/map_files.h"
#include "gui/event/flag_map_picker.h"
#include "gui/event/sheet_viewer.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QString modeCaption(ScriptEditorMode mode) {
  switch (mode) {
    case ScriptEditorMode::Opening: return u("オープニングモード");
    case ScriptEditorMode::Ending: return u("エンディングモード");
    case ScriptEditorMode::Event: break;
  }
  return u("イベント");
}

void inputError(const QString& text) { ui::messageBox(text, u("入力エラー"), ui::Buttons::Ok, ui::Icon::Exclamation); }

}  // namespace

ScriptEditorDialog::ScriptEditorDialog(ScriptEditorContext& context, event::EventWorkCopy& copy,
                                       ScriptEditorMode mode, int eventNumber)
    : ui::Form(QStringLiteral("FORM2"), modeCaption(mode), kClose, context.parent),
      ctx_(context),
      copy_(copy),
      original_(copy),
      mode_(mode),
      eventNumber_(eventNumber),
      editing_(copy.lines, mode == ScriptEditorMode::Event ? event::eventEndLimit(context.db.max.messages)
                                                           : event::kStoryEndLimit),
      checker_(lint::Limits::of(context.db.max)) {
  if (mode_ == ScriptEditorMode::Event) {
    place_ = {lint::Place::Script::Map, ctx_.openMapNumber, eventNumber_, -1};
    if (ctx_.openMap) otherEventLabels_ = lint::eventLabelsOfMap(ctx_.openMap->events, eventNumber_);
  } else {
    place_.script = mode_ == ScriptEditorMode::Opening ? lint::Place::Script::Opening : lint::Place::Script::Ending;
  }
  buildControls();
  fillDataLists();
  if (mode_ != ScriptEditorMode::Event) {
    for (const char* name : {"BUTTON112", "BUTTON42", "COMBO69", "COMBO70", "EDIT202", "CHECK7"})
      control<QWidget>(QString::fromLatin1(name))->setEnabled(false);
  }
  control<QWidget>(QStringLiteral("BUTTON42"))->setEnabled(mode_ == ScriptEditorMode::Event && ctx_.picker);
  control<QWidget>(QStringLiteral("BUTTON47"))->setEnabled(ctx_.terrainSheet != nullptr);
  control<QWidget>(QStringLiteral("BUTTON48"))->setEnabled(ctx_.characterSheet != nullptr);
  showValues();
  // The event data start on the open map.
  if (ctx_.openMapNumber >= 0 && ctx_.openMapNumber < maps_->count()) {
    maps_->setCurrentIndex(ctx_.openMapNumber);
    chooseMap();
  } else {
    maps_->setCurrentIndex(-1);
  }
  showReferencePosition();
  message_->setFocus();
}

void ScriptEditorDialog::showValues() {
  updating_ = true;
  if (mode_ == ScriptEditorMode::Event) {
    number_->setText(ui::toQString(copy_.cell.number));
    const int shown = event::shownSpeed(copy_.speed);
    speed_->setCurrentIndex(shown - 1);  // no selection for a speed outside 1, 2, 4, 8
    const event::Movement m = event::readMovement(copy_.cell.movement);
    noWait_->setChecked(m.noWait);
    movement_->setCurrentIndex(m.pattern);
    character_->setText(ui::toQString(copy_.cell.character));
  }
  speedTouched_ = movementTouched_ = false;
  updating_ = false;
  refillLines();
  showLine();
  drawPreview();
}

ScriptEditorOutcome ScriptEditorDialog::run() {
  for (;;) {
    if (handle(waitAction())) break;
  }
  finish();
  return outcome_;
}

bool ScriptEditorDialog::handle(int code) {
  // A box that lost the focus is stored before anything else; the line just stored
  // stays current unless the focus went to another row of the script.
  const bool leaving = code == kCancel || code == kDeleteEvent || code == kClose;  // nothing to keep
  if ((storePending_ && !leaving) || code == kStoreBox || code == kOk || code == kStoreNext) {
    storePending_ = false;
    const bool fields = commitEventFields();
    if (!storeLine()) {
      // Refused: the typed text waits in its box for correction and the action that
      // followed (another row, a template, an insert ...) is not taken over it.
      showReferencePosition();
      return false;
    }
    if (code == kOk) {
      if (!fields) return false;
      outcome_ = ScriptEditorOutcome::Ok;
      return true;
    }
    if (code == kStoreNext) {
      editing_.setCurrent(editing_.current() + 1);
      messageCaret_ = commandCaret_ = 0;
      showLine();
      message_->setFocus(Qt::OtherFocusReason);
      message_->selectAll();
    }
  }
  if (code >= kTemplateBase) {
    applyTemplate(code - kTemplateBase);
  } else if (code >= kInsertBase) {
    insertText(code - kInsertBase);
  } else {
    switch (code) {
      case kClose:
        // Escape or the title bar: edits are not thrown away unasked.
        if (edited() && !ui::askYesNoDefaultNo(u("変更した内容を破棄して閉じますか？"), windowTitle())) break;
        [[fallthrough]];
      case kCancel:
        outcome_ = ScriptEditorOutcome::Cancel;
        return true;
      case kDeleteEvent:
        if (mode_ == ScriptEditorMode::Event &&
            ui::askYesNoDefaultNo(u("イベントを削除すると削除したイベント番号以降のイベント番号が\n"
                                    "繰り上げられます\n"
                                    "当り障りの無い町人や、空の宝箱などに変更することをお勧めします。\n"
                                    "それでも削除しますか？"),
                                  u("イベント削除確認"))) {
          outcome_ = ScriptEditorOutcome::Deleted;
          return true;
        }
        break;
      case kSelectLine:
        editing_.setCurrent(selectedRow_);
        messageCaret_ = commandCaret_ = 0;
        break;
      case kAddLine:
        if (!refused(editing_.addLine())) refillLines();
        break;
      case kDeleteLine:
        if (!refused(editing_.deleteLine())) refillLines();
        break;
      case kCopyEvent: copyEvent(); break;
      case kCopyLines: copyLines(); break;
      case kMapChosen: chooseMap(); break;
      case kEventChosen: chooseEvent(); break;
      case kLookupCommand: lookupCommand(); break;
      case kSearch:
      case kNextDescription:
      case kTextSearch: search(code); break;
      case kPickCharacter: pickCharacter(); break;
      case kShowTerrain: showSheet(true); break;
      case kShowCharacters: showSheet(false); break;
      default: break;
    }
  }
  // The boxes follow the current line after the actions that change or choose it; an
  // inserted text stays in its box until the box is stored.
  switch (code) {
    case kSelectLine:
    case kAddLine:
    case kDeleteLine:
    case kCopyEvent:
    case kCopyLines:
      showLine();
      break;
    default:
      if (code >= kTemplateBase) showLine();
      break;
  }
  showReferencePosition();
  return false;
}

bool ScriptEditorDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != message_ && watched != command_) return ui::Form::eventFilter(watched, event);
  if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Switching to another window is no edit; moving within the dialog stores.
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible() && !movingFocus_) {
      messageCaret_ = message_->cursorPosition();
      commandCaret_ = command_->cursorPosition();
      storePending_ = true;
      post(kStoreBox);
    }
  } else if (event->type() == QEvent::FocusIn && watched == command_ && filledEnd_) {
    // After the click has placed the caret: the filled-in "END" is typed over.
    QTimer::singleShot(0, command_, [this] {
      if (filledEnd_) command_->selectAll();
    });
  } else if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (key->modifiers() & Qt::ControlModifier) {
        post(kOk);
        return true;
      }
      if (watched == message_) {
        post(kStoreNext);
        return true;
      }
    }
  }
  return ui::Form::eventFilter(watched, event);
}

void ScriptEditorDialog::keyPressEvent(QKeyEvent* event) {
  // Ctrl+Enter is "OK" wherever the focus is; Enter alone presses nothing.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      (event->modifiers() & Qt::ControlModifier)) {
    post(kOk);
    return;
  }
  ui::Form::keyPressEvent(event);
}

bool ScriptEditorDialog::lineShownUnchanged() const {
  const event::ScriptLine& line = copy_.lines[static_cast<std::size_t>(editing_.current())];
  const auto message = ui::toBytes(message_->text());
  const auto command = ui::toBytes(command_->text());
  if (!message || !command || *message != line.message) return false;
  return *command == line.command || (command->empty() && (line.command == "END" || line.command.empty()));
}

bool ScriptEditorDialog::edited() const {
  for (std::size_t i = 0; i < copy_.lines.size(); ++i)
    if (copy_.lines[i].message != original_.lines[i].message || copy_.lines[i].command != original_.lines[i].command)
      return true;
  if (!lineShownUnchanged()) return true;
  if (mode_ != ScriptEditorMode::Event) return false;
  const auto character = ui::toBytes(character_->text());
  return copy_.speed != original_.speed || copy_.cell.character != original_.cell.character ||
         copy_.cell.movement != original_.cell.movement || speedTouched_ || movementTouched_ ||
         !character || *character != copy_.cell.character;
}

void ScriptEditorDialog::holdForCorrection(QLineEdit* box) {
  selectRow(lines_, editing_.current());
  movingFocus_ = true;
  box->setFocus(Qt::OtherFocusReason);
  movingFocus_ = false;
  box->selectAll();
}

bool ScriptEditorDialog::confirmOverwrite(const QString& title) {
  if (editing_.endMarker() == 0) return true;  // an empty script loses nothing
  return ui::askYesNoDefaultNo(u("今のスクリプトは上書きされます。よろしいですか？"), title);
}

bool ScriptEditorDialog::refused(event::EditRefusal refusal) {
  if (refusal == event::EditRefusal::PastLimit) {
    ui::messageBox(u("スクリプトの行数が上限（%1行）を超えるため実行できません").arg(editing_.endLimit()),
                   u("行数制限"), ui::Buttons::Ok, ui::Icon::Exclamation);
  }
  return refusal != event::EditRefusal::None;
}

void ScriptEditorDialog::selectRow(QListWidget* list, int row) {
  updating_ = true;
  list->setCurrentRow(row);
  updating_ = false;
}

void ScriptEditorDialog::refillLines() {
  updating_ = true;
  lines_->clear();
  for (const auto& row : event::scriptRows(copy_.lines)) lines_->addItem(ui::toQString(row));
  updating_ = false;
  editing_.setCurrent(std::min(editing_.current(), editing_.endMarker()));
  recheck();
}

void ScriptEditorDialog::showLine() {
  filledEnd_ = false;
  const event::ScriptLine& line = copy_.lines[static_cast<std::size_t>(editing_.current())];
  message_->setText(ui::toQString(line.message));
  command_->setText(ui::toQString(line.command));
  selectRow(lines_, editing_.current());
  showStatus();
}

bool ScriptEditorDialog::commitEventFields() {
  if (mode_ != ScriptEditorMode::Event) return true;
  if (speedTouched_ && speed_->currentIndex() >= 0) copy_.speed = event::storedSpeed(speed_->currentIndex() + 1);
  if (movementTouched_ && movement_->currentIndex() >= 0)
    copy_.cell.movement = event::movementCode({movement_->currentIndex(), noWait_->isChecked()});
  speedTouched_ = movementTouched_ = false;
  const auto typed = ui::toBytes(character_->text());
  if (typed && *typed == copy_.cell.character) return true;
  const event::CharacterCodeCheck check = event::checkCharacterCode(typed.value_or(text::Bytes("?")));
  if (check.error == event::CharacterCodeError::None) {
    copy_.cell.character = check.code;
    character_->setText(ui::toQString(check.code));
    return true;
  }
  inputError(check.error == event::CharacterCodeError::MeansNoEvent
                 ? u("キャラクタNo.「99」はイベントの終わりを表すため設定できません")
                 : u("キャラクタNo.は16進数の1桁か2桁で入力してください"));
  character_->setText(ui::toQString(copy_.cell.character));
  return false;
}

bool ScriptEditorDialog::storeLine() {
  const auto message = ui::toBytes(message_->text());
  const auto command = ui::toBytes(command_->text());
  if (!message || !command) {
    inputError(u("使用できない文字が含まれています"));
    holdForCorrection(message ? command_ : message_);
    return false;
  }
  for (QLineEdit* box : {message_, command_}) {
    if (auto why = data::refuseText(box == message_ ? *message : *command)) {
      ui::messageBox(ui::toQString(*why), ui::toQString(data::refuseTextTitle()), ui::Buttons::Ok,
                     ui::Icon::Exclamation);
      holdForCorrection(box);
      return false;
    }
  }
  if (refused(editing_.storeLine(*message, *command))) {
    holdForCorrection(message_);
    return false;
  }
  refillLines();
  showLine();
  // An empty command was stored as "END": the box shows it, ready to be typed over.
  filledEnd_ = command->empty() && *message != event::kEndMarker;
  if (filledEnd_ && command_->hasFocus()) command_->selectAll();
  return true;
}

}  // namespace quillane::gui
