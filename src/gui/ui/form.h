#pragma once
// A modal dialog driven by action codes. Each control carries the name of its form
// resource as its Qt object name and posts a numeric code; waitAction() runs a nested
// event loop until a code is posted and returns it, so a dialog reads like a loop:
// commit the boxes, handle the code, show again.
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QCloseEvent;
class QKeyEvent;
class QWidget;

namespace quillane::ui {

class Form : public QDialog {
  Q_OBJECT
 public:
  // `closeCode` is what closing from the title bar posts (the dialog's cancel code,
  // or its OK code where it has no cancel).
  Form(const QString& objectName, const QString& title, int closeCode, QWidget* parent = nullptr);

  // Shows the form (modal to the application) when hidden and waits for a code.
  int waitAction();
  // Posts a code; the pending waitAction() returns it. Later posts before the wait
  // returns replace earlier ones, as one posted code slot.
  void post(int code);
  // Connects a button's click to posting `code`. Enter never presses a bound button:
  // a focused "全クリア" or "削除" must not fire on the Enter meant for a box.
  void bindButton(QAbstractButton* button, int code);
  // The control that gets the focus when the hidden form is shown again (after an
  // on-map pick or a sheet shown in its place: the control that started it).
  void returnFocusTo(QWidget* control) { refocus_ = control; }
  // Finds a child control by its resource name.
  template <class T>
  T* control(const QString& name) const { return findChild<T*>(name); }

  // Ends the dialog: hides it and ends any wait.
  void finish();
  int closeCode() const { return closeCode_; }

  // QDialog's own ways out (Escape, the platform's close) must not hide the dialog
  // behind the action loop's back: they post the close code instead.
  void reject() override;

 signals:
  void actionPosted(int code);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int closeCode_;
  int pending_ = 0;
  QEventLoop* loop_ = nullptr;
  QPointer<QWidget> refocus_;
};

}  // namespace quillane::ui
