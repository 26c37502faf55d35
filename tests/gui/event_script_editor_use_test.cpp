// FORM2 as a designer uses it: the "END" the editor fills in is typed over, a refused
// line waits in its box for correction, Enter stores and moves on, Ctrl+Enter is "OK",
// questions before work is thrown away, a search that finds nothing says so, the
// focus comes back after a pick, and the reference sheets name the cell under the
// pointer.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "core/data/map_context.h"
#include "core/data/project_database.h"
#include "core/map/map_document.h"
#include "gui/event/flag_map_picker.h"
#include "gui/event/script_editor.h"
#include "gui/event/script_editor_dialog.h"
#include "gui/ui/message_box.h"

using namespace quillane;
using gui::ScriptEditorDialog;

namespace {

event::ScriptLines script(int n) {
  event::ScriptLines lines{};
  for (int i = 0; i < n; ++i) lines[i] = {"m" + std::to_string(i), "C" + std::to_string(i)};
  lines[n] = {event::kEndMarker, ""};
  return lines;
}

QString u(const char* s) { return QString::fromUtf8(s); }

class FakePicker : public gui::FlagMapPicker {
 public:
  std::optional<gui::MapPick> pick(gui::PickSheet) override { return gui::MapPick{1, 1, 2, 3, 1}; }
};

}  // namespace

class ScriptEditorUseTest : public QObject {
  Q_OBJECT

  data::ProjectDatabase db_;
  map::MapDocument open_;
  QStringList asked_;
  bool answerYes_ = true;
  FakePicker picker_;
  QImage sheet_{512, 512, QImage::Format_RGB32};

  gui::ScriptEditorContext context() {
    gui::ScriptEditorContext ctx{db_, std::filesystem::temp_directory_path(), data::mapContext(db_)};
    ctx.openMap = &open_;
    ctx.openMapNumber = 0;
    ctx.picker = &picker_;
    ctx.characterSheet = &sheet_;
    ctx.terrainSheet = &sheet_;
    return ctx;
  }

  event::EventWorkCopy copyOf(int lines) {
    event::EventWorkCopy copy;
    copy.lines = script(lines);
    copy.speed = 1;
    copy.cell = {"2A", "1", "0"};
    return copy;
  }

