#pragma once
// The state of one editing run that the main window and every dialog share: the
// settings, the project folder and its database, the open map and its number, the
// backup flag and what is unsaved. Dialogs receive it by reference.
#include <filesystem>
#include <memory>
#include <string>

#include "core/data/project_database.h"
#include "core/data/random_source.h"
#include "core/data/save_all.h"
#include "core/map/map_document.h"
#include "core/media/sound_preview.h"
#include "core/settings/editor_settings.h"
#include "core/tools/event_flags.h"
#include "gui/map/tile_sheets.h"

namespace quillane::app {

struct Workspace {
  std::filesystem::path programDir;      // the working directory at start
  settings::EditorSettings settings;     // ZOV.INI, kept for the whole run
  std::filesystem::path projectFolder;   // absolute; the folder whose LoadAll last succeeded
  data::ProjectDatabase db;
  data::RandomSource random;
  text::Bytes enteredPassword;           // what the welcome dialog's password box held

  // The open map; null when no map is open. Its number is mapIndex (-1 when none).
  std::unique_ptr<map::MapDocument> map;
  int mapIndex = -1;
  // The map open before the current one was closed by a deletion: a new map takes
  // over some of its settings.
  std::unique_ptr<map::MapDocument> closedMap;

  // The run's one sound preview, made on first use so that the audio device opens once
  // (dialogs stop their music when they close). It plays from projectFolder.
  media::SoundPreview& sound();

  // The test-play save's event flags, and the map and slot its dialog last showed.
  tools::EventFlags eventFlags;
  int debugMap = 0;
  int debugSlot = 1;

  data::BackupState backup;              // the once-per-run copy into DATBK
  bool databaseModified = false;         // a table changed since load or save

  // "007" for map 7; "" when no map is open.
  std::string mapNumberText() const;
  bool mapModified() const { return map && map->modified; }
  bool unsaved() const { return mapModified() || databaseModified; }
  bool splitMapChips() const { return db.initial.splitMapChips(); }
  // Character size and transparent colour of the project's character sheets.
  gui::CharacterLook characterLook() const { return gui::characterLookOf(db.initial); }

 private:
  std::unique_ptr<media::SoundPreview> sound_;
};


}  // namespace quillane::app
