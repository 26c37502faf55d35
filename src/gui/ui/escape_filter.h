#pragma once
// Ends a nested event loop when Escape is pressed anywhere in the application, and
// swallows that key press. Installed for the life of a pick or a preview.
#include <QEventLoop>
#include <QObject>

namespace quillane::ui {

class EscapeFilter : public QObject {
 public:
  explicit EscapeFilter(QEventLoop& loop);
  ~EscapeFilter() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QEventLoop& loop_;
};

}  // namespace quillane::ui
