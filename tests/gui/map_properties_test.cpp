// FORM10 driven through its controls: the size limits and the grow fill, music that
// starts with "演奏" and stops when the dialog closes, "ｷｬﾝｾﾙ" restoring everything,
// refused choices, the resize questions, and "イベント全削除".
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>

#include "core/data/project_database.h"
#include "core/map/new_map.h"
#include "core/media/sound_preview.h"
#include "gui/map/map_properties_dialog.h"
#include "gui/map/map_properties_form.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"
#include "dialog_steps.h"

using namespace quillane;

namespace {

class RecordingDevice : public media::MediaDevice {
 public:
  explicit RecordingDevice(std::vector<std::string>& log) : log_(log) {}
  void send(std::string_view command) override { log_.emplace_back(command); }

 private:
  std::vector<std::string>& log_;
};

gui::MapPropertiesForm* form() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QStringLiteral("FORM10") && w->isVisible())
      return static_cast<gui::MapPropertiesForm*>(w);
  return nullptr;
}

QLineEdit* edit(const char* name) { return form()->edit(name); }
QComboBox* combo(const char* name) { return form()->combo(name); }
void click(const char* name) { form()->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
void choose(const char* name, int row) {
  QComboBox* box = combo(name);
  box->setCurrentIndex(row);
  emit box->activated(row);
}

}  // namespace

class MapPropertiesTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  data::ProjectDatabase db_;
  map::MapDocument map_;
  std::vector<std::string> commands_;
  std::unique_ptr<media::SoundPreview> sound_;
  std::vector<ui::BoxRequest> boxes_;
  ui::Answer answer_ = ui::Answer::Yes;
  ui::Answer okCancel_ = ui::Answer::Ok;

  gui::MapPropertiesOutcome run(std::deque<std::function<void()>> steps) {
    // Each step runs while the dialog waits for its next action.
    test::DialogSteps script(std::move(steps), [] { return form() != nullptr; });
    return gui::runMapProperties(nullptr, {dir_.path().toStdString(), map_, 2, db_, *sound_, {}});
  }

 private slots:
  void initTestCase() {
    QDir(dir_.path()).mkpath(QStringLiteral("grp"));
    QDir(dir_.path()).mkpath(QStringLiteral("MID"));
    QImage tiles(512, 512, QImage::Format_RGB32);
    tiles.fill(Qt::darkGreen);
    QVERIFY(tiles.save(dir_.filePath(QStringLiteral("grp/MAP.BMP")), "BMP"));
    tiles.fill(Qt::blue);
    QVERIFY(tiles.save(dir_.filePath(QStringLiteral("grp/other.bmp")), "BMP"));
    QFile midi(dir_.filePath(QStringLiteral("MID/FIELD.mid")));
    QVERIFY(midi.open(QIODevice::WriteOnly));
    ui::setBoxHook([this](const ui::BoxRequest& request) {
      boxes_.push_back(request);
      if (request.buttons == ui::Buttons::OkCancel) return okCancel_;
      return request.buttons == ui::Buttons::YesNo ? answer_ : ui::Answer::Ok;
    });
  }

  void init() {
    db_ = data::ProjectDatabase{};
    db_.max.maps = 3;
    db_.max.scenery = 3;
    db_.max.enemyKinds = 101;
    db_.fitToCounts();
    db_.scenery.town = {99, 99, 99};
    db_.maps.name = {"a", "b", "c"};
    for (auto& kinds : db_.maps.enemy) kinds.fill(99);
    map_ = map::newMapDocument(nullptr, false);
    map_.modified = false;
    commands_.clear();
    sound_ = std::make_unique<media::SoundPreview>(std::make_unique<RecordingDevice>(commands_));
    boxes_.clear();
    answer_ = ui::Answer::Yes;
    okCancel_ = ui::Answer::Ok;
  }

  void sizeIsClampedAndMusicPlaysUntilClose() {
    QStringList shown;
    auto outcome = run({
        [] {
          QCOMPARE(edit("EDIT90")->text(), QStringLiteral("2"));
          QCOMPARE(edit("EDIT98")->text(), QStringLiteral("c"));
          QCOMPARE(form()->focusWidget(), static_cast<QWidget*>(edit("EDIT91")));
          edit("EDIT91")->setText(QStringLiteral("10"));
          edit("EDIT92")->setText(QStringLiteral("x"));
          click("BUTTON98");
        },
        [&] {
          shown << edit("EDIT91")->text() << edit("EDIT92")->text();
          edit("EDIT91")->setText(QStringLiteral("300"));
          edit("EDIT92")->setText(QStringLiteral("３００"));
          click("BUTTON28");
        },
    });
    QCOMPARE(shown, (QStringList{QStringLiteral("20"), QStringLiteral("15")}));
    QVERIFY(outcome.accepted);
    QVERIFY(outcome.sizeChanged);
    QCOMPARE(map_.width, 200);
    QCOMPARE(map_.height, 32);
    QCOMPARE(QString::fromStdString(map_.ground.text(31, 199)), QStringLiteral("00"));
    QCOMPARE(QString::fromStdString(map_.sky.text(31, 199)), QStringLiteral("00"));
    QVERIFY(map_.modified);
    QCOMPARE(commands_.size(), 3u);
    QVERIFY(commands_[0].find("open \"") == 0);
    QVERIFY(commands_[0].find("MID/FIELD.mid\" alias MIDI1") != std::string::npos);
    QCOMPARE(commands_[1], std::string("play MIDI1"));
    QCOMPARE(commands_[2], std::string("close MIDI1"));  // the dialog closed
  }

  void cancelRestoresEverything() {
    map_.ground.set(3, 3, "B1");
    map_.skyTileSetName = "SKY";
    const map::MapDocument before = map_;
    const data::ProjectDatabase dbBefore = db_;
    QImage previewed;
    QStringList tileNames;
    auto outcome = run({
        [&] {
          for (int i = 0; i < combo("COMBO85")->count(); ++i) tileNames << combo("COMBO85")->itemText(i);
          QVERIFY(combo("COMBO84")->isEnabled());
          edit("EDIT91")->setText(QStringLiteral("40"));
          edit("EDIT98")->setText(QStringLiteral("新しい名前"));
          choose("COMBO85", combo("COMBO85")->findText(QStringLiteral("other")));
        },
        [&] {
          previewed = form()->preview().shown();
          QCOMPARE(edit("EDIT91")->text(), QStringLiteral("40"));  // applied with the pick
          choose("COMBO23", 0);                                       // "はい"
          choose("COMBO24", 0);                                       // "有る"
          choose("COMBO46", 2);
          choose("COMBO25", 4);
          choose("COMBO94", combo("COMBO94")->findText(QStringLiteral("MAP")));
          form()->findChild<QCheckBox*>(QStringLiteral("CHECK4"))->setChecked(true);
          click("BUTTON98");
        },
        [&] {
          QCOMPARE(db_.scenery.town[0], 2.0f);
          QCOMPARE(db_.scenery.visited[0], 1.0f);
          QCOMPARE(map_.upMap, 1);
          QCOMPARE(map_.tileSetName, text::Bytes("other"));
          QCOMPARE(db_.maps.name[2], text::sj("新しい名前"));
          click("BUTTON39");
        },
    });
    // Names are listed in order, the stored one included.
    QCOMPARE(tileNames, (QStringList{QStringLiteral("MAP"), QStringLiteral("other")}));
    QVERIFY(!previewed.isNull());
    QCOMPARE(previewed.pixelColor(5, 5), QColor(Qt::blue));
    QVERIFY(!outcome.accepted);
    QVERIFY(!outcome.bitmapsChanged());
    QVERIFY(!outcome.sizeChanged);
    QCOMPARE(map_.width, 20);
    QCOMPARE(map_.tileSetName, text::Bytes("MAP"));
    QCOMPARE(map_.skyTileSetName, text::Bytes("SKY"));
    QCOMPARE(map_.upMap, map::kNoMap);
    QCOMPARE(map_.noTeleport, 0);
    QVERIFY(map_.ground == before.ground);
    QVERIFY(map_.sky == before.sky);
    QVERIFY(!map_.modified);
    QCOMPARE(db_.scenery.town, dbBefore.scenery.town);
    QCOMPARE(db_.scenery.visited, dbBefore.scenery.visited);
    QCOMPARE(db_.scenery.distantView, dbBefore.scenery.distantView);
    QCOMPARE(db_.maps.name, dbBefore.maps.name);
    QVERIFY(db_.maps.enemy == dbBefore.maps.enemy);
  }

  void refusedChoicesAndUntouchedSelectors() {
    map_.leftMap = 57;  // beyond the map count: kept while the list is not touched
    map_.battleStartEvent = 4;
    auto outcome = run({
        [] {
          QCOMPARE(combo("COMBO47")->currentIndex(), -1);
          choose("COMBO23", 1);    // "いいえ" for a map that is no town
          choose("COMBO26", 100);  // enemy 99 would read as "設定無し"
        },
        [] {
          QCOMPARE(combo("COMBO26")->currentIndex(), 0);
          choose("COMBO27", 100 - 1);  // enemy 98 is fine
          click("BUTTON28");
        },
    });
    QVERIFY(outcome.accepted);
    QCOMPARE(boxes_.size(), 1u);
    QCOMPARE(boxes_[0].icon, ui::Icon::Exclamation);
    QCOMPARE(db_.scenery.town, (std::vector<float>{99, 99, 99}));
    QCOMPARE(db_.maps.enemy[2][1], 99.0f);
    QCOMPARE(db_.maps.enemy[2][2], 98.0f);
    QCOMPARE(map_.leftMap, 57);
    QCOMPARE(map_.battleStartEvent, 4);
  }

  void aNameThatBreaksTheFileKeepsTheDialogOpen() {
    bool stillOpen = false;
    auto outcome = run({
        [] {
          edit("EDIT98")->setText(QStringLiteral("say \"hi\""));
          edit("EDIT106")->setText(QStringLiteral("250"));
          click("BUTTON28");
        },
        [&] {
          stillOpen = true;
          QCOMPARE(edit("EDIT98")->text(), QStringLiteral("c"));
          click("BUTTON28");
        },
    });
    QVERIFY(stillOpen);
    QVERIFY(outcome.accepted);
    QCOMPARE(boxes_.size(), 1u);
    QCOMPARE(db_.maps.name[2], text::Bytes("c"));
    QCOMPARE(map_.stepLimit, 250);  // the other fields were applied
  }

  void shrinkAsksAndEventsHoldTheSize() {
    map_.width = 30;
    map_.ground.fillArea(15, 30, map::TileCode("00"));
    map_.ground.set(0, 25, "C3");
    answer_ = ui::Answer::No;
    run({[] {
      edit("EDIT91")->setText(QStringLiteral("20"));
      click("BUTTON28");
    }});
    QCOMPARE(map_.width, 30);  // declined
    QCOMPARE(boxes_.size(), 1u);
    QCOMPARE(boxes_[0].buttons, ui::Buttons::YesNo);

    map_.events.lastNumber = 0;
    map_.events.records[0].x = 22;
    map_.events.grid.at(22, 0) = {"01", "1", "0"};
    answer_ = ui::Answer::Yes;
    boxes_.clear();
    run({[] {
      edit("EDIT91")->setText(QStringLiteral("20"));
      click("BUTTON28");
    }});
    QCOMPARE(map_.width, 30);  // refused: the event would stand outside
    QCOMPARE(boxes_.size(), 1u);
    QCOMPARE(boxes_[0].buttons, ui::Buttons::Ok);
  }

  void deletingEventsSurvivesCancel() {
    map_.events.lastNumber = 1;
    map_.events.grid.at(1, 1) = {"01", "1", "0"};
    map_.events.grid.at(2, 1) = {"02", "1", "1"};
    // The question is an OK/Cancel box; Cancel keeps the events.
    okCancel_ = ui::Answer::Cancel;
    run({[] { click("BUTTON165"); }, [] { click("BUTTON28"); }});
    QCOMPARE(boxes_.size(), 1u);
    QCOMPARE(boxes_[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(boxes_[0].icon, ui::Icon::Question);
    QCOMPARE(map_.events.lastNumber, 1);
    QVERIFY(map_.events.grid.at(2, 1).hasEvent());
    okCancel_ = ui::Answer::Ok;
    boxes_.clear();
    map_.modified = false;
    QStringList hooksAfter;
    auto outcome = run({
        [] {
          QCOMPARE(combo("COMBO22")->count(), 2);
          click("BUTTON165");
        },
        [&] {
          for (int i = 0; i < combo("COMBO91")->count(); ++i) hooksAfter << combo("COMBO91")->itemText(i);
          click("BUTTON39");
        },
    });
    QCOMPARE(boxes_.size(), 1u);
    QCOMPARE(boxes_[0].text, QStringLiteral("イベントをすべて削除します、よろしいですか？"));
    QCOMPARE(hooksAfter, QStringList{QStringLiteral("設定なし")});
    QVERIFY(outcome.eventsDeleted);
    QCOMPARE(map_.events.lastNumber, -1);
    QVERIFY(!map_.events.grid.at(2, 1).hasEvent());
    QVERIFY(map_.modified);
  }
};

QTEST_MAIN(MapPropertiesTest)
#include "map_properties_test.moc"
