// FORM12 as a designer uses it: the focus after an on-map pick, controls that keep
// their place whatever the state, a question before edits are thrown away, a line
// beyond its event's end marker shown as a warning, and event boxes that list the
// map's events in popups wide enough to read them.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <map>

#include "core/event/flag_event_source.h"
#include "gui/event/flag_dialog.h"
#include "gui/ui/message_box.h"

using namespace quillane;
using gui::FlagDialog;

namespace {

class FakePicker : public gui::FlagMapPicker {
 public:
  std::optional<gui::MapPick> pick(gui::PickSheet) override { return gui::MapPick{3, 4, 0, 5, 1}; }
};

void choose(QComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}

// Every named control's place in the dialog, and the dialog's size.
std::map<QString, QRect> places(FlagDialog& d) {
  QApplication::processEvents();
  std::map<QString, QRect> out;
  out[QStringLiteral("dialog")] = QRect(QPoint(0, 0), d.size());
  for (QWidget* w : d.findChildren<QWidget*>()) {
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
    out[w->objectName()] = QRect(w->mapTo(&d, QPoint(0, 0)), w->size());
  }
  return out;
}

}  // namespace

class FlagDialogUseTest : public QObject {
  Q_OBJECT

  event::MapEvents open_;
  QStringList asked_;
  bool answerYes_ = true;

 private slots:
  void init() {
    open_ = event::MapEvents{};
    open_.lastNumber = 1;
    open_.records[0].lines[0] = {text::sj("宝箱があります、開けますか？開けると中身が出てきます"), "YES,1,2"};
    open_.records[0].lines[1] = {text::sj("中身"), "END"};
    open_.records[0].lines[2] = {"99", ""};
    open_.records[1].lines[0] = {"99", ""};
    asked_.clear();
    answerYes_ = true;
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      asked_ << r.title + "|" + r.text + (r.noByDefault ? "|no" : "");
      if (r.buttons == ui::Buttons::Ok) return ui::Answer::Ok;
      return answerYes_ ? ui::Answer::Yes : ui::Answer::No;
    });
  }

  void focusReturnsToTheKindBoxAfterAPick() {
    std::vector<event::FlagEntry> table(1);
    table[0].conditions[0] = {1, 0, "=", 0};
    table[0].steps = {event::FlagAction{"F"}};
    event::FlagEventSource source(1, open_, {"a", "b"}, nullptr);
    FakePicker picker;
    FlagDialog d(table, source, false, &picker);
    QString focused;
    QTimer::singleShot(0, &d, [&] {
      choose(d.control<QComboBox>("COMBO42"), 1);  // "キャラクタ表示": hide, pick, show again
      QTimer::singleShot(50, &d, [&] {
        QWidget* focus = d.focusWidget();
        focused = focus ? focus->objectName() : QString();
        // The Enter that follows must not press "全クリア" (or anything else).
        QTest::keyClick(focus ? focus : static_cast<QWidget*>(&d), Qt::Key_Return);
        QTimer::singleShot(0, &d, [&] { d.control<QPushButton>("BUTTON34")->click(); });
      });
    });
    QVERIFY(d.run());
    QCOMPARE(focused, QStringLiteral("COMBO42"));
    QCOMPARE(table.size(), std::size_t(1));
    QCOMPARE(table[0].steps[0].kind, text::Bytes("C"));
    QVERIFY(!d.control<QPushButton>("BUTTON48")->autoDefault());
  }

  void controlsKeepTheirPlace() {
    std::vector<event::FlagEntry> table(2);
    table[0].conditions[0] = {0, 0, "=", 0};  // one condition, no steps
    table[1].conditions = {event::FlagCondition{0, 0, "=", 0}, event::FlagCondition{1, 0, ">", 1},
                           event::FlagCondition{1, 1, "<", 0}};
    table[1].steps = {event::FlagAction{"F"}, event::FlagAction{"C", 1, 2, 0, "11"},
                      event::FlagAction{"E", 1, 1, 8, "05", "1", "0"}, event::FlagAction{"D", 1}};
    event::FlagEventSource source(1, open_, {"a", "b"}, nullptr);
    FlagDialog d(table, source, false, nullptr);
    d.show();
    const auto first = places(d);
    auto chooseRow = [&](const char* list, int row, int code) {
      d.control<QListWidget>(QString::fromLatin1(list))->setCurrentRow(row);
      d.handle(code);
      QCOMPARE(places(d), first);
    };
    chooseRow("LIST9", 1, FlagDialog::kChooseEntry);  // three conditions
    for (int step = 0; step < 4; ++step) chooseRow("LIST8", step, FlagDialog::kChooseStep);
    chooseRow("LIST9", 0, FlagDialog::kChooseEntry);  // one condition, only "追加" steps
    d.handle(FlagDialog::kDeleteEntry);               // nothing chosen
    QCOMPARE(places(d), first);
    d.finish();
  }

  void closingWithEditsAsksFirst() {
    std::vector<event::FlagEntry> table(1);
    table[0].conditions[0] = {0, 0, "=", 0};
    const auto original = table;
    event::FlagEventSource source(1, open_, {"a", "b"}, nullptr);
    {
      // Nothing edited: Escape closes without a question.
      FlagDialog d(table, source, false, nullptr);
      QVERIFY(!d.handle(d.closeCode()));
      QVERIFY(asked_.isEmpty());
    }
    FlagDialog d(table, source, false, nullptr);
    d.handle(FlagDialog::kClearAll);
    answerYes_ = false;
    QVERIFY(d.handle(d.closeCode()));  // "いいえ": the dialog stays, the edit too
    QCOMPARE(asked_.size(), 1);
    QVERIFY(asked_[0].endsWith(QStringLiteral("|no")));
    QVERIFY(table.empty());
    answerYes_ = true;
    QVERIFY(!d.handle(d.closeCode()));
    QVERIFY(event::sameFlagTables(table, original));
  }

  void lineBeyondTheEndMarkerIsAWarning() {
    std::vector<event::FlagEntry> table(1);
    table[0].conditions[0] = {1, 0, "=", 5};  // event 0 ends at line 2
    event::FlagEventSource source(1, open_, {"a", "b"}, nullptr);
    FlagDialog d(table, source, false, nullptr);
    auto* line = d.control<QComboBox>("COMBO33");
    QCOMPARE(line->currentIndex(), -1);
    QVERIFY(line->placeholderText().contains(QStringLiteral("終了行")));
    QVERIFY(line->placeholderText().contains(QStringLiteral("5")));
    QCOMPARE(line->palette().color(QPalette::PlaceholderText), QColor(190, 0, 0));
    // A line within the script reads as usual.
    choose(line, 1);
    d.handle(FlagDialog::kCondition + 3);
    QCOMPARE(line->currentIndex(), 1);
    QVERIFY(line->palette().color(QPalette::PlaceholderText) != QColor(190, 0, 0));
  }

  void eventBoxesListTheMapsEventsReadably() {
    std::vector<event::FlagEntry> table(1);
    table[0].conditions[0] = {1, 0, "=", 0};
    event::FlagEventSource source(1, open_, {"a", "b"}, nullptr);
    FlagDialog d(table, source, false, nullptr);
    auto* events = d.control<QComboBox>("COMBO31");
    QCOMPARE(events->count(), 2);  // events 0 and 1 of the open map, nothing more
    const int needed = events->view()->fontMetrics().horizontalAdvance(events->itemText(0));
    QVERIFY2(events->view()->minimumWidth() >= needed, qPrintable(events->itemText(0)));
  }
};

QTEST_MAIN(FlagDialogUseTest)
#include "flag_dialog_use_test.moc"
