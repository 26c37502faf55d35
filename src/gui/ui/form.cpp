#include "gui/ui/form.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace quillane::ui {

Form::Form(const QString& objectName, const QString& title, int closeCode, QWidget* parent)
    : QDialog(parent), closeCode_(closeCode) {
  setObjectName(objectName);
  setWindowTitle(title);
  setModal(true);
}

int Form::waitAction() {
  if (!isVisible()) {
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    if (refocus_) refocus_->setFocus(Qt::OtherFocusReason);
    refocus_ = nullptr;
  }
  while (pending_ == 0) {
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
  }
  int code = pending_;
  pending_ = 0;
  return code;
}

void Form::post(int code) {
  if (code == 0) return;
  pending_ = code;
  emit actionPosted(code);
  if (loop_) loop_->quit();
}

void Form::bindButton(QAbstractButton* button, int code) {
  if (auto* push = qobject_cast<QPushButton*>(button)) push->setAutoDefault(false);
  connect(button, &QAbstractButton::clicked, this, [this, code] { post(code); });
}

void Form::finish() {
  hide();
  if (loop_) loop_->quit();
}

void Form::reject() { post(closeCode_); }

void Form::closeEvent(QCloseEvent* event) {
  // The title bar's close button acts like the dialog's own cancel (or OK) button.
  event->ignore();
  post(closeCode_);
}

void Form::keyPressEvent(QKeyEvent* event) {
  // Escape and Enter must not close the dialog behind the action loop's back.
  if (event->key() == Qt::Key_Escape) {
    post(closeCode_);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(event);
}

}  // namespace quillane::ui
