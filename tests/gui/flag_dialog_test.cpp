// FORM12 driven through its controls: the "追加" rows, the condition slots, steps
// placed on the map through a stand-in picker, refusals with their messages, and
// "全クリア" undone by "ｷｬﾝｾﾙ".
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/data/project_database.h"
#include "core/event/flag_event_source.h"
#include "core/event/flag_table_editor.h"
#include "core/map/map_document.h"
#include "gui/event/flag_dialog.h"
#include "gui/event/flag_mode.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

using namespace quillane;
using gui::FlagDialog;

namespace {

class FakePicker : public gui::FlagMapPicker {
 public:
  std::optional<gui::MapPick> answer;
  std::vector<gui::PickSheet> asked;
  std::optional<gui::MapPick> pick(gui::PickSheet sheet) override {
    asked.push_back(sheet);
    return answer;
  }
};

std::vector<text::Bytes> names(int n) {
  std::vector<text::Bytes> v;
  for (int i = 0; i < n; ++i) v.push_back(text::sj("マップ") + std::to_string(i));
  return v;
}

// Chooses an item of a box as the user does.
void choose(QComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}

QString rowText(QListWidget* list, int row) { return list->item(row)->text(); }

}  // namespace

class FlagDialogTest : public QObject {
  Q_OBJECT

  event::MapEvents open_;
  QStringList titles_;

