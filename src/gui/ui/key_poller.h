#pragma once
// The keys of the main window's command loop. Keys act only while the window is the
// active window and no editable text box has focus. Scroll keys act on press and
// repeat once per loop tick while held (a timer runs only then); Space, Enter and
// Escape act once per press; Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo. Ctrl scrolls
// left only when pressed alone: when it is released with nothing else pressed, turned
// or clicked meanwhile, or, held alone, from a short delay on at the loop's pace; so
// Ctrl+Z and Ctrl+wheel never scroll.
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>

class QWidget;
class QKeyEvent;

namespace quillane::ui {

class KeyPoller : public QObject {
  Q_OBJECT
 public:
  using Post = std::function<void(const QString& code)>;
  KeyPoller(QWidget* window, Post post);

  // The command a key posts ("2", "4", "6", "8", "X", "A", "D", "W", "1", "END", "UDO",
  // "RDO"); empty when the key posts nothing. `repeats` tells whether holding it repeats.
  static QString codeFor(int key, Qt::KeyboardModifiers modifiers, bool* repeats = nullptr);

  void setTickMs(int ms);
  int tickMs() const { return tickMs_; }
  bool repeating() const { return timer_.isActive(); }
  // Forgets every held key (the window lost the focus, a dialog opened).
  void releaseAll();
  // While suspended (the list chooser has the keys) nothing is posted.
  void setSuspended(bool suspended);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool accepts() const;
  void tick();
  void endCtrlAlone();
  void ctrlHeld();

  QWidget* window_;
  Post post_;
  QTimer timer_;
  int tickMs_ = 50;
  bool suspended_ = false;
  std::map<int, QString> held_;  // held repeating keys, in press order by key code
  bool ctrlAlone_ = false;  // Ctrl is down and nothing else came with it
  QTimer ctrlHold_;         // Ctrl held alone this long starts scrolling
};

}  // namespace quillane::ui
