#include "gui/map/map_properties_dialog.h"

#include <QComboBox>
#include <QLineEdit>

#include "core/data/text_rules.h"
#include "core/map/map_properties_files.h"
#include "core/map/map_properties_lists.h"
#include "core/media/sound_preview.h"
#include "gui/map/map_properties_form.h"
#include "gui/ui/bitmaps.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

class PropertiesSession {
 public:
  PropertiesSession(QWidget* parent, MapPropertiesTarget& t) : t_(t), form_(parent) {
    bitmaps_ = map::listStems(t.projectFolder, "GRP", "*.bmp");
    music_ = map::listStems(t.projectFolder, "mid", "*.mid");
  }

  MapPropertiesOutcome run() {
    media::MusicScope music(t_.sound);
    const map::MapDocument opened = withoutEvents(t_.map);
    map::PropertiesSnapshot snapshot = map::takeSnapshot(t_.map, t_.db);
    show();
    form_.setWindowModality(Qt::ApplicationModal);
    form_.show();
    form_.edit("EDIT91")->setFocus();
    form_.edit("EDIT91")->selectAll();
    MapPropertiesOutcome outcome;
    for (;;) {
      int code = form_.waitAction();
      if (code == kPropertiesCancel) {
        map::restoreSnapshot(snapshot, t_.map, t_.db, outcome.eventsDeleted);
        break;
      }
      const bool complete = apply();
      // A map name that cannot be stored keeps the dialog open for correction.
      if (code == kPropertiesOk && complete) {
        outcome.accepted = true;
        break;
      }
      act(code, outcome);
      show();
    }
    form_.finish();
    outcome.sizeChanged = opened.width != t_.map.width || opened.height != t_.map.height;
    outcome.tileSetChanged = opened.tileSetName != t_.map.tileSetName;
    outcome.skyTileSetChanged = opened.skyTileSetName != t_.map.skyTileSetName;
    outcome.characterSetChanged = opened.characterSetName != t_.map.characterSetName;
    return outcome;
  }

 private:
  // The names and size the outcome compares, without copying the events.
  static map::MapDocument withoutEvents(const map::MapDocument& m) {
    map::MapDocument copy;
    copy.width = m.width;
    copy.height = m.height;
    copy.tileSetName = m.tileSetName;
    copy.skyTileSetName = m.skyTileSetName;
    copy.characterSetName = m.characterSetName;
    return copy;
  }

  void show() { form_.showValues({t_.map, t_.number, t_.db, bitmaps_, music_}); }

  // Applies every field; false when a text was refused (the rest is applied).
  bool apply() {
    map::PropertyInput in = form_.readInput(t_.number, t_.db);
    const bool complete = form_.refusedText().isEmpty();
    if (!complete)
      ui::messageBox(form_.refusedText(), ui::toQString(data::refuseTextTitle()), ui::Buttons::Ok,
                     ui::Icon::Exclamation);
    if (in.size != map::MapSize{t_.map.width, t_.map.height}) {
      map::ResizeCheck check = map::checkResize(t_.map, in.size);
      if (check.leavesEvent) {
        ui::messageBox(ui::toQString(map::eventOutsideMessage()), ui::toQString(map::resizeTitle()),
                       ui::Buttons::Ok, ui::Icon::Exclamation);
        in.applySize = false;
      } else if (check.cutsTiles &&
                 !ui::askYesNo(ui::toQString(map::cutTilesQuestion()), ui::toQString(map::resizeTitle()))) {
        in.applySize = false;
      }
    }
    map::applyProperties(in, t_.number, t_.db.initial.splitMapChips(), t_.map, t_.db);
    if (t_.onApplied) t_.onApplied();
    return complete;
  }

  void act(int code, MapPropertiesOutcome& outcome) {
    switch (code) {
      case kPropertiesPlay:
        t_.sound.setProjectFolder(t_.projectFolder);
        t_.sound.startMusic(t_.map.bgmName);
        break;
      case kPropertiesStop:
        t_.sound.stopMusic();
        break;
      case kPropertiesDeleteEvents:
        if (ui::askOkCancel(ui::toQString(map::deleteAllEventsQuestion()), ui::toQString(map::confirmTitle()))) {
          map::deleteAllEvents(t_.map);
          outcome.eventsDeleted = true;
          if (t_.onApplied) t_.onApplied();
        }
        break;
      case kPropertiesTilePicked:
      case kPropertiesCharacterPicked:
      case kPropertiesSkyPicked:
      case kPropertiesBattlePicked:
      case kPropertiesDistantPicked:
        preview(code);
        break;
      default:
        break;
    }
  }

  // The chosen bitmap on the dialog; one that cannot be loaded clears the preview.
  void preview(int code) {
    auto image = ui::projectBitmap(t_.projectFolder, "GRP", form_.listName(code), ".bmp");
    if (!image) {
      form_.preview().clear();
    } else if (code == kPropertiesBattlePicked || code == kPropertiesDistantPicked) {
      form_.preview().showWhole(*image);
    } else {
      form_.preview().showPart(*image);
    }
  }

  MapPropertiesTarget& t_;
  MapPropertiesForm form_;
  std::vector<text::Bytes> bitmaps_;
  std::vector<text::Bytes> music_;
};

}  // namespace

MapPropertiesOutcome runMapProperties(QWidget* parent, MapPropertiesTarget target) {
  PropertiesSession session(parent, target);
  return session.run();
}

}  // namespace quillane::gui
