#include "gui/app/welcome_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/settings/folder_path.h"
#include "gui/ui/bitmaps.h"
#include "gui/ui/message_box.h"

namespace quillane::app {

WelcomeDialog::WelcomeDialog(const std::filesystem::path& programDir, QWidget* parent)
    : ui::Form(QStringLiteral("FORM3"), QStringLiteral("ようこそ！"), kLeave, parent), programDir_(programDir) {
  auto* title = new QLabel(this);
  title->setObjectName(QStringLiteral("PICTURE_TITLE"));
  QImage image = ui::programBitmap(programDir, QStringLiteral("TITLE.BMP")).value_or(QImage());
  int w = 400, h = 120;
  if (!image.isNull()) {
    title->setPixmap(QPixmap::fromImage(image));
    w = image.width();
    h = image.height();
  }
  title->setGeometry(12, 10, w, h);

  const int width = std::max(w + 24, 460);
  int y = 10 + h + 14;
  auto* folderLabel = new QLabel(QStringLiteral("データ格納フォルダパス"), this);
  folderLabel->setGeometry(12, y, 300, 20);
  y += 22;
  folder_ = new QLineEdit(this);
  folder_->setObjectName(QStringLiteral("EDIT21"));
  folder_->setGeometry(12, y, width - 24 - 76, 26);
  auto* browseButton = new QPushButton(QStringLiteral("参照"), this);
  browseButton->setObjectName(QStringLiteral("BUTTON13"));
  browseButton->setGeometry(width - 12 - 70, y, 70, 26);
  y += 28;
  auto* hint = new QLabel(QStringLiteral("(対象フォルダ内のFont.bmpを選択)"), this);
  hint->setGeometry(12, y, width - 24, 20);
  hint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  y += 28;
  auto* passwordLabel = new QLabel(QStringLiteral("編集パスワード"), this);
  passwordLabel->setGeometry(12, y, 200, 20);
  y += 22;
  password_ = new QLineEdit(this);
  password_->setObjectName(QStringLiteral("EDIT24"));
  password_->setEchoMode(QLineEdit::Password);
  password_->setGeometry(12, y, 200, 26);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("BUTTON12"));
  ok->setGeometry(width - 12 - 100, y - 2, 100, 30);
  ok->setDefault(true);
  y += 40;
  setFixedSize(width, y);

  bindButton(browseButton, kBrowse);
  bindButton(ok, kOk);
  // Enter in a box is "OK".
  connect(folder_, &QLineEdit::returnPressed, this, [this] { post(kOk); });
  connect(password_, &QLineEdit::returnPressed, this, [this] { post(kOk); });
}

void WelcomeDialog::setValues(const QString& folder, const QString& password) {
  folder_->setText(folder);
  password_->setText(password);
}

QString WelcomeDialog::folder() const { return folder_->text(); }
QString WelcomeDialog::password() const { return password_->text(); }

bool WelcomeDialog::waitForOk() {
  folder_->setFocus();
  for (;;) {
    int code = waitAction();
    if (code == kBrowse) {
      browse();
      continue;
    }
    if (code == kOk) return true;
    if (code == kLeave) {
      finish();
      return false;
    }
  }
}

void WelcomeDialog::browse() {
  std::filesystem::path start = settings::resolveFolder(folder_->text().toStdString(), programDir_);
  auto chosen = ui::chooseFile(QStringLiteral("ファイルのオープン"), QStringLiteral("*.*"),
                               QString::fromStdString(start.string()));
  if (!chosen) return;  // cancelled: nothing changes
  folder_->setText(
      QString::fromStdString(settings::folderOfChosenFile(chosen->toStdString(), programDir_)));
}

}  // namespace quillane::app
