#include "gui/editors/record_modes.h"

#include <memory>
#include <tuple>

#include "core/editors/equipment.h"
#include "core/editors/record_rows.h"
#include "gui/app/main_window.h"
#include "gui/app/mode_registry.h"
#include "gui/app/workspace.h"
#include "gui/editors/enemy_dialog.h"
#include "gui/editors/item_dialog.h"
#include "gui/editors/magic_dialog.h"
#include "gui/editors/record_choice.h"

namespace quillane::gui {

namespace {

template <std::size_t N>
std::vector<text::Bytes> firstTexts(const std::vector<std::array<text::Bytes, N>>& texts) {
  std::vector<text::Bytes> names;
  names.reserve(texts.size());
  for (const auto& t : texts) names.push_back(t[0]);
  return names;
}

// Runs the choice and the dialog; the database is marked modified when the tables the
// dialog edits differ afterwards.
template <class Dialog, class Tables, class Names>
void runRecordMode(app::ModeContext& c, Dialog& dialog, int count, int& current, Tables tables, Names names) {
  app::Workspace& ws = c.workspace;
  const auto before = tables();
  std::vector<text::Bytes> shown = names();
  runRecordChoice(c.window, shown, count, kRecordChoiceLines, current, [&](int record) {
    const editors::RecordOutcome outcome = dialog.run(record);
    shown = names();  // the dialog may have renamed the record
    return outcome;
  });
  if (tables() != before) ws.databaseModified = true;
}

}  // namespace

void registerRecordModes(app::ModeRegistry& registry) {
  auto enemy = std::make_shared<int>(0);
  registry.dialogMode(4, [enemy](app::ModeContext& c) {
    data::ProjectDatabase& db = c.workspace.db;
    EnemyDialog dialog(db, c.workspace.projectFolder, &c.window);
    runRecordMode(
        c, dialog, editors::listedEnemies(db), *enemy, [&db] { return db.enemies; },
        [&db] { return db.enemies.name; });
  });
  auto item = std::make_shared<int>(0);
  registry.dialogMode(5, [item](app::ModeContext& c) {
    data::ProjectDatabase& db = c.workspace.db;
    ItemDialog dialog(db, c.workspace.projectFolder, &c.workspace.sound(), &c.window);
    runRecordMode(
        c, dialog, editors::itemKinds(db), *item,
        [&db] { return std::make_tuple(db.items, db.arms, db.players); },
        [&db] { return firstTexts(db.items.text); });
  });
  auto magic = std::make_shared<int>(0);
  registry.dialogMode(6, [magic](app::ModeContext& c) {
    data::ProjectDatabase& db = c.workspace.db;
    MagicDialog dialog(db, c.workspace.projectFolder, &c.workspace.sound(), &c.window);
    runRecordMode(
        c, dialog, editors::listedMagic(db), *magic, [&db] { return db.magic; },
        [&db] { return firstTexts(db.magic.text); });
  });
}

}  // namespace quillane::gui
