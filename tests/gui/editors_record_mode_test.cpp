// Record modes from the main window: the list chooser they show closes on Escape as it
// does on a right click, also when it comes back after a record's dialog (the window's
// focus is then where it was before the dialog, not on the list).
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/ui/form.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;

class RecordModeTest : public QObject {
  Q_OBJECT
  fs::path dir_;

  static void pressWhereTheKeyboardIs(app::MainWindow& w, Qt::Key key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
    QTest::keyClick(target, key);
  }

  static ui::Form* shownForm() {
    for (QWidget* t : QApplication::topLevelWidgets())
      if (auto* f = qobject_cast<ui::Form*>(t); f && f->isVisible()) return f;
    return nullptr;
  }

  // Runs `mode` with the real chooser: Enter opens the highlighted record, "OK" closes
  // its dialog, and once the list is back `key` is pressed where the keyboard is (a
  // right click when `key` is 0). True when that ended the chooser.
  static bool chooserEndsAfterADialogOn(app::MainWindow& w, const QString& mode, int key) {
    int step = 0, ticks = 0;
    bool fallback = false;
    QTimer poll;
    poll.setInterval(30);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      ui::MessagePanel& panel = w.messagePanel();
      if (++ticks > 100) {  // stuck (a key that went nowhere): end whatever is open
        fallback = true;
        if (shownForm()) shownForm()->control<QPushButton>(QStringLiteral("BUTTON_CANCEL"))->click();
        if (panel.choosing()) QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(40, 40));
      } else if (step == 0 && panel.choosing()) {
        pressWhereTheKeyboardIs(w, Qt::Key_Return);
        step = 1;
      } else if (step == 1 && shownForm()) {
        shownForm()->control<QPushButton>(QStringLiteral("BUTTON_OK"))->click();
        step = 2;
      } else if (step == 2 && panel.choosing() && !shownForm()) {
        step = 3;
        if (key == 0)
          QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(40, 40));
        else
          pressWhereTheKeyboardIs(w, static_cast<Qt::Key>(key));
      } else if (step == 3 && panel.choosing()) {
        fallback = true;  // the key did not reach the list: end it so the test goes on
        QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(40, 40));
      }
    });
    poll.start();
    w.dispatch(mode);
    return step == 3 && !fallback;
  }

 private slots:
  void initTestCase() {
    QVERIFY(fixture::makeScratchProject(dir_, "record_mode", 11));
  }
  void cleanupTestCase() { fs::remove_all(dir_); }

  void escapeClosesTheChooserAsARightClickDoes() {
    auto ws = fixture::loadedWorkspace(dir_);
    ui::setBoxHook([](const ui::BoxRequest&) { return ui::Answer::Yes; });  // a new map 0
    auto w = fixture::windowOnFirstMap(*ws);
    ui::setBoxHook([](const ui::BoxRequest&) { return ui::Answer::No; });  // no ending
    ui::setChooserHook(nullptr);
    QVERIFY(chooserEndsAfterADialogOn(*w, QStringLiteral("ENM"), 0));
    for (const char* mode : {"ENM", "ITM", "MGM"}) {
      QVERIFY2(chooserEndsAfterADialogOn(*w, QString::fromLatin1(mode), Qt::Key_Escape), mode);
      QVERIFY(!w->ending());  // Escape ended the list, not the program
    }
  }
};

QTEST_MAIN(RecordModeTest)
#include "editors_record_mode_test.moc"
