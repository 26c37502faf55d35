// Start-up through the welcome dialog, with every box answered by the hooks.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <unistd.h>

#include "core/data/blank_project.h"
#include "core/text/project_files.h"
#include "gui/app/startup.h"
#include "gui/app/welcome_dialog.h"
#include "gui/app/workspace.h"
#include "gui/ui/message_box.h"
#include "gui/ui/translations.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {
struct Boxes {
  QStringList texts;
  QStringList titles;
  ui::Answer yesNo = ui::Answer::Yes;
  void install() {
    ui::setBoxHook([this](const ui::BoxRequest& r) {
      texts << r.text;
      titles << r.title;
      return r.buttons == ui::Buttons::YesNo ? yesNo : ui::Answer::Ok;
    });
  }
};

// Fills the dialog and presses "OK" once it waits.
void answer(app::WelcomeDialog& dialog, const QString& folder, const QString& password) {
  QTimer::singleShot(0, &dialog, [&dialog, folder, password] {
    dialog.setValues(folder, password);
    dialog.post(app::WelcomeDialog::kOk);
  });
}

std::string slurp(const fs::path& p) { return files::readFile(p).value_or("<missing>"); }
}  // namespace

class AppStartupTest : public QObject {
  Q_OBJECT
  fs::path dir_;

 private slots:
  void init() {
    dir_ = fs::temp_directory_path() / ("quillane_startup_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void cleanup() {
    ui::setBoxHook({});
    fs::remove_all(dir_);
  }

  void firstStartCreatesSettingsAndShowsEmptyBoxes() {
    Boxes boxes;
    boxes.yesNo = ui::Answer::No;  // no blank project in the mistyped folder
    boxes.install();
    app::Workspace ws;
    ws.programDir = dir_;
    int shown = 0;
    const QString typo = QString::fromStdString((dir_ / "nothing").string());
    auto result = app::runStartup(ws, [&](app::WelcomeDialog& d) {
      ++shown;
      if (shown == 1) {
        QVERIFY(d.folder().isEmpty());
        QVERIFY(d.password().isEmpty());
        answer(d, typo, QStringLiteral("pw"));
        return;
      }
      // Declining the new project brings the dialog back with the folder as typed,
      // to be corrected; the title bar's close then leaves it.
      QCOMPARE(d.folder(), typo);
      QTimer::singleShot(0, &d, [&d] { d.close(); });
    });
    QCOMPARE(result, app::StartResult::End);
    QCOMPARE(shown, 2);
    QCOMPARE(boxes.texts, QStringList{QStringLiteral("指定のフォルダにはデータがありません。新しいデータを作成しますか？")});
    QCOMPARE(slurp(dir_ / "zov.ini"), std::string("\"\",\"\",\"\",75,1,1,"));
    QVERIFY(!fs::exists(dir_ / "nothing"));
  }

  void escapeLeavesTheWelcomeDialogWritingNothing() {
    data::RandomSource random(3);
    QVERIFY(!data::createBlankProject(dir_ / "proj", std::string("right"), random));
    const std::string line = "\"./proj/\",\"\",\"right\", 50 , 2 , 0 ,";
    files::writeFileAtomic(dir_ / "zov.ini", line);
    Boxes boxes;
    boxes.install();
    app::Workspace ws;
    ws.programDir = dir_;
    auto result = app::runStartup(ws, [&](app::WelcomeDialog& d) {
      QTimer::singleShot(0, &d, [&d] {
        d.setValues(QStringLiteral("elsewhere"), QStringLiteral("typed"));
        QTest::keyClick(&d, Qt::Key_Escape);
      });
    });
    QCOMPARE(result, app::StartResult::End);
    QVERIFY(boxes.texts.isEmpty());
    QCOMPARE(slurp(dir_ / "zov.ini"), line);
  }

  void browseKeepsTheFolderOnCancelAndStoresItRelative() {
    data::RandomSource random(4);
    QVERIFY(!data::createBlankProject(dir_ / "proj", std::string("right"), random));
    Boxes boxes;
    boxes.install();
    QList<ui::FileRequest> requests;
    QList<std::optional<QString>> answers = {std::nullopt,
                                            QString::fromStdString((dir_ / "proj" / "Font.bmp").string())};
    ui::setFileHook([&](const ui::FileRequest& r) {
      requests << r;
      return answers.takeFirst();
    });
    app::Workspace ws;
    ws.programDir = dir_;
    QStringList seen;
    auto result = app::runStartup(ws, [&](app::WelcomeDialog& d) {
      // Each step runs once the dialog waits again.
      auto browse = [&d] { d.findChild<QPushButton*>(QStringLiteral("BUTTON13"))->click(); };
      QTimer::singleShot(0, &d, [&, browse] {
        d.setValues(QStringLiteral("typed"), QStringLiteral("right"));
        browse();  // cancelled
        QTimer::singleShot(0, &d, [&, browse] {
          seen << d.folder();
          browse();  // a file in ./proj
          QTimer::singleShot(0, &d, [&] {
            seen << d.folder();
            d.post(app::WelcomeDialog::kOk);
          });
        });
      });
    });
    ui::setFileHook({});
    QCOMPARE(result, app::StartResult::Run);
    QCOMPARE(seen, (QStringList{QStringLiteral("typed"), QStringLiteral("./proj/")}));
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests[0].title, QStringLiteral("ファイルのオープン"));
    // The chooser shows every file, also those without a dot.
    QCOMPARE(ui::chooserFilter(requests[0].filter), QStringLiteral("*"));
  }

