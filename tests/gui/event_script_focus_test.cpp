// FORM2's boxes store their line when they lose the focus: the line just stored stays
// current, unless the focus went to another row of the script, which becomes current.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "core/data/map_context.h"
#include "core/data/project_database.h"
#include "core/event/script_editing.h"
#include "core/map/map_document.h"
#include "gui/event/script_editor.h"
#include "gui/event/script_editor_dialog.h"
#include "gui/ui/message_box.h"

using namespace quillane;
using gui::ScriptEditorDialog;

class ScriptFocusTest : public QObject {
  Q_OBJECT
  data::ProjectDatabase db_;
  map::MapDocument open_;
  QTemporaryDir dir_;

  // Hands every code posted since `spy` started to the dialog, in order.
  static void handlePosted(ScriptEditorDialog& d, QSignalSpy& spy) {
    QTest::qWait(20);
    while (!spy.isEmpty()) d.handle(spy.takeFirst().at(0).toInt());
  }

 private slots:
  void storedLineStaysCurrentUnlessAnotherRowTookTheFocus() {
    db_.max.maps = 1;
    db_.fitToCounts();
    ui::setBoxHook([](const ui::BoxRequest&) { return ui::Answer::Ok; });
    gui::ScriptEditorContext ctx{db_, dir_.path().toStdString(), data::mapContext(db_)};
    ctx.openMap = &open_;
    ctx.openMapNumber = 0;
    event::EventWorkCopy copy;
    for (int i = 0; i < 4; ++i) copy.lines[i] = {"m" + std::to_string(i), "C" + std::to_string(i)};
    copy.lines[4] = {event::kEndMarker, ""};
    copy.cell = {"01", "1", "0"};
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowActive(&d));
    auto* lines = d.control<QListWidget>(QStringLiteral("LIST21"));
    auto* message = d.control<QLineEdit>(QStringLiteral("EDIT20"));
    auto* character = d.control<QLineEdit>(QStringLiteral("EDIT202"));

    QSignalSpy spy(&d, &ui::Form::actionPosted);
    lines->setCurrentRow(1);
    handlePosted(d, spy);
    QCOMPARE(d.currentLine(), 1);

    // The focus goes elsewhere: line 1 is stored and stays current.
    message->setFocus(Qt::MouseFocusReason);
    message->setText(QStringLiteral("typed"));
    character->setFocus(Qt::MouseFocusReason);
    handlePosted(d, spy);
    QCOMPARE(lines->item(1)->text(), QStringLiteral("1:typed ■ C1"));
    QCOMPARE(d.currentLine(), 1);
    QCOMPARE(message->text(), QStringLiteral("typed"));

    // The focus goes to row 3 of the script: line 1 is stored, row 3 becomes current.
    message->setFocus(Qt::MouseFocusReason);
    message->setText(QStringLiteral("again"));
    lines->setFocus(Qt::MouseFocusReason);
    lines->setCurrentRow(3);
    handlePosted(d, spy);
    QCOMPARE(lines->item(1)->text(), QStringLiteral("1:again ■ C1"));
    QCOMPARE(d.currentLine(), 3);
    QCOMPARE(message->text(), QStringLiteral("m3"));
    ui::setBoxHook({});
  }
};

QTEST_MAIN(ScriptFocusTest)
#include "event_script_focus_test.moc"