 private slots:
  void init() {
    open_ = event::MapEvents{};
    open_.lastNumber = 1;
    open_.records[0].lines[0] = {text::sj("宝箱"), "ITS"};
    open_.records[0].lines[1] = {"99", ""};
    open_.records[1].lines[0] = {"99", ""};
    titles_.clear();
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      titles_ << r.title;
      return ui::Answer::Ok;
    });
  }

  void emptyTableOffersOnlyTheAddRow() {
    std::vector<event::FlagEntry> table;
    event::FlagEventSource source(1, open_, names(3), nullptr);
    FlagDialog d(table, source, false, nullptr);
    auto* list = d.control<QListWidget>("LIST9");
    QCOMPARE(list->count(), 1);
    QCOMPARE(rowText(list, 0), QStringLiteral("追加"));
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(table.empty());

    QSignalSpy posted(&d, &ui::Form::actionPosted);
    emit list->itemClicked(list->item(0));
    QCOMPARE(posted.takeFirst().at(0).toInt(), int(FlagDialog::kChooseEntry));
    d.handle(FlagDialog::kChooseEntry);
    QCOMPARE(table.size(), std::size_t(1));
    QCOMPARE(list->count(), 2);
    QVERIFY(rowText(list, 0).startsWith(QStringLiteral("ﾏｯﾌﾟ:マップ0 ｲﾍﾞﾝﾄ:")));
    QCOMPARE(d.control<QComboBox>("COMBO30")->currentText(), QStringLiteral("0:マップ0"));
    QCOMPARE(d.control<QComboBox>("COMBO32")->currentText(), QStringLiteral("="));
    // Slot 1 offers "追加"; slot 2 follows an empty slot and is not shown.
    auto* slot1 = d.control<QComboBox>("COMBO34");
    QCOMPARE(slot1->currentIndex(), -1);
    QCOMPARE(slot1->placeholderText(), QStringLiteral("追加"));
    QVERIFY(!slot1->isHidden());
    QVERIFY(d.control<QComboBox>("COMBO38")->isHidden());

    // A map chosen in slot 1 creates the second condition.
    choose(slot1, 3);
    QCOMPARE(posted.takeFirst().at(0).toInt(), int(FlagDialog::kCondition + 4));
    d.handle(FlagDialog::kCondition + 4);
    QCOMPARE(table[0].conditions[1].map, 2);
    QVERIFY(!d.control<QComboBox>("COMBO38")->isHidden());
    QCOMPARE(d.control<QComboBox>("COMBO38")->placeholderText(), QStringLiteral("追加"));

    // "削除" on slot 0 moves slot 1 up.
    choose(d.control<QComboBox>("COMBO30"), 0);
    d.handle(FlagDialog::kCondition);
    QCOMPARE(table[0].conditions[0].map, 2);
    QVERIFY(table[0].conditions[1].empty());
    QVERIFY(d.control<QComboBox>("COMBO38")->isHidden());
  }

  void stepsArePlacedOnTheMap() {
    std::vector<event::FlagEntry> table(1);
    table[0].conditions[0] = {0, 0, "=", 0};
    event::FlagEventSource source(1, open_, names(2), nullptr);
    FakePicker picker;
    FlagDialog d(table, source, true, &picker);
    auto* steps = d.control<QListWidget>("LIST8");
    QCOMPARE(steps->count(), 1);
    d.handle(FlagDialog::kChooseStep);
    QCOMPARE(table[0].steps.size(), std::size_t(1));
    QCOMPARE(table[0].steps[0].kind, text::Bytes("F"));
    QCOMPARE(d.control<QLabel>("TEXT138")->text(), QStringLiteral("マップ"));

    auto* kind = d.control<QComboBox>("COMBO42");
    // A cancelled pick changes nothing.
    choose(kind, 1);
    d.handle(FlagDialog::kStepKind);
    QCOMPARE(table[0].steps[0].kind, text::Bytes("F"));
    QCOMPARE(kind->currentIndex(), 0);

    // A terrain character under the split map-chip form carries its bank digit.
    picker.answer = gui::MapPick{7, 9, 1, 10, 2};
    choose(kind, 1);
    d.handle(FlagDialog::kStepKind);
    QCOMPARE(picker.asked.back(), gui::PickSheet::Terrain);
    QCOMPARE(table[0].steps[0].text1, text::Bytes("11A"));
    QCOMPARE(d.control<QLineEdit>("EDIT101")->text(), QStringLiteral("X: 7 Y: 9 ｷｬﾗｸﾀNo. 11A"));

    // An event character has no bank digit.
    picker.answer = gui::MapPick{3, 4, 0, 5, 2};
    choose(kind, 2);
    d.handle(FlagDialog::kStepKind);
    QCOMPARE(picker.asked.back(), gui::PickSheet::EventCharacters);
    const event::FlagAction& e = table[0].steps[0];
    QCOMPARE(e.text1, text::Bytes("05"));
    QCOMPARE(e.value3, 8);
    choose(d.control<QComboBox>("COMBO45"), 2);
    d.handle(FlagDialog::kStepBox3);
    QCOMPARE(e.value3, 4);
    choose(d.control<QComboBox>("COMBO44"), 12);
    d.handle(FlagDialog::kStepBox2);
    QCOMPARE(e.text2, text::Bytes("13"));
    QVERIFY(rowText(steps, 0).endsWith(QStringLiteral(" 移動:追跡縦座標重点(停止) 速度:3")));
    QCOMPARE(d.control<QLabel>("TEXT140")->text(), QStringLiteral("速度"));
  }

  void refusalsShowAMessageAndChangeNothing() {
    std::vector<event::FlagEntry> table(event::kMaxFlagEntries);
    for (event::FlagEntry& e : table) e.conditions[0] = {1, 0, "=", 0};
    table[0].steps.assign(event::kMaxFlagSteps, event::FlagAction{"D"});
    event::FlagEventSource source(1, open_, names(120), nullptr);
    FlagDialog d(table, source, false, nullptr);
    auto* list = d.control<QListWidget>("LIST9");
    list->setCurrentRow(event::kMaxFlagEntries);  // the "追加" row
    d.handle(FlagDialog::kChooseEntry);
    QCOMPARE(table.size(), std::size_t(event::kMaxFlagEntries));
    QCOMPARE(titles_, QStringList{QStringLiteral("条件追加")});

    list->setCurrentRow(0);
    d.handle(FlagDialog::kChooseEntry);
    d.control<QListWidget>("LIST8")->setCurrentRow(event::kMaxFlagSteps);
    d.handle(FlagDialog::kChooseStep);
    QCOMPARE(table[0].steps.size(), std::size_t(event::kMaxFlagSteps));
    QCOMPARE(titles_.last(), QStringLiteral("処理追加"));

    choose(d.control<QComboBox>("COMBO30"), 100);  // map 99
    d.handle(FlagDialog::kCondition);
    QCOMPARE(table[0].conditions[0].map, 1);
    QCOMPARE(titles_.last(), QStringLiteral("マップ選択"));
  }

  void clearAllThenCancelThroughTheButtons() {
    std::vector<event::FlagEntry> table(2);
    table[0].conditions[0] = {0, 1, ">", 2};
    table[1].conditions[0] = {1, 0, "<>", 0};
    table[1].steps = {event::FlagAction{"D", 1}};
    const std::vector<event::FlagEntry> original = table;
    event::FlagEventSource source(1, open_, names(2), nullptr);
    FlagDialog d(table, source, false, nullptr);
    QTimer::singleShot(0, &d, [&] {
      d.control<QPushButton>("BUTTON48")->click();
      QTimer::singleShot(0, &d, [&] {
        QVERIFY(table.empty());
        QCOMPARE(d.control<QListWidget>("LIST9")->count(), 1);
        d.control<QPushButton>("BUTTON46")->click();
      });
    });
    QVERIFY(!d.run());
    QVERIFY(event::sameFlagTables(table, original));
  }

  void reorderButtonsStopAtTheEnds() {
    std::vector<event::FlagEntry> table(2);
    table[0].conditions[0] = {0, 0, "=", 0};
    table[1].conditions[0] = {1, 0, "=", 0};
    event::FlagEventSource source(1, open_, names(2), nullptr);
    FlagDialog d(table, source, false, nullptr);
    d.handle(FlagDialog::kEntryUp);
    QCOMPARE(table[0].conditions[0].map, 0);
    d.handle(FlagDialog::kEntryDown);
    QCOMPARE(table[0].conditions[0].map, 1);
    QCOMPARE(d.control<QListWidget>("LIST9")->currentRow(), 1);
    d.handle(FlagDialog::kEntryDown);
    QCOMPARE(table[1].conditions[0].map, 0);
  }

  void flagModeMarksTheMapOnlyWhenOkKeepsAChange() {
    QTemporaryDir folder;
    data::ProjectDatabase db;
    db.max.maps = 3;
    db.maps.resize(3);
    map::MapDocument doc;
    doc.events = open_;
    QTimer::singleShot(0, [] {
      auto* d = qobject_cast<FlagDialog*>(QApplication::activeModalWidget());
      QVERIFY(d);
      d->control<QPushButton>("BUTTON34")->click();
    });
    QVERIFY(!gui::runFlagMode(db, doc, 1, folder.path().toStdString(), nullptr));
    QVERIFY(!doc.modified);

    QTimer::singleShot(0, [] {
      auto* d = qobject_cast<FlagDialog*>(QApplication::activeModalWidget());
      QVERIFY(d);
      d->post(FlagDialog::kChooseEntry);  // the "追加" row of the empty table
      QTimer::singleShot(0, [d] {
        // Map 2 has no files: its event list is empty, not an error.
        QCOMPARE(d->control<QComboBox>("COMBO31")->count(), 0);
        choose(d->control<QComboBox>("COMBO30"), 3);
        QTimer::singleShot(0, [d] { d->control<QPushButton>("BUTTON34")->click(); });
      });
    });
    QVERIFY(gui::runFlagMode(db, doc, 1, folder.path().toStdString(), nullptr));
    QVERIFY(doc.modified);
    QCOMPARE(doc.flags.size(), std::size_t(1));
    QCOMPARE(doc.flags[0].conditions[0].map, 2);
  }
};

QTEST_MAIN(FlagDialogTest)
#include "flag_dialog_test.moc"
