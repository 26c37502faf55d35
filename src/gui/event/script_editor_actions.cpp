// FORM2's actions beyond the line itself: inserting at the caret, templates, the event
// data of any map, the reference searches and the character.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>

#include "core/data/project_database.h"
#include "core/event/command_reference.h"
#include "core/event/event_codes.h"
#include "core/event/script_templates.h"
#include "core/map/map_document.h"
#include "core/map/map_files.h"
#include "gui/event/flag_map_picker.h"
#include "gui/event/script_editor_dialog.h"
#include "gui/event/sheet_viewer.h"
#include "gui/map/map_canvas.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

void ScriptEditorDialog::insertText(int index) {
  if (index < 0 || index >= static_cast<int>(insertButtons().size())) return;
  const InsertButton& b = insertButtons()[static_cast<std::size_t>(index)];
  QLineEdit* box = b.message ? message_ : command_;
  int& caret = b.message ? messageCaret_ : commandCaret_;
  const QString text = u(b.text);
  const QString old = box->text();
  if (old.isEmpty() || (box == command_ && filledEnd_)) {
    // An empty box, or the "END" the editor filled in: the skeleton takes its place.
    filledEnd_ = false;
    box->setText(text);
    caret = 0;
  } else {
    caret = std::clamp(caret, 0, static_cast<int>(old.size()));
    box->setText(old.left(caret) + text + old.mid(caret));
  }
  caret += static_cast<int>(text.size());
  box->setCursorPosition(caret);
  box->setFocus();
}

void ScriptEditorDialog::applyTemplate(int kind) {
  if (kind < 0 || kind > static_cast<int>(event::ScriptTemplate::Clear)) return;
  if (!confirmOverwrite(u("テンプレート"))) return;
  if (refused(editing_.writeScript(event::templateLines(static_cast<event::ScriptTemplate>(kind))))) return;
  refillLines();
}

const std::vector<event::ScriptLines>& ScriptEditorDialog::eventsOf(int map) {
  auto found = otherMaps_.find(map);
  if (found != otherMaps_.end()) return found->second;
  std::vector<event::ScriptLines> scripts;
  auto take = [&scripts](const event::MapEvents& ev) {
    for (int i = 0; i <= ev.lastNumber && i <= event::kMaxEventNumber; ++i)
      scripts.push_back(ev.records[static_cast<std::size_t>(i)].lines);
  };
  if (map == ctx_.openMapNumber && ctx_.openMap) {
    take(ctx_.openMap->events);
  } else {
    take(map::readOtherMapEvents(ctx_.projectFolder, map, ctx_.fileContext));
  }
  return otherMaps_.emplace(map, std::move(scripts)).first->second;
}

void ScriptEditorDialog::chooseMap() {
  chosenMap_ = maps_->currentIndex();
  updating_ = true;
  events_->clear();
  eventLines_->clear();
  if (chosenMap_ >= 0) {
    const auto& scripts = eventsOf(chosenMap_);
    for (std::size_t i = 0; i < scripts.size(); ++i)
      events_->addItem(QString::number(i) + u(":") + ui::toQString(scripts[i][0].message));
  }
  updating_ = false;
}

const event::ScriptLines* ScriptEditorDialog::chosenEvent() {
  if (chosenMap_ < 0) return nullptr;
  const int row = events_->currentRow();
  const auto& scripts = eventsOf(chosenMap_);
  if (row < 0 || row >= static_cast<int>(scripts.size())) return nullptr;
  return &scripts[static_cast<std::size_t>(row)];
}

void ScriptEditorDialog::chooseEvent() {
  eventLines_->clear();
  const event::ScriptLines* source = chosenEvent();
  if (!source) return;
  // The lines before the end marker: those are what a copy can take.
  const int end = event::endMarkerIndex(*source);
  for (int i = 0; i < end; ++i)
    eventLines_->addItem(ui::toQString(event::scriptRow(i, (*source)[static_cast<std::size_t>(i)])));
}