  void switchingFoldersNeverRegistersIntoAnExistingProject() {
    // The remembered folder holds a project with a password; a blank folder typed first
    // (and left for want of a password) must not lend its emptiness to it.
    data::RandomSource random(5);
    QVERIFY(!data::createBlankProject(dir_ / "proj", std::string("right"), random));
    QVERIFY(!data::createBlankProject(dir_ / "blank", std::nullopt, random));
    files::writeFileAtomic(dir_ / "zov.ini", "\"./proj/\",\"\",\"\", 75 , 1 , 1 ,");
    std::map<fs::path, std::string> before;
    for (const auto& e : fs::recursive_directory_iterator(dir_ / "proj"))
      if (e.is_regular_file()) before[e.path()] = slurp(e.path());
    Boxes boxes;
    boxes.install();
    app::Workspace ws;
    ws.programDir = dir_;
    int shown = 0;
    auto result = app::runStartup(ws, [&](app::WelcomeDialog& d) {
      ++shown;
      answer(d, shown == 1 ? QStringLiteral("blank") : QStringLiteral("proj"),
             shown == 1 ? QString() : QStringLiteral("mine"));
    });
    QCOMPARE(shown, 2);
    QCOMPARE(boxes.texts.first(), QStringLiteral("編集パスワードを入力して下さい"));
    QCOMPARE(result, app::StartResult::End);
    QCOMPARE(boxes.texts.last(), QStringLiteral("パスワードが誤っているため､編集できません"));
    std::map<fs::path, std::string> after;
    for (const auto& e : fs::recursive_directory_iterator(dir_ / "proj"))
      if (e.is_regular_file()) after[e.path()] = slurp(e.path());
    QVERIFY(before == after);
  }

  void standardDialogsSpeakJapanese() {
    QVERIFY(ui::installJapaneseTranslations(*QCoreApplication::instance()));
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    const QString cancel = box.button(QDialogButtonBox::Cancel)->text();
    QVERIFY2(cancel.contains(QStringLiteral("キャンセル")), qPrintable(cancel));
    const QString open = QCoreApplication::translate("QFileDialog", "Open");
    QVERIFY2(open != QStringLiteral("Open"), qPrintable(open));
  }

  void emptyPasswordForNewProjectAsksAgain() {
    data::RandomSource random(7);
    QVERIFY(!data::createBlankProject(dir_ / "proj", std::nullopt, random));
    Boxes boxes;
    boxes.install();
    app::Workspace ws;
    ws.programDir = dir_;
    int shown = 0;
    // Typed without the final separator: remembered with it.
    const QString folder = QString::fromStdString((dir_ / "proj").string());
    auto result = app::runStartup(ws, [&](app::WelcomeDialog& d) {
      ++shown;
      answer(d, folder, shown == 1 ? QString() : QStringLiteral("secret"));
    });
    QCOMPARE(result, app::StartResult::Run);
    QCOMPARE(shown, 2);
    QCOMPARE(boxes.texts.first(), QStringLiteral("編集パスワードを入力して下さい"));
    QCOMPARE(boxes.titles.first(), QStringLiteral("新規パスワード"));
    QVERIFY(boxes.texts.last().startsWith(QStringLiteral("編集パスワードを\"secret\"で登録します")));
    QCOMPARE(slurp(dir_ / "zov.ini"), "\"" + (dir_ / "proj").string() + "/\",\"\",\"secret\", 75 , 1 , 1 ,");
    QCOMPARE(ws.db.hidden.editingPassword.substr(0, 6), std::string("secret"));
  }

