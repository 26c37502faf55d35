// The script checker inside FORM2: rows with findings are marked without a change of
// their text, the status line under the script explains the current line (as typed,
// once the typing pauses), and nothing typed is refused or changed.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

#include "core/data/map_context.h"
#include "core/data/project_database.h"
#include "core/map/map_document.h"
#include "gui/event/script_editor.h"
#include "gui/event/script_editor_dialog.h"
#include "gui/ui/elided_label.h"
#include "gui/ui/message_box.h"

using namespace quillane;
using gui::ScriptEditorDialog;

namespace {

event::ScriptLines script(const std::vector<std::string>& commands) {
  event::ScriptLines lines{};
  for (std::size_t i = 0; i < commands.size(); ++i) lines[i] = {"m" + std::to_string(i), text::sj(commands[i])};
  lines[commands.size()] = {event::kEndMarker, ""};
  return lines;
}

QString u(const char* s) { return QString::fromUtf8(s); }

}  // namespace

class ScriptCheckerTest : public QObject {
  Q_OBJECT

  data::ProjectDatabase db_;
  map::MapDocument open_;
  QStringList boxes_;

  gui::ScriptEditorContext context() {
    gui::ScriptEditorContext ctx{db_, std::filesystem::temp_directory_path(), data::mapContext(db_)};
    ctx.openMap = &open_;
    ctx.openMapNumber = 0;
    return ctx;
  }

  event::EventWorkCopy copyOf(const std::vector<std::string>& commands) {
    event::EventWorkCopy copy;
    copy.lines = script(commands);
    copy.cell = {"01", "1", "1"};
    return copy;
  }

  static QListWidget* rows(ScriptEditorDialog& d) { return d.control<QListWidget>("LIST21"); }
  static QString status(ScriptEditorDialog& d) { return d.control<ui::ElidedLabel>("LINESTATUS")->fullText(); }
  static bool marked(ScriptEditorDialog& d, int row) {
    return rows(d)->item(row)->background().style() != Qt::NoBrush;
  }

  static void select(ScriptEditorDialog& d, int row) {
    QSignalSpy spy(&d, &ui::Form::actionPosted);
    rows(d)->setCurrentRow(row);
    QCOMPARE(spy.size(), 1);
    d.handle(spy.takeLast().at(0).toInt());
  }

  static void drain(ScriptEditorDialog& d, QSignalSpy& spy) {
    QApplication::processEvents();
    if (spy.isEmpty()) return;
    const int code = spy.last().at(0).toInt();
    spy.clear();
    d.handle(code);
  }

 private slots:
  void initTestCase() {
    db_.max.maps = 3;
    db_.max.itemKinds = 5;
    db_.maps.name = {text::sj("城"), text::sj("町"), text::sj("洞窟")};
    db_.fitToCounts();
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      boxes_ << r.title + "|" + r.text;
      return r.buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
    });
    // Event 0 of the open map defines the event label SHOP; event 1 is the one edited,
    // its stored copy defines OLD (which the edited copy no longer does).
    open_.events.lastNumber = 1;
    open_.events.records[0].lines = script({"ELB,SHOP:NEX"});
    open_.events.records[1].lines = script({"ELB,OLD"});
  }

  void rowsWithFindingsAreMarked() {
    auto ctx = context();
    auto copy = copyOf({"XYZ,1", "MES,*SHOP:JMP,*LATER", "MAP,1,2", "MES,*OLD", "LBL,LATER:ITP,5,0", "ITP,4,0"});
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 1);
    QCOMPARE(rows(d)->count(), 7);
    const bool expected[] = {true, false, true, true, true, false, false};
    for (int row = 0; row < 7; ++row) QVERIFY2(marked(d, row) == expected[row], qPrintable(QString::number(row)));
    // The mark is a colour and a tooltip: the row text is the stored line as before.
    QCOMPARE(rows(d)->item(2)->text(), u("2:m2 ■ MAP,1,2"));
    QCOMPARE(rows(d)->item(4)->toolTip(), u("ITP：道具No.5は道具の範囲（0～4）を超えています"));

    // The status line follows the current line.
    QCOMPARE(status(d), u("XYZ：「XYZ」というコマンドはありません"));
    select(d, 1);
    QCOMPARE(status(d), QString());
    select(d, 3);
    QCOMPARE(status(d), u("MES：イベントラベル「*OLD」がこのマップのどのイベントにもありません"));
    select(d, 6);  // the end marker
    QCOMPARE(status(d), QString());
    QVERIFY(boxes_.isEmpty());
  }

  void typedTextIsCheckedButNeverRefused() {
    auto ctx = context();
    auto copy = copyOf({"NEX", "END"});
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 1);
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QSignalSpy spy(&d, &ui::Form::actionPosted);
    auto* command = d.control<QLineEdit>("EDIT99");
    command->setFocus();
    command->selectAll();
    QTest::keyClicks(command, "jmp,*nowhere");
    // Every key went into the box; the status follows once typing pauses.
    QCOMPARE(command->text(), u("jmp,*nowhere"));
    QCOMPARE(status(d), QString());
    QTRY_COMPARE(status(d), u("JMP：ラベル「*NOWHERE」がこのイベントにありません"));
    QVERIFY(!marked(d, 0));  // the stored line has no finding yet
    QCOMPARE(copy.lines[0].command, text::Bytes("NEX"));

    // Leaving the box stores the line as typed (upper-cased as always); the row is marked.
    d.control<QLineEdit>("EDIT20")->setFocus();
    drain(d, spy);
    QCOMPARE(copy.lines[0].command, text::Bytes("JMP,*NOWHERE"));
    QVERIFY(marked(d, 0));
    QVERIFY(boxes_.isEmpty());

    // Defining the label on a later line clears the mark of the jump.
    select(d, 1);
    command->setFocus();
    command->selectAll();
    QTest::keyClicks(command, "lbl,nowhere:end");
    d.control<QLineEdit>("EDIT20")->setFocus();
    drain(d, spy);
    QVERIFY(!marked(d, 0));
    QVERIFY(!marked(d, 1));
    QCOMPARE(status(d), QString());
    d.finish();
  }

  void longStatusIsCutWithItsWholeTextAsTooltip() {
    ui::ElidedLabel label;
    label.resize(120, label.sizeHint().height());
    label.show();
    const QString text = u("BF2：引数の数（2個）がどの形式にも合いません（BF2,ALL / BF2,c1,c2,c3,c4,c5,c6）");
    label.setFullText(text);
    QVERIFY(label.text().endsWith(QChar(0x2026)));
    QCOMPARE(label.toolTip(), text);
    label.resize(2000, label.height());
    QCOMPARE(label.text(), text);
    QCOMPARE(label.toolTip(), QString());
  }

  void openingScriptHasOnlyItsOwnEventLabels() {
    auto ctx = context();
    auto copy = event::workCopyOfLines(script({"MES,*SHOP", "ELB,END1", "MES,*END1"}));
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Opening, -1);
    QVERIFY(marked(d, 0));  // SHOP belongs to the open map, not to the opening
    QVERIFY(!marked(d, 2));
    QCOMPARE(status(d), u("MES：イベントラベル「*SHOP」がこのスクリプトにありません"));
  }
};

QTEST_MAIN(ScriptCheckerTest)
#include "event_script_checker_test.moc"
