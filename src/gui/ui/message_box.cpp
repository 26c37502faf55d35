#include "gui/ui/message_box.h"

#include <QFileDialog>
#include <QMessageBox>

namespace quillane::ui {

namespace {
BoxHook boxHook;
FileHook fileHook;
QWidget* boxParent = nullptr;

QMessageBox::Icon toQt(Icon icon) {
  switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::None: break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

void setBoxHook(BoxHook hook) { boxHook = std::move(hook); }
void setFileHook(FileHook hook) { fileHook = std::move(hook); }
void setBoxParent(QWidget* parent) { boxParent = parent; }

Answer messageBox(const QString& text, const QString& title, Buttons buttons, Icon icon, bool noByDefault) {
  BoxRequest request{text, title, buttons, icon, noByDefault};
  if (boxHook) return boxHook(request);
  QMessageBox::StandardButtons set = QMessageBox::Ok;
  if (buttons == Buttons::YesNo) set = QMessageBox::Yes | QMessageBox::No;
  if (buttons == Buttons::OkCancel) set = QMessageBox::Ok | QMessageBox::Cancel;
  QMessageBox box(toQt(icon), title, text, set, boxParent);
  if (buttons == Buttons::YesNo) {
    box.setButtonText(QMessageBox::Yes, QStringLiteral("はい(&Y)"));
    box.setButtonText(QMessageBox::No, QStringLiteral("いいえ(&N)"));
    box.setEscapeButton(QMessageBox::No);
    box.setDefaultButton(noByDefault ? QMessageBox::No : QMessageBox::Yes);
  } else if (buttons == Buttons::OkCancel) {
    box.setButtonText(QMessageBox::Cancel, QStringLiteral("キャンセル"));
    box.setEscapeButton(QMessageBox::Cancel);
  }
  int pressed = box.exec();
  switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
    case Buttons::OkCancel: return pressed == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
  }
  return Answer::Ok;
}

bool askYesNo(const QString& text, const QString& title, Icon icon) {
  return messageBox(text, title, Buttons::YesNo, icon) == Answer::Yes;
}

bool askOkCancel(const QString& text, const QString& title, Icon icon) {
  return messageBox(text, title, Buttons::OkCancel, icon) == Answer::Ok;
}

QString chooserFilter(const QString& filter) {
  return filter == QStringLiteral("*.*") ? QStringLiteral("*") : filter;
}

bool askYesNoDefaultNo(const QString& text, const QString& title, Icon icon) {
  return messageBox(text, title, Buttons::YesNo, icon, true) == Answer::Yes;
}

std::optional<QString> chooseFile(const QString& title, const QString& filter, const QString& startFolder) {
  FileRequest request{title, filter, startFolder};
  if (fileHook) return fileHook(request);
  QString path = QFileDialog::getOpenFileName(boxParent, title, startFolder, chooserFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace quillane::ui
