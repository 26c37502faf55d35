// The player dialog driven through its controls: cancel after "▼", "一定" without
// "▲登録", a mouse drag on the graph, equipment with a two-handed weapon, and the record
// choice of player mode on the main window's list chooser.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>

#include "core/data/project_database.h"
#include "gui/editors/growth_graph.h"
#include "gui/editors/player_dialog.h"
#include "dialog_steps.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

using namespace quillane;
using editors::RecordOutcome;
using gui::PlayerDialog;

namespace {

// Three players, eleven levels; player 0 starts at level 1 with maximum HP 10 and gains
// 10 HP a level. Items: 0 sword (part 0), 1 great sword (part 6), 2 shield (part 2).
data::ProjectDatabase party() {
  data::ProjectDatabase db;
  db.max.players = 3;
  db.max.levels = 11;
  db.max.itemKinds = 10;
  db.max.armsKinds = 5;
  db.max.itemsHeld = 5;
  db.max.magicKinds = 10;
  db.fitToCounts();
  for (int p = 0; p < 4; ++p) {
    db.players.name[p] = text::sj("勇者") + std::to_string(p) + "X";
    db.players.level[p] = 1;
    db.players.maxHp[p] = 10;
    for (float& w : db.levels.hpGain[p]) w = 10;
  }
  const float parts[] = {0, 6, 2};
  for (int i = 0; i < 3; ++i) {
    db.items.text[i][0] = text::sj("剣") + std::to_string(i);
    db.items.armsIndex[i] = static_cast<float>(i + 1);
    db.arms.part[i] = parts[i];
    for (float& f : db.arms.permission[i]) f = 1;
  }
  return db;
}

void click(PlayerDialog& d, const char* name) { d.control<QPushButton>(QString::fromLatin1(name))->click(); }
void type(PlayerDialog& d, const char* name, const QString& text) {
  d.control<QLineEdit>(QString::fromLatin1(name))->setText(text);
}
void choose(QComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}

}  // namespace

class PlayerDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ui::setBoxHook([](const ui::BoxRequest&) { return ui::Answer::Ok; });
  }

  void cancelAfterNextUndoesOnlyTheEditsSinceTheMove() {
    data::ProjectDatabase db = party();
    PlayerDialog d(db, {}, QImage());
    test::drive(d, {[&] { type(d, "EDIT_NAME", QStringLiteral("abc")); click(d, "BUTTON_NEXT"); }});
    QCOMPARE(d.open(0), RecordOutcome::Next);
    QCOMPARE(db.players.name[0], text::Bytes("abc "));  // odd length padded
    test::drive(d, {[&] {
      QCOMPARE(d.control<QLineEdit>("EDIT_NO")->text(), QStringLiteral("1"));
      type(d, "EDIT_MAXHP", QStringLiteral("0"));
      type(d, "EDIT_EXPERIENCE", QStringLiteral("12.5"));
      click(d, "BUTTON_REDISPLAY");
    },
           [&] {
             QCOMPARE(db.players.maxHp[1], 1.0f);  // 0 stored as 1
             QCOMPARE(db.players.experience[1], 13);
             click(d, "BUTTON_CANCEL");
           }});
    QCOMPARE(d.open(1), RecordOutcome::Cancelled);
    QCOMPARE(db.players.maxHp[1], 10.0f);
    QCOMPARE(db.players.experience[1], 0);
    QCOMPARE(db.players.name[0], text::Bytes("abc "));
    QVERIFY(!d.isVisible());
  }

  void evenSpreadWithoutRegisteringLeavesTheLevelTable() {
    data::ProjectDatabase db = party();
    PlayerDialog d(db, {}, QImage());
    std::vector<double> working;
    test::drive(d, {[&] {
             QCOMPARE(d.control<QLineEdit>("EDIT_TARGET")->text(), QStringLiteral("110"));
             QCOMPARE(d.control<QLineEdit>("EDIT_DISPLAY_MAX")->text(), QStringLiteral("115"));
             type(d, "EDIT_TARGET", QStringLiteral("113"));
             click(d, "BUTTON_EVEN");
           },
           [&] {
             working = d.working();
             click(d, "BUTTON_OK");
           }});
    QCOMPARE(d.open(0), RecordOutcome::Confirmed);
    QCOMPARE(working[4], 11.0);
    QCOMPARE(db.levels.hpGain[0][4], 10.0f);
    auto* list = d.control<QListWidget>("LIST_LEVELS");
    QCOMPARE(list->count(), 10);
    QVERIFY(list->item(9)->text().endsWith(QStringLiteral("     0")));
  }

  void draggingTheGraphChangesTwoIncrementsAndRegisters() {
    data::ProjectDatabase db = party();
    PlayerDialog d(db, {}, QImage());
    test::drive(d, {[&] {
             type(d, "EDIT_DISPLAY_MAX", QStringLiteral("96"));
             click(d, "BUTTON_GRAPH");
           },
           [&] {
             // Column 1 (x 14 per column) to the value 50: 20 after step 0, so W(1) = 30.
             QTest::mousePress(&d.graph(), Qt::LeftButton, {}, QPoint(28, 96 - 40));
           },
           [&] {
             QMouseEvent move(QEvent::MouseMove, QPointF(28, 96 - 50), d.graph().mapToGlobal(QPointF(28, 96 - 50)),
                              Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(&d.graph(), &move);
             QTest::mouseRelease(&d.graph(), Qt::LeftButton, {}, QPoint(28, 96 - 50));
             QCOMPARE(d.working()[1], 30.0);
             QCOMPARE(d.working()[2], -10.0);  // the point after it stays at 40
             QCOMPARE(d.working()[3], 10.0);
             click(d, "BUTTON_REGISTER_GROWTH");
           },
           [&] { click(d, "BUTTON_OK"); }});
    QCOMPARE(d.open(0), RecordOutcome::Confirmed);
    QCOMPARE(db.levels.hpGain[0][1], 30.0f);
    QCOMPARE(db.levels.hpGain[0][2], -10.0f);
  }

  void twoHandedWeaponLocksTheShield() {
    data::ProjectDatabase db = party();
    PlayerDialog d(db, {}, QImage());
    auto* items = d.control<QListWidget>("LIST_ITEMS");
    auto* weapon = d.control<QComboBox>("COMBO_EQUIP0");
    auto* shield = d.control<QComboBox>("COMBO_EQUIP2");
    test::drive(d, {[&] {
             items->setCurrentRow(1);
             click(d, "BUTTON_ITEM_ADD");
           },
           [&] {
             items->setCurrentRow(2);
             click(d, "BUTTON_ITEM_ADD");
           },
           [&] { choose(shield, 1); },
           [&] {
             QCOMPARE(db.players.equipment[0][2], 3.0f);
             choose(weapon, 1);
           },
           [&] {
             QCOMPARE(db.players.equipment[0][0], 2.0f);
             QCOMPARE(db.players.equipment[0][2], 0.0f);
             QVERIFY(!shield->isEnabled());
             QVERIFY(shield->currentText().contains(QStringLiteral("剣1")));
             // Removing the equipped weapon empties its slot and frees the shield.
             d.control<QListWidget>("LIST_HELD_ITEMS")->setCurrentRow(0);
             click(d, "BUTTON_ITEM_REMOVE");
           },
           [&] {
             QCOMPARE(db.players.equipment[0][0], 0.0f);
             QVERIFY(shield->isEnabled());
             click(d, "BUTTON_OK");
           }});
    QCOMPARE(d.open(0), RecordOutcome::Confirmed);
  }

  void refusedTextKeepsTheDialogOpen() {
    data::ProjectDatabase db = party();
    PlayerDialog d(db, {}, QImage());
    int messages = 0;
    ui::setBoxHook([&](const ui::BoxRequest&) {
      ++messages;
      return ui::Answer::Ok;
    });
    test::drive(d, {[&] {
             type(d, "EDIT_NAME", QStringLiteral("a\"b"));
             click(d, "BUTTON_OK");
           },
           [&] {
             QCOMPARE(messages, 1);
             QCOMPARE(d.control<QLineEdit>("EDIT_NAME")->text(), QStringLiteral("a\"b"));
             type(d, "EDIT_NAME", QStringLiteral("ab"));
             click(d, "BUTTON_OK");
           }});
    QCOMPARE(d.open(0), RecordOutcome::Confirmed);
    QCOMPARE(db.players.name[0], text::Bytes("ab"));
  }

  void untouchedFieldsStayAsStored() {
    data::ProjectDatabase db = party();
    db.players.attack[0] = 2.5f;     // a fraction from the file
    db.players.name[0] = "odd";      // odd length as stored
    db.players.attribute[0] = 42;    // beyond the attribute list
    PlayerDialog d(db, {}, QImage());
    test::drive(d, {[&] { click(d, "BUTTON_OK"); }});
    QCOMPARE(d.open(0), RecordOutcome::Confirmed);
    QCOMPARE(db.players.attack[0], 2.5f);
    QCOMPARE(db.players.name[0], text::Bytes("odd"));
    QCOMPARE(db.players.attribute[0], 42.0f);
  }
};

QTEST_MAIN(PlayerDialogTest)
#include "editors_player_dialog_test.moc"
