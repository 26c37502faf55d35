// FORM2 driven through its controls: a template over a longer script, adding and
// deleting lines, the end marker typed into, copies from another map's event file, the
// command lookup at the caret, the character code check and the opening mode.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "core/data/map_context.h"
#include "core/data/project_database.h"
#include "core/data/random_source.h"
#include "core/event/command_reference.h"
#include "core/event/script_editing.h"
#include "core/map/map_document.h"
#include "core/map/map_files.h"
#include "core/text/project_files.h"
#include "gui/event/script_editor.h"
#include "gui/event/script_editor_dialog.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

using namespace quillane;
using gui::ScriptEditorDialog;

namespace {

// Lines "m0".. with commands "C0".., then the end marker.
event::ScriptLines script(int n, const std::string& prefix = "m") {
  event::ScriptLines lines{};
  for (int i = 0; i < n; ++i) lines[i] = {prefix + std::to_string(i), "C" + std::to_string(i)};
  lines[n] = {event::kEndMarker, ""};
  return lines;
}

QString u(const char* s) { return QString::fromUtf8(s); }

}  // namespace

class ScriptEditorTest : public QObject {
  Q_OBJECT

  data::ProjectDatabase db_;
  map::MapDocument open_;
  QTemporaryDir dir_;
  QStringList boxes_;

  gui::ScriptEditorContext context() {
    gui::ScriptEditorContext ctx{db_, dir_.path().toStdString(), data::mapContext(db_)};
    ctx.openMap = &open_;
    ctx.openMapNumber = 0;
    return ctx;
  }

  event::EventWorkCopy eventCopy(int lines) {
    event::EventWorkCopy copy;
    copy.lines = script(lines);
    copy.speed = 4;
    copy.cell = {"2A", "13", "0"};
    return copy;
  }

  // Presses a control's button and hands the posted code to the dialog.
  bool press(ScriptEditorDialog& d, const char* name) {
    QSignalSpy spy(&d, &ui::Form::actionPosted);
    auto* b = d.control<QPushButton>(QString::fromLatin1(name));
    if (!b || !b->isEnabled()) return false;
    b->click();
    if (spy.isEmpty()) return false;
    return d.handle(spy.takeLast().at(0).toInt());
  }

  void selectLine(ScriptEditorDialog& d, int row) {
    QSignalSpy spy(&d, &ui::Form::actionPosted);
    d.control<QListWidget>("LIST21")->setCurrentRow(row);
    QCOMPARE(spy.size(), 1);
    d.handle(spy.takeLast().at(0).toInt());
  }

