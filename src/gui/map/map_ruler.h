#pragma once
// The coordinate ruler ("目") beside the map view: the numbers of the visible columns
// along the bottom and of the visible rows along the right (scroll + i), with a tick at
// every cell boundary. It stands outside the view, in the window's margin beyond the
// view's scroll bars, so it never covers a cell; it shows nothing while the ruler is
// off, while the whole-map picture is shown, and while `cover` (the message panel)
// covers the view.
#include <QPointer>
#include <QWidget>

namespace quillane::gui {

class MapView;

class MapRuler : public QWidget {
  Q_OBJECT
 public:
  MapRuler(Qt::Orientation orientation, const MapView& view, QWidget* cover, QWidget* parent);
  Qt::Orientation orientation() const { return orientation_; }
  // Whether numbers are shown now.
  bool showing() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Qt::Orientation orientation_;
  const MapView& view_;
  QPointer<QWidget> cover_;
};

}  // namespace quillane::gui
