// Player mode from the main window: "PLM" lists the players 24 a page with the current
// one preselected, "▼" reopens the dialog on the next player without the list, and
// after "OK" the list comes back with the player last shown preselected.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/editors/player_dialog.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "window_fixture.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {

gui::PlayerDialog* playerDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<gui::PlayerDialog*>(w); d && d->isVisible()) return d;
  return nullptr;
}

// Presses the buttons one by one, each once the dialog shows a player and waits, and
// notes the player shown each time.
void pressInTurn(std::shared_ptr<QStringList> buttons, QStringList* shown) {
  QTimer::singleShot(20, [buttons, shown] {
    gui::PlayerDialog* d = playerDialog();
    if (!d) return pressInTurn(buttons, shown);
    *shown << d->control<QLineEdit>(QStringLiteral("EDIT_NO"))->text();
    d->control<QPushButton>(buttons->takeFirst())->click();
    if (!buttons->isEmpty()) pressInTurn(buttons, shown);
  });
}

}  // namespace

class PlayerModeTest : public QObject {
  Q_OBJECT
  fs::path dir_;

 private slots:
  void initTestCase() {
    QVERIFY(fixture::makeScratchProject(dir_, "player_mode", 7));
    ui::setBoxHook([](const ui::BoxRequest&) { return ui::Answer::Yes; });
  }
  void cleanupTestCase() { fs::remove_all(dir_); }

  void chooserDialogAndChooserAgain() {
    auto ws = fixture::loadedWorkspace(dir_);
    ws->db.max.players = 3;
    ws->db.fitToCounts();
    app::MainWindow w(*ws);
    int maps = 0;  // map 0, then no reference map for the new map
    ui::setChooserHook([&maps](const ui::ChooserRequest&) { return ++maps == 1 ? 1 : 0; });
    w.show();
    w.start();
    QVERIFY(w.button(QStringLiteral("BUTTON71"))->isEnabled());

    std::vector<ui::ChooserRequest> asked;
    QStringList shown;
    ui::setChooserHook([&](const ui::ChooserRequest& r) {
      asked.push_back(r);
      if (asked.size() > 1) return 0;
      pressInTurn(std::make_shared<QStringList>(
                      QStringList{QStringLiteral("BUTTON_NEXT"), QStringLiteral("BUTTON_NEXT"), QStringLiteral("BUTTON_OK")}),
                  &shown);
      return 2;  // player 1
    });
    w.dispatch(QStringLiteral("PLM"));
    // "▼" on the last player stays there; the list is not shown in between.
    QCOMPARE(shown, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2")}));
    QCOMPARE(asked.size(), std::size_t(2));
    QCOMPARE(asked[0].linesPerPage, 24);
    QCOMPARE(asked[0].items.size(), 3);
    QVERIFY(asked[0].items[1].startsWith(QStringLiteral("1:")));
    QCOMPARE(asked[0].preselect, 1);
    QCOMPARE(asked[1].preselect, 3);  // the player last shown
    QVERIFY(ws->databaseModified);
  }
};

QTEST_MAIN(PlayerModeTest)
#include "editors_player_mode_test.moc"