  static QListWidget* rows(ScriptEditorDialog& d) { return d.control<QListWidget>("LIST21"); }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    db_.max.maps = 3;
    db_.maps.name = {text::sj("城"), text::sj("町"), text::sj("洞窟")};
    db_.fitToCounts();
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      boxes_ << r.title + "|" + r.text;
      return r.buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
    });
    // Map 1 exists only as its event file: two events with scripts of their own.
    map::MapDocument other;
    other.events.lastNumber = 1;
    for (int e = 0; e < 2; ++e) {
      other.events.records[e].x = e;
      other.events.records[e].lines = script(3 + e, "o" + std::to_string(e) + "-");
      other.events.grid.at(e, 0) = {"11", "1", std::to_string(e)};
    }
    QVERIFY(QDir(dir_.path()).mkpath("DAT"));
    data::RandomSource random(7);
    for (const auto& f : map::writeMapFiles(other, 1, data::mapContext(db_), random))
      files::writeFileAtomic(files::writePath(dir_.path().toStdString(), f.relative), f.content);
    open_.events.lastNumber = 0;
    open_.events.records[0].lines = script(2, "open");
  }

  void showsTheEventAsOpened() {
    auto ctx = context();
    auto copy = eventCopy(3);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    QCOMPARE(d.windowTitle(), u("イベント"));
    QCOMPARE(rows(d)->count(), 4);
    QCOMPARE(rows(d)->item(1)->text(), u("1:m1 ■ C1"));
    QCOMPARE(d.control<QComboBox>("COMBO70")->currentText(), u("追跡縦座標重点"));
    QVERIFY(d.control<QCheckBox>("CHECK7")->isChecked());
    QCOMPARE(d.control<QComboBox>("COMBO69")->currentText(), u("3"));
    QCOMPARE(d.control<QLineEdit>("EDIT202")->text(), u("2A"));
    QCOMPARE(d.control<QListWidget>("LIST10")->count(), 1441);
    QCOMPARE(d.control<QListWidget>("LIST17")->item(0)->text(), u("0:open0"));
    // Stored unchanged, the movement code stays "13".
    QVERIFY(press(d, "BUTTON1"));
    QCOMPARE(d.outcome(), gui::ScriptEditorOutcome::Ok);
    QCOMPARE(copy.cell.movement, text::Bytes("13"));
    QCOMPARE(copy.speed, 4);
  }

  void templateOverALongerScript() {
    auto ctx = context();
    auto copy = eventCopy(8);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    QVERIFY(!press(d, "BUTTON145"));  // 宿屋
    QCOMPARE(rows(d)->count(), 7);
    QCOMPARE(rows(d)->item(1)->text(), u("1:  ひとり**円になりますがよろしいですか？」 ■ BPP,0,11:GLP:YES,*Y1,*Y2"));
    QCOMPARE(rows(d)->item(6)->text(), u("6:99 ■ "));
    QVERIFY(press(d, "BUTTON1"));
    QCOMPARE(copy.lines[7].message, text::Bytes("m7"));  // behind the end marker
    QCOMPARE(event::endMarkerIndex(copy.lines), 6);

    auto copy2 = eventCopy(5);
    ScriptEditorDialog clear(ctx, copy2, gui::ScriptEditorMode::Event, 0);
    QVERIFY(!press(clear, "BUTTON150"));  // クリア
    QCOMPARE(rows(clear)->count(), 1);
    QVERIFY(press(clear, "BUTTON2"));
    QCOMPARE(clear.outcome(), gui::ScriptEditorOutcome::Cancel);
  }

  void addAndDeleteLines() {
    auto ctx = context();
    auto copy = eventCopy(3);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    selectLine(d, 1);
    QCOMPARE(d.control<QLineEdit>("EDIT20")->text(), u("m1"));
    press(d, "BUTTON29");
    QCOMPARE(rows(d)->count(), 5);
    QCOMPARE(rows(d)->item(2)->text(), u("2:m1 ■ C1"));
    QCOMPARE(rows(d)->item(3)->text(), u("3:m2 ■ C2"));
    selectLine(d, 0);
    press(d, "BUTTON30");
    QCOMPARE(rows(d)->count(), 4);
    QCOMPARE(rows(d)->item(0)->text(), u("0:m1 ■ C1"));
    // Nothing happens on the end marker.
    selectLine(d, 3);
    press(d, "BUTTON29");
    press(d, "BUTTON30");
    QCOMPARE(rows(d)->count(), 4);
  }

  void typingIntoTheEndMarker() {
    auto ctx = context();
    auto copy = eventCopy(2);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    selectLine(d, 2);
    d.control<QLineEdit>("EDIT20")->setText(u("こんにちは"));
    d.control<QLineEdit>("EDIT99")->setText(u("nex:wit,ツ"));
    d.handle(ScriptEditorDialog::kStoreBox);
    QCOMPARE(rows(d)->count(), 4);
    QCOMPARE(rows(d)->item(2)->text(), u("2:こんにちは ■ NEX:WIT,ツ"));
    QCOMPARE(d.currentLine(), 2);
    // An empty command is stored as "END"; "99" ends the script there.
    d.control<QLineEdit>("EDIT99")->clear();
    d.handle(ScriptEditorDialog::kStoreBox);
    QCOMPARE(rows(d)->item(2)->text(), u("2:こんにちは ■ END"));
    selectLine(d, 1);
    d.control<QLineEdit>("EDIT20")->setText(u("99"));
    d.handle(ScriptEditorDialog::kStoreBox);
    QCOMPARE(rows(d)->count(), 2);
  }

  void copiesFromAnotherMapsEventFile() {
    auto ctx = context();
    auto copy = eventCopy(4);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    auto* maps = d.control<QComboBox>("COMBO60");
    QCOMPARE(maps->itemText(1), u("1:町"));
    maps->setCurrentIndex(1);
    d.handle(ScriptEditorDialog::kMapChosen);
    auto* events = d.control<QListWidget>("LIST17");
    QCOMPARE(events->count(), 2);
    QCOMPARE(events->item(1)->text(), u("1:o1-0"));
    QSignalSpy spy(&d, &ui::Form::actionPosted);
    events->setCurrentRow(1);
    QCOMPARE(spy.size(), 1);
    d.handle(spy.takeLast().at(0).toInt());
    auto* lines = d.control<QListWidget>("LIST23");
    QCOMPARE(lines->count(), 4);
    lines->item(0)->setSelected(true);
    lines->item(3)->setSelected(true);
    selectLine(d, 3);
    press(d, "BUTTON114");  // メッセージ複写: onto line 3 and the end marker after it
    QCOMPARE(rows(d)->count(), 6);
    QCOMPARE(rows(d)->item(3)->text(), u("3:o1-0 ■ C0"));
    QCOMPARE(rows(d)->item(4)->text(), u("4:o1-3 ■ C3"));
    QCOMPARE(rows(d)->item(5)->text(), u("5:99 ■ "));
    press(d, "BUTTON113");  // イベント複写
    QCOMPARE(rows(d)->count(), 5);
    QCOMPARE(rows(d)->item(0)->text(), u("0:o1-0 ■ C0"));
    QCOMPARE(d.currentLine(), 0);
    // A map without files shows no events.
    maps->setCurrentIndex(2);
    d.handle(ScriptEditorDialog::kMapChosen);
    QCOMPARE(events->count(), 0);
  }

  void commandLookupAndSearches() {
    auto ctx = context();
    auto copy = eventCopy(1);
    copy.lines[0].command = "BPP,0,11:GLP:YES,*Y1,*Y2";
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowActive(&d));
    auto* command = d.control<QLineEdit>("EDIT99");
    command->setFocus();
    command->setCursorPosition(10);  // inside "GLP"
    QSignalSpy spy(&d, &ui::Form::actionPosted);
    d.control<QPushButton>("BUTTON3")->setFocus();  // leaving the box remembers the caret
    QCOMPARE(spy.size(), 1);
    d.handle(spy.takeLast().at(0).toInt());
    press(d, "BUTTON3");
    QCOMPARE(d.control<QLineEdit>("EDIT124")->text(), u("GLP"));
    QCOMPARE(command->cursorPosition(), 10);  // the caret is back where it was
    QVERIFY(command->hasFocus());
    const auto& ref = event::CommandReference::builtIn().lines();
    QCOMPARE(ui::toQString(ref[d.referencePosition()]), u("形式　GLP"));
    QCOMPARE(d.control<QListWidget>("LIST10")->currentRow(), d.referencePosition());
    // A text found nowhere leaves the position; the next description follows it.
    const int at = d.referencePosition();
    d.control<QLineEdit>("EDIT124")->setText(u("どこにもない"));
    press(d, "BUTTON135");
    QCOMPARE(d.referencePosition(), at);
    press(d, "BUTTON70");
    QCOMPARE(ui::toQString(ref[d.referencePosition()]), u("説明　所持金を表示する｡"));
    // A skeleton goes in at the remembered caret.
    command->setText(u("NEX:WIT"));
    command->setCursorPosition(4);
    d.control<QPushButton>("BUTTON153")->setFocus();
    d.handle(ScriptEditorDialog::kStoreBox);
    press(d, "BUTTON153");  // FLG
    QCOMPARE(command->text(), u("NEX:FLG,*WIT"));
    QCOMPARE(command->cursorPosition(), 9);
    d.finish();
  }

  void characterCodeChecks() {
    auto ctx = context();
    auto copy = eventCopy(1);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    boxes_.clear();
    d.control<QLineEdit>("EDIT202")->setText("99");
    QVERIFY(!press(d, "BUTTON1"));  // refused: the dialog stays
    QCOMPARE(boxes_.size(), 1);
    QVERIFY(boxes_[0].contains("99"));
    QCOMPARE(d.control<QLineEdit>("EDIT202")->text(), u("2A"));
    d.control<QLineEdit>("EDIT202")->setText("c");
    QVERIFY(press(d, "BUTTON1"));
    QCOMPARE(copy.cell.character, text::Bytes("0C"));
  }

  void deletionAsksAndEndsTheDialog() {
    auto ctx = context();
    auto copy = eventCopy(1);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    boxes_.clear();
    QVERIFY(press(d, "BUTTON112"));
    QCOMPARE(d.outcome(), gui::ScriptEditorOutcome::Deleted);
    QVERIFY(boxes_[0].startsWith(u("イベント削除確認|イベントを削除すると")));
  }

  void openingModeEditsLinesOnly() {
    auto ctx = context();
    auto copy = event::workCopyOfLines(script(2));
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Opening, -1);
    QCOMPARE(d.windowTitle(), u("オープニングモード"));
    for (const char* name : {"BUTTON112", "BUTTON42", "COMBO69", "COMBO70", "EDIT202", "CHECK7"})
      QVERIFY2(!d.control<QWidget>(name)->isEnabled(), name);
    QVERIFY(press(d, "BUTTON1"));
    QCOMPARE(copy.cell.character, text::Bytes());
  }
};

QTEST_MAIN(ScriptEditorTest)
#include "event_script_editor_test.moc"
