#include "gui/app/startup.h"

#include <QTimer>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/text_rules.h"
#include "core/settings/editor_settings.h"
#include "core/settings/folder_path.h"
#include "core/text/pending_commit.h"
#include "core/text/project_files.h"
#include "gui/app/app_messages.h"
#include "gui/app/welcome_dialog.h"
#include "gui/app/workspace.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::app {

namespace fs = std::filesystem;

namespace {

fs::path normalFolder(const fs::path& p) {
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(p, ec);
  return ec ? p.lexically_normal() : canonical;
}

// No table file at all: the folder holds no project (a blank one may be made there).
bool holdsNoProject(const fs::path& folder) {
  auto dat = files::findExisting(folder, "DAT");
  return !dat || files::listMatching(*dat, "*.dat").empty();
}

bool tryLoad(Workspace& ws, const fs::path& folder, const data::Registration* registration) {
  try {
    data::loadAll(folder, ws.db, ws.random, registration);
    ws.projectFolder = folder;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

StartResult runStartup(Workspace& ws, const std::function<void(WelcomeDialog&)>& onWelcomeShown) {
  // Steps 3–5: settings, then the remembered project, errors ignored.
  settings::SettingsRead read = settings::loadSettings(ws.programDir);
  ws.settings = read.settings;
  if (!read.created && !ws.settings.folder.empty())
    tryLoad(ws, normalFolder(settings::resolveFolder(ws.settings.folder, ws.programDir)), nullptr);

  WelcomeDialog dialog(ws.programDir);
  dialog.setValues(QString::fromStdString(ws.settings.folder), ui::toQString(ws.settings.password));
  std::optional<data::Registration> registration;
  QString typedFolder;
  for (;;) {
    // Step 6: the welcome dialog.
    registration.reset();
    if (onWelcomeShown) onWelcomeShown(dialog);
    // Leaving the dialog ends the program before anything is written.
    if (!dialog.waitForOk()) return StartResult::End;
    // Step 7: folder and password.
    typedFolder = dialog.folder().trimmed();
    if (typedFolder.isEmpty()) {
      ui::messageBox(QStringLiteral("データ格納フォルダパスを入力して下さい"), QStringLiteral("フォルダ指定"),
                     ui::Buttons::Ok, ui::Icon::Exclamation);
      continue;
    }
    auto password = ui::toBytes(dialog.password());
    if (!password) {
      ui::messageBox(QStringLiteral("パスワードに使えない文字が含まれています"), QStringLiteral("パスワードエラー"),
                     ui::Buttons::Ok, ui::Icon::Exclamation);
      continue;
    }
    ws.enteredPassword = *password;
    std::string folderText = settings::rememberedFolder(typedFolder.toStdString());
    fs::path folder = normalFolder(settings::resolveFolder(folderText, ws.programDir));
    ws.settings.folder = folderText;
    if (folder != ws.projectFolder) {
      if (holdsNoProject(folder)) {
        // An empty folder: offer a blank project (its password is registered below).
        // Declined: most likely a mistyped folder, so the dialog comes back with it.
        if (!ui::askYesNo(QStringLiteral("指定のフォルダにはデータがありません。新しいデータを作成しますか？"),
                          QStringLiteral("新規作成"), ui::Icon::Question))
          continue;
        if (auto why = data::createBlankProject(folder, std::nullopt, ws.random)) {
          ui::messageBox(QStringLiteral("データを作成できませんでした\n") + QString::fromStdString(*why),
                         QStringLiteral("新規作成"), ui::Buttons::Ok, ui::Icon::Exclamation);
          return StartResult::End;
        }
      }
      if (!tryLoad(ws, folder, nullptr)) {
        showFileOpenError();
        return StartResult::End;
      }
    }
    dialog.hide();
    // Step 8: a new, empty project needs a password.
    if (!data::needsRegistration(ws.db)) break;
    if (ws.enteredPassword.empty()) {
      ui::messageBox(QStringLiteral("編集パスワードを入力して下さい"), QStringLiteral("新規パスワード"));
      continue;
    }
    if (auto refusal = data::refusePassword(ws.enteredPassword)) {
      ui::messageBox(ui::toQString(*refusal), QStringLiteral("新規パスワード"), ui::Buttons::Ok, ui::Icon::Exclamation);
      continue;
    }
    // Step 10: registration.
    ui::messageBox(QStringLiteral("編集パスワードを\"") + ui::toQString(ws.enteredPassword) +
                       QStringLiteral("\"で登録します、パスワードを忘れると編集出来なくなるのでご注意下さい"),
                   QStringLiteral("新規パスワード"));
    registration = data::makeRegistration(ws.enteredPassword, ws.random);
    break;
  }

  // Steps 13-15, then a save or backup cut short last time is settled: only now, so
  // that a wrong password writes nothing. A save that had to be undone leaves the
  // previous files, which are loaded and tested again.
  for (int attempt = 0;; ++attempt) {
    // Step 13: the final load; errors are fatal from here on.
    if (!tryLoad(ws, ws.projectFolder, registration ? &*registration : nullptr)) {
      showFileOpenError();
      return StartResult::End;
    }
    // Step 14: the password.
    if (!data::passwordMatches(ws.db.hidden, ws.enteredPassword)) {
      ui::messageBox(QStringLiteral("パスワードが誤っているため､編集できません"), QStringLiteral("パスワードエラー"));
      return StartResult::End;
    }
    // Step 15: the check numbers.
    if (registration) {
      data::acceptCheckSums(ws.db.hidden);
    } else if (!data::checkSumsMatch(ws.db.hidden)) {
      showFileOpenError();
      return StartResult::End;
    }
    data::SettleReport settled = data::settleInterruptedWrites(ws.projectFolder);
    if (!settled.refused.empty())
      ui::messageBox(QStringLiteral("保存途中のデータ（") + QString::fromStdString(files::kStagingFolder) +
                         QStringLiteral("）に不正な内容があるため、無視しました"),
                     QStringLiteral("確認"), ui::Buttons::Ok, ui::Icon::Exclamation);
    if (!settled.failure.empty()) {
      ui::messageBox(QStringLiteral("前回の保存を完了できませんでした\n") + QString::fromStdString(settled.failure),
                     QStringLiteral("ファイルオープンエラー"), ui::Buttons::Ok, ui::Icon::Exclamation);
      return StartResult::End;
    }
    if (!settled.reloadNeeded || attempt > 0) break;
  }
  // Step 11, after the tests so that a wrong password touches no file.
  ws.settings.password = ws.enteredPassword;
  try {
    settings::saveSettings(ws.programDir, ws.settings);
  } catch (const std::exception&) {
    // A read-only program folder: the editor still runs.
  }
  return StartResult::Run;
}

}  // namespace quillane::app
