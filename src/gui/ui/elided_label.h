#pragma once
// A one-line label that never grows its window: text wider than the label is cut with
// "…", and the whole text is then its tooltip.
#include <QLabel>

namespace quillane::ui {

class ElidedLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  void setFullText(const QString& text);
  const QString& fullText() const { return full_; }

  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void elide();
  QString full_;
};

}  // namespace quillane::ui