  // Shows the dialog active, as the user sees it.
  static void showActive(ScriptEditorDialog& d) {
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowActive(&d));
  }

  // Hands the posted code to the dialog as its wait does: one slot, the last post
  // wins. True when the dialog ended.
  static bool drain(ScriptEditorDialog& d, QSignalSpy& spy) {
    QApplication::processEvents();
    if (spy.isEmpty()) return false;
    const int code = spy.last().at(0).toInt();
    spy.clear();
    return d.handle(code);
  }

  static void clickRow(ScriptEditorDialog& d, int row) {
    auto* list = d.control<QListWidget>("LIST21");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
  }

  static QLineEdit* box(ScriptEditorDialog& d, const char* name) { return d.control<QLineEdit>(QString::fromLatin1(name)); }

 private slots:
  void initTestCase() {
    db_.max.maps = 1;
    db_.maps.name = {text::sj("城")};
    db_.fitToCounts();
    sheet_.fill(Qt::darkGreen);
    open_.events.lastNumber = 0;
    open_.events.records[0].lines = script(2);
  }

  void init() {
    asked_.clear();
    answerYes_ = true;
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      asked_ << r.title + "|" + r.text + (r.noByDefault ? "|no" : "");
      if (r.buttons == ui::Buttons::Ok) return ui::Answer::Ok;
      return answerYes_ ? ui::Answer::Yes : ui::Answer::No;
    });
  }

  void filledInEndIsTypedOver() {
    auto ctx = context();
    auto copy = copyOf(1);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    showActive(d);
    QSignalSpy spy(&d, &ui::Form::actionPosted);
    d.control<QListWidget>("LIST21")->setCurrentRow(1);  // the end marker row
    drain(d, spy);
    QLineEdit* message = box(d, "EDIT20");
    QLineEdit* command = box(d, "EDIT99");
    message->setFocus();
    QTest::keyClicks(message, "hello");
    // Into the command box with the mouse: the line is stored with "END" filled in.
    QTest::mouseClick(command, Qt::LeftButton, {}, QPoint(4, command->height() / 2));
    drain(d, spy);
    QCOMPARE(copy.lines[1].command, text::Bytes("END"));
    QCOMPARE(command->text(), u("END"));
    QTest::keyClicks(command, "mes,1:nex");
    message->setFocus();
    drain(d, spy);
    QCOMPARE(copy.lines[1].command, text::Bytes("MES,1:NEX"));

    // A skeleton button on the filled-in "END" takes its place.
    clickRow(d, 2);
    drain(d, spy);
    message->setFocus();
    QTest::keyClicks(message, "bye");
    QTest::mouseClick(d.control<QPushButton>("BUTTON159"), Qt::LeftButton);  // NEX
    drain(d, spy);
    QCOMPARE(command->text(), u("NEX"));
    message->setFocus();
    drain(d, spy);
    QCOMPARE(copy.lines[2].command, text::Bytes("NEX"));
    d.finish();
  }

  void refusedLineWaitsForCorrection() {
    auto ctx = context();
    auto copy = copyOf(2);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    showActive(d);
    QSignalSpy spy(&d, &ui::Form::actionPosted);
    QLineEdit* message = box(d, "EDIT20");
    QLineEdit* command = box(d, "EDIT99");
    message->setFocus();
    message->setText(u("say \"hi\""));
    // The user goes on to another row: refused once, the text stays, the row too.
    clickRow(d, 1);
    drain(d, spy);
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(message->text(), u("say \"hi\""));
    QCOMPARE(message->selectedText(), message->text());
    QVERIFY(message->hasFocus());
    QCOMPARE(d.currentLine(), 0);
    QCOMPARE(d.control<QListWidget>("LIST21")->currentRow(), 0);
    QCOMPARE(copy.lines[0].message, text::Bytes("m0"));
    // A refused command: the focus moves from the message box to the command box
    // without a second message.
    message->setText(u("fixed"));
    command->setFocus();
    command->setText(u("MES\"1"));
    message->setFocus();
    drain(d, spy);
    QCOMPARE(asked_.size(), 2);
    QVERIFY(command->hasFocus());
    QCOMPARE(command->selectedText(), u("MES\"1"));
    QApplication::processEvents();
    drain(d, spy);
    QCOMPARE(asked_.size(), 2);
    d.finish();
  }

  void enterStoresAndMovesOnCtrlEnterIsOk() {
    auto ctx = context();
    auto copy = copyOf(2);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    showActive(d);
    QSignalSpy spy(&d, &ui::Form::actionPosted);
    QLineEdit* message = box(d, "EDIT20");
    message->setFocus();
    message->setText(u("first"));
    QTest::keyClick(message, Qt::Key_Return);
    QVERIFY(!drain(d, spy));
    QCOMPARE(copy.lines[0].message, text::Bytes("first"));
    QCOMPARE(d.currentLine(), 1);
    QCOMPARE(message->text(), u("m1"));
    QVERIFY(message->hasFocus());
    message->setText(u("second"));
    QTest::keyClick(message, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(drain(d, spy));
    QCOMPARE(d.outcome(), gui::ScriptEditorOutcome::Ok);
    QCOMPARE(copy.lines[1].message, text::Bytes("second"));
  }

  void questionsBeforeWorkIsThrownAway() {
    auto ctx = context();
    auto copy = copyOf(3);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    // Nothing edited: Escape closes unasked.
    {
      auto copy2 = copyOf(3);
      ScriptEditorDialog quiet(ctx, copy2, gui::ScriptEditorMode::Event, 0);
      QVERIFY(quiet.handle(quiet.closeCode()));
      QVERIFY(asked_.isEmpty());
    }
    // A template over a script with lines asks; "いいえ" keeps the script.
    answerYes_ = false;
    QVERIFY(!d.handle(ScriptEditorDialog::kTemplateBase + 6));  // クリア
    QCOMPARE(asked_.size(), 1);
    QVERIFY(asked_[0].endsWith(u("|no")));
    QCOMPARE(event::endMarkerIndex(copy.lines), 3);
    // "イベント複写" asks too.
    d.control<QListWidget>("LIST17")->setCurrentRow(0);
    QVERIFY(!d.handle(ScriptEditorDialog::kCopyEvent));
    QCOMPARE(asked_.size(), 2);
    QCOMPARE(copy.lines[2].message, text::Bytes("m2"));
    // The deletion question answers "いいえ" to Enter.
    QVERIFY(!d.handle(ScriptEditorDialog::kDeleteEvent));
    QVERIFY(asked_.last().startsWith(u("イベント削除確認|")));
    QVERIFY(asked_.last().endsWith(u("|no")));
    // A typed but unstored message counts as an edit.
    box(d, "EDIT20")->setText(u("changed"));
    QVERIFY(!d.handle(d.closeCode()));
    QCOMPARE(asked_.size(), 4);
    answerYes_ = true;
    QVERIFY(d.handle(d.closeCode()));
    QCOMPARE(d.outcome(), gui::ScriptEditorOutcome::Cancel);
  }

  void searchThatFindsNothingSaysSo() {
    auto ctx = context();
    auto copy = copyOf(1);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    auto* note = d.control<QLabel>("SEARCHNOTE");
    box(d, "EDIT124")->setText(u("ZZZ"));
    d.handle(ScriptEditorDialog::kSearch);
    QVERIFY(note->text().contains(u("見つかりません")));
    box(d, "EDIT124")->setText(u("glp"));
    d.handle(ScriptEditorDialog::kSearch);
    QVERIFY(note->text().isEmpty());
    box(d, "EDIT124")->setText(u("どこにもない"));
    d.handle(ScriptEditorDialog::kTextSearch);
    QVERIFY(note->text().contains(u("どこにもない")));
  }

  void eventListIsWideEnoughForItsMessages() {
    auto ctx = context();
    auto copy = copyOf(1);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    d.show();
    QApplication::processEvents();
    auto* events = d.control<QListWidget>("LIST17");
    const QString row = u("12:") + QString(16, QChar(0x3042));
    QVERIFY(events->viewport()->width() >= events->fontMetrics().horizontalAdvance(row));
    d.finish();
  }

  void focusComesBackAfterAPickAndTheSheetNamesItsCells() {
    auto ctx = context();
    auto copy = copyOf(1);
    ScriptEditorDialog d(ctx, copy, gui::ScriptEditorMode::Event, 0);
    QString focused;
    QString code;
    QTimer::singleShot(0, &d, [&] {
      d.control<QPushButton>("BUTTON42")->click();  // 参照: hide, pick, show again
      QTimer::singleShot(50, &d, [&] {
        focused = d.focusWidget() ? d.focusWidget()->objectName() : QString();
        d.control<QPushButton>("BUTTON48")->click();  // the event character sheet
        QTimer::singleShot(50, &d, [&] {
          QWidget* sheet = nullptr;
          for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("SHEETVIEW") && w->isVisible()) sheet = w;
          QVERIFY(sheet);
          QWidget* picture = sheet->findChild<QWidget*>("SHEETPICTURE");
          QTest::mouseMove(picture, QPoint(3 * 32 + 5, 2 * 32 + 5));
          QMouseEvent move(QEvent::MouseMove, QPointF(3 * 32 + 5, 2 * 32 + 5), picture->mapToGlobal(QPointF(3 * 32 + 5, 2 * 32 + 5)),
                           Qt::NoButton, Qt::NoButton, Qt::NoModifier);
          QApplication::sendEvent(picture, &move);
          code = sheet->findChild<QLabel*>("SHEETCODE")->text();
          // The grid is drawn over the sheet.
          const QImage shown = picture->grab().toImage();
          QVERIFY(shown.pixelColor(32, 10) != QColor(Qt::darkGreen));
          QVERIFY(shown.pixelColor(40, 10) == QColor(Qt::darkGreen));
          sheet->findChild<QPushButton*>("BUTTON1")->click();
          QTimer::singleShot(50, &d, [&] { d.post(ScriptEditorDialog::kOk); });
        });
      });
    });
    QCOMPARE(d.run(), gui::ScriptEditorOutcome::Ok);
    QCOMPARE(focused, QStringLiteral("BUTTON42"));
    QCOMPARE(code, u("キャラクタNo. 23"));
    QCOMPARE(copy.cell.character, text::Bytes("23"));
  }
};

QTEST_MAIN(ScriptEditorUseTest)
#include "event_script_editor_use_test.moc"