void ScriptEditorDialog::copyEvent() {
  const event::ScriptLines* source = chosenEvent();
  if (!source || !confirmOverwrite(u("イベント複写"))) return;
  const event::ScriptLines copy = *source;
  if (refused(editing_.copyEvent(copy))) return;
  refillLines();
}

void ScriptEditorDialog::copyLines() {
  const event::ScriptLines* source = chosenEvent();
  if (!source) return;
  std::vector<int> chosen;
  for (int i = 0; i < eventLines_->count(); ++i)
    if (eventLines_->item(i)->isSelected()) chosen.push_back(i);
  if (chosen.empty()) return;
  const event::ScriptLines copy = *source;
  if (refused(editing_.copyLines(copy, chosen))) return;
  refillLines();
}

void ScriptEditorDialog::lookupCommand() {
  const auto command = ui::toBytes(command_->text());
  if (!command) return;
  searchText_->setText(ui::toQString(event::mnemonicAtCaret(*command, commandCaret_)));
  command_->setFocus();
  command_->setCursorPosition(commandCaret_);
  search(kSearch);
}

void ScriptEditorDialog::search(int code) {
  const auto& reference = event::CommandReference::builtIn();
  const auto typed = ui::toBytes(searchText_->text());
  bool found = true;
  if (code == kNextDescription) {
    referencePosition_ = reference.nextDescription(referencePosition_);
  } else if (code == kSearch) {
    if (typed && !typed->empty()) {
      referencePosition_ = reference.findCommand(*typed, referencePosition_);
      found = reference.isCommandLine(referencePosition_, *typed);
    }
  } else if (code == kTextSearch) {
    if (typed) referencePosition_ = reference.findText(*typed, referencePosition_);
    found = typed && reference.lineHolds(referencePosition_, *typed);
  }
  // A search that finds nothing says so here; the list stays where it was.
  searchNote_->setText(found ? QString() : u("「%1」は見つかりませんでした").arg(searchText_->text()));
}

void ScriptEditorDialog::showReferencePosition() {
  if (referencePosition_ < 0 || referencePosition_ >= reference_->count()) return;
  QListWidgetItem* item = reference_->item(referencePosition_);
  reference_->setCurrentItem(item);
  reference_->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

void ScriptEditorDialog::pickCharacter() {
  if (!ctx_.picker || mode_ != ScriptEditorMode::Event) return;
  returnFocusTo(control<QWidget>(QStringLiteral("BUTTON42")));
  hide();
  const auto picked = ctx_.picker->pick(PickSheet::EventCharacters);
  if (picked) character_->setText(ui::toQString(event::characterCodeOf(picked->row, picked->column)));
}

void ScriptEditorDialog::showSheet(bool terrain) {
  const QImage* sheet = terrain ? ctx_.terrainSheet : ctx_.characterSheet;
  if (!sheet) return;
  returnFocusTo(control<QWidget>(terrain ? QStringLiteral("BUTTON47") : QStringLiteral("BUTTON48")));
  hide();
  showSheetUntilReturn(*sheet, ctx_.parent,
                       !terrain                      ? SheetCodes::EventCharacters
                       : ctx_.fileContext.splitChips ? SheetCodes::TerrainSplit
                                                     : SheetCodes::Terrain);
}

void ScriptEditorDialog::drawPreview() {
  if (mode_ != ScriptEditorMode::Event || !ctx_.characterSheet) {
    preview_->clear();
    return;
  }
  const auto code = ui::toBytes(character_->text());
  const auto pos = code ? event::parseCharacterCode(*code) : std::nullopt;
  if (!pos || pos->row > 15) {
    preview_->clear();
    return;
  }
  const QImage picture = ctx_.characterSheet->copy(pos->column * kTile, pos->row * kTile, kTile, kTile);
  preview_->setPixmap(QPixmap::fromImage(picture.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

}  // namespace quillane::gui