  void wrongPasswordEndsWithoutTouchingFiles() {
    data::RandomSource random(9);
    QVERIFY(!data::createBlankProject(dir_ / "proj", std::string("right"), random));
    const std::string line = "\"./proj/\",\"\",\"right\", 50 , 2 , 0 ,";
    files::writeFileAtomic(dir_ / "zov.ini", line);
    std::map<fs::path, std::string> before;
    for (const auto& e : fs::recursive_directory_iterator(dir_))
      if (e.is_regular_file()) before[e.path()] = slurp(e.path());
    Boxes boxes;
    boxes.install();
    app::Workspace ws;
    ws.programDir = dir_;
    auto result = app::runStartup(ws, [&](app::WelcomeDialog& d) {
      QCOMPARE(d.folder(), QStringLiteral("./proj/"));
      QCOMPARE(d.password(), QStringLiteral("right"));
      answer(d, d.folder(), QStringLiteral("wrong"));
    });
    QCOMPARE(result, app::StartResult::End);
    QCOMPARE(boxes.texts.last(), QStringLiteral("パスワードが誤っているため､編集できません"));
    QCOMPARE(boxes.titles.last(), QStringLiteral("パスワードエラー"));
    std::map<fs::path, std::string> after;
    for (const auto& e : fs::recursive_directory_iterator(dir_))
      if (e.is_regular_file()) after[e.path()] = slurp(e.path());
    QVERIFY(before == after);
  }

  // A crafted staging folder beside a genuine project: a wrong password writes nothing
  // at all; the right one opens the project, says the staging was ignored, and touches
  // nothing outside the project.
  void stagedSaveIsSettledOnlyAfterThePassword() {
    data::RandomSource random(9);
    QVERIFY(!data::createBlankProject(dir_ / "proj", std::string("right"), random));
    files::writeFileAtomic(dir_ / "zov.ini", "\"./proj/\",\"\",\"right\", 75 , 1 , 1 ,");
    files::writeFileAtomic(dir_ / "victim.txt", "precious");
    const fs::path staging = dir_ / "proj" / ".quillane-save";
    fs::create_directories(staging);
    files::writeFileAtomic(staging / "manifest", "D\t..\\victim.txt\tf0\nW\tDAT\\bzenPLY.DAT\tf1\n");
    files::writeFileAtomic(staging / "f1", "crafted");
    files::writeFileAtomic(staging / "COMPLETE", "1");
    std::map<fs::path, std::string> before;
    for (const auto& e : fs::recursive_directory_iterator(dir_))
      if (e.is_regular_file()) before[e.path()] = slurp(e.path());
    for (const char* password : {"wrong", "right"}) {
      Boxes boxes;
      boxes.install();
      app::Workspace ws;
      ws.programDir = dir_;
      auto result = app::runStartup(ws, [&](app::WelcomeDialog& d) { answer(d, d.folder(), password); });
      std::map<fs::path, std::string> after;
      for (const auto& e : fs::recursive_directory_iterator(dir_))
        if (e.is_regular_file() && e.path().filename() != "zov.ini") after[e.path()] = slurp(e.path());
      before.erase(dir_ / "zov.ini");
      QVERIFY(before == after);
      if (std::string(password) == "wrong") {
        QCOMPARE(result, app::StartResult::End);
      } else {
        QCOMPARE(result, app::StartResult::Run);
        QVERIFY(boxes.texts.join("|").contains(QStringLiteral("無視しました")));
      }
    }
  }

  void rightPasswordOpensAndEmptyFolderIsRefused() {
    data::RandomSource random(11);
    QVERIFY(!data::createBlankProject(dir_ / "proj", std::string("right"), random));
    Boxes boxes;
    boxes.install();
    app::Workspace ws;
    ws.programDir = dir_;
    int shown = 0;
    auto result = app::runStartup(ws, [&](app::WelcomeDialog& d) {
      ++shown;
      answer(d, shown == 1 ? QString() : QStringLiteral("proj"), QStringLiteral("right"));
    });
    QCOMPARE(result, app::StartResult::Run);
    QCOMPARE(shown, 2);
    QCOMPARE(boxes.texts.size(), 1);  // only the empty-folder refusal
    // A relative folder is remembered as "./…" with its final separator.
    QCOMPARE(slurp(dir_ / "zov.ini"), std::string("\"./proj/\",\"\",\"right\", 75 , 1 , 1 ,"));
    QCOMPARE(ws.projectFolder, fs::weakly_canonical(dir_ / "proj/"));
  }
};

QTEST_MAIN(AppStartupTest)
#include "app_startup.moc"
