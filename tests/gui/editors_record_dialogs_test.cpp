// The enemy, item and magic dialogs driven through their controls: commits write the
// tables (effect codes, "none" encodings, HP 0 as 1), cancel after "▼" restores only
// the edits since the move, and the permission list of an arms record.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>

#include "core/data/blank_project.h"
#include "gui/editors/enemy_dialog.h"
#include "gui/editors/item_dialog.h"
#include "gui/editors/magic_dialog.h"
#include "dialog_steps.h"
#include "gui/ui/message_box.h"

using namespace quillane;
using editors::RecordOutcome;

namespace {

ui::Form* shownForm() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName().startsWith(QStringLiteral("FORM_")) && w->isVisible()) return static_cast<ui::Form*>(w);
  return nullptr;
}

QLineEdit* edit(const char* name) { return shownForm()->control<QLineEdit>(QString::fromLatin1(name)); }
QComboBox* combo(const char* name) { return shownForm()->control<QComboBox>(QString::fromLatin1(name)); }
QListWidget* list(const char* name) { return shownForm()->control<QListWidget>(QString::fromLatin1(name)); }
QPushButton* button(const char* name) { return shownForm()->control<QPushButton>(QString::fromLatin1(name)); }
void click(const char* name) { button(name)->click(); }
void choose(const char* name, int row) {
  QComboBox* box = combo(name);
  box->setCurrentIndex(row);
  emit box->activated(row);
}

// Steps for whichever record dialog is shown.
struct Script : test::DialogSteps {
  explicit Script(std::deque<Step> steps) : DialogSteps(std::move(steps), [] { return shownForm() != nullptr; }) {}
};

}  // namespace

class RecordDialogsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  data::ProjectDatabase db_;
  std::vector<ui::BoxRequest> boxes_;

  std::filesystem::path folder() const { return dir_.path().toStdString(); }

 private slots:
  void initTestCase() {
    ui::setBoxHook([this](const ui::BoxRequest& request) {
      boxes_.push_back(request);
      return ui::Answer::Ok;
    });
  }

  void init() {
    db_ = data::blankDatabase();
    boxes_.clear();
  }

  void itemCommitComposesTheEffectCode() {
    gui::ItemDialog dialog(db_, folder(), nullptr);
    Script script({
        [] { choose("COMBO_TARGET", 3); },  // 味方一人
        [] {
          QVERIFY(!edit("EDIT_POWER")->isReadOnly());
          edit("EDIT_POWER")->setText(QStringLiteral("50"));
          choose("COMBO_EFFECT", 9);  // 体・魔力回復
        },
        [] {
          QCOMPARE(combo("COMBO_EFFECT")->currentIndex(), 9);
          QCOMPARE(edit("EDIT_POWER")->text(), QStringLiteral("50"));
          choose("COMBO_TARGET", 1);  // 瞬間移動
        },
        [] {
          QVERIFY(edit("EDIT_POWER")->isReadOnly());
          QVERIFY(edit("EDIT_POWER")->text().isEmpty());
          click("BUTTON_OK");
        },
    });
    QCOMPARE(dialog.run(2), RecordOutcome::Confirmed);
    QCOMPARE(QByteArray::fromStdString(db_.items.text[2][5]), QByteArray("WP-0000W"));
    QCOMPARE(dialog.isVisible(), false);
  }

  void itemOkWithoutEditsKeepsTheRecord() {
    db_.items.text[1][5] = "EX12Q";  // a code the dialog cannot name
    db_.items.attribute[1] = 57;      // an attribute beyond the list
    db_.items.armsIndex[1] = 400;     // an arms record beyond the table
    const data::ItemTable before = db_.items;
    gui::ItemDialog dialog(db_, folder(), nullptr);
    Script script({[] {
      QVERIFY(shownForm()->control<QCheckBox>(QStringLiteral("CHECK_WEAPON"))->isChecked());
      QVERIFY(edit("EDIT_ARMS_ATTACK")->isReadOnly());
      click("BUTTON_OK");
    }});
    QCOMPARE(dialog.run(1), RecordOutcome::Confirmed);
    QVERIFY(db_.items == before);
  }

  void permissionListAddAndRemove() {
    db_.players.name[1] = "B";
    db_.players.name[3] = "D";
    gui::ItemDialog dialog(db_, folder(), nullptr);
    Script script({
        [] {
          QVERIFY(!button("BUTTON_REGISTER")->isEnabled());
          QVERIFY(!button("BUTTON_DELETE")->isEnabled());
          shownForm()->control<QCheckBox>(QStringLiteral("CHECK_WEAPON"))->click();
        },
        [] {
          QVERIFY(button("BUTTON_REGISTER")->isEnabled());
          QCOMPARE(edit("EDIT_ARMS_NO")->text(), QStringLiteral("1"));
          list("LIST_PLAYERS")->setCurrentRow(3);
          click("BUTTON_REGISTER");
        },
        [] {
          list("LIST_PLAYERS")->setCurrentRow(1);
          click("BUTTON_REGISTER");
        },
        [] {
          QCOMPARE(list("LIST_PERMITTED")->count(), 2);
          QCOMPARE(list("LIST_PERMITTED")->item(0)->text(), QStringLiteral("1:B"));
          list("LIST_PERMITTED")->setCurrentRow(0);
          click("BUTTON_DELETE");
        },
        [] {
          QCOMPARE(list("LIST_PERMITTED")->count(), 1);
          QCOMPARE(list("LIST_PERMITTED")->item(0)->text(), QStringLiteral("3:D"));
          click("BUTTON_OK");
        },
    });
    QCOMPARE(dialog.run(0), RecordOutcome::Confirmed);
    QCOMPARE(db_.items.armsIndex[0], 1.0f);
    QCOMPARE(db_.arms.permission[0], (std::vector<float>{0, 0, 0, 1, 0}));
  }

  void enemyCancelAfterNextRestoresOnlyTheLatestEdits() {
    db_.enemies.name[0] = "zero";
    db_.enemies.name[1] = "one";
    gui::EnemyDialog dialog(db_, folder());
    {
      Script script({[] {
        QCOMPARE(edit("EDIT_NO")->text(), QStringLiteral("0"));
        edit("EDIT_NAME")->setText(QStringLiteral("ゼロ"));
        edit("EDIT_HP")->setText(QString());
        choose("COMBO_MAGIC0", 0);  // 設定無し
        choose("COMBO_MAGIC1", 1);  // magic 0
        choose("COMBO_ITEM0", 0);   // 設定無し
        choose("COMBO_ITEM1", 1);   // item 0
        click("BUTTON_NEXT");
      }});
      QCOMPARE(dialog.run(0), RecordOutcome::Next);
    }
    {
      Script script({[] {
        QCOMPARE(edit("EDIT_NO")->text(), QStringLiteral("1"));
        edit("EDIT_NAME")->setText(QStringLiteral("changed"));
        click("BUTTON_CANCEL");
      }});
      QCOMPARE(dialog.run(1), RecordOutcome::Cancelled);
    }
    QCOMPARE(QByteArray::fromStdString(db_.enemies.name[0]), QByteArray("\x83\x5b\x83\x8d"));
    QCOMPARE(db_.enemies.hp[0], 1.0f);
    QCOMPARE(db_.enemies.magic[0][0], 99.0f);
    QCOMPARE(db_.enemies.magic[0][1], 0.0f);
    QCOMPARE(db_.enemies.itemSlot[0][0], 0.0f);
    QCOMPARE(db_.enemies.itemSlot[0][1], 1.0f);
    QCOMPARE(QByteArray::fromStdString(db_.enemies.name[1]), QByteArray("one"));
  }

  void magicCommitKeepsPowerAsItsOwnField() {
    db_.magic.effect[0] = "--";
    db_.magic.sound[0] = "boom";
    gui::MagicDialog dialog(db_, folder(), nullptr);
    Script script({
        [] {
          QCOMPARE(combo("COMBO_TARGET")->currentIndex(), -1);
          QCOMPARE(combo("COMBO_TARGET")->currentText(), QString());
          QVERIFY(edit("EDIT_POWER")->isReadOnly());
          choose("COMBO_TARGET", 5);  // 敵全員
        },
        [] {
          edit("EDIT_POWER")->setText(QStringLiteral("30"));
          choose("COMBO_EFFECT", 1);  // 眠り
        },
        [] {
          QCOMPARE(edit("EDIT_POWER")->text(), QStringLiteral("30"));
          click("BUTTON_ALL_DEFAULT");
        },
        [] {
          QCOMPARE(list("LIST_PLAYER_SOUNDS")->count(), 4);
          QCOMPARE(list("LIST_PLAYER_SOUNDS")->item(2)->text(), QStringLiteral("2::boom"));
          click("BUTTON_OK");
        },
    });
    QCOMPARE(dialog.run(0), RecordOutcome::Confirmed);
    QCOMPARE(QByteArray::fromStdString(db_.magic.effect[0]), QByteArray("EAS"));
    QCOMPARE(db_.magic.potency[0], 30.0f);
  }
};

QTEST_MAIN(RecordDialogsTest)
#include "editors_record_dialogs_test.moc"
