#pragma once
// The message panel and list chooser drawn over the map view: prompt lines appended one
// by one, and lists shown one item per line ("  " + the item cut to the panel width), a
// page at a time. A list is chosen with the mouse or the keys; the result is the 1-based
// position, 0 for cancel. Tests answer the chooser through a hook, like message boxes.
#include <QFrame>
#include <QStringList>
#include <functional>

class QEventLoop;

namespace quillane::ui {

struct ChooserRequest {
  QStringList prompts;     // lines above the list
  QStringList items;
  int linesPerPage = 24;
  int preselect = 0;       // 1-based position shown first and highlighted; 0 = the first
};
// Answers a chooser without showing it: returns the 1-based position or 0.
using ChooserHook = std::function<int(const ChooserRequest&)>;
void setChooserHook(ChooserHook hook);

class MessagePanel : public QFrame {
  Q_OBJECT
 public:
  explicit MessagePanel(QWidget* parent = nullptr);

  // Prompt lines: the panel shows them until cleared.
  void clearLines();
  void addLine(const QString& line);
  const QStringList& lines() const { return lines_; }

  // Shows the list and waits for a choice (a nested event loop). 1-based, 0 = cancel.
  int choose(const ChooserRequest& request);
  // Ends a running choice as cancelled (the program is ending).
  void cancel();
  bool choosing() const { return loop_ != nullptr; }

  // The page and highlight of the running choice (for tests and key handling).
  int page() const { return page_; }
  int pageCount() const;
  int highlighted() const { return current_; }  // 0-based item index
  // Turns pages and moves the highlight, as Page Up/Down and the arrows do.
  void turnPage(int delta);
  void moveHighlight(int delta);
  void accept();  // chooses the highlighted item

  // Half-width character columns an item line may use.
  int columns() const;
  // "  " + item, cut so that it fits `columns()` half-width columns.
  QString itemLine(const QString& item) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int lineHeight() const;
  int firstItemLine() const;                 // line index where items start
  int itemAt(const QPoint& p) const;         // item index under p, or -1
  int footerLine() const;
  void finish(int result);
  bool chooserKey(int key);  // false: not a key of the list

  QStringList lines_;
  ChooserRequest request_;
  bool listShown_ = false;
  int page_ = 0;
  int current_ = 0;
  int result_ = 0;
  QEventLoop* loop_ = nullptr;
};

}  // namespace quillane::ui
