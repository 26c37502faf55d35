#pragma once
// The step runner of the dialog tests: the steps run one at a time, each once the
// dialog is shown and waits for its next action; each step ends by pressing something
// that posts an action.
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

namespace quillane::test {

class DialogSteps : public QObject {
 public:
  using Step = std::function<void()>;
  // `shown` tells whether the dialog waits (is shown).
  DialogSteps(std::deque<Step> steps, std::function<bool()> shown) : steps_(std::move(steps)), shown_(std::move(shown)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
      if (!shown_() || steps_.empty()) return;
      Step step = std::move(steps_.front());
      steps_.pop_front();
      step();
    });
    timer_.start();
  }
  ~DialogSteps() override {
    if (!steps_.empty()) qWarning("the dialog ended before every step ran");
  }

 private:
  std::deque<Step> steps_;
  std::function<bool()> shown_;
  QTimer timer_;
};

// Steps for `dialog`: the runner stays until the next drive() on the same dialog or
// the dialog's end.
inline void drive(QWidget& dialog, std::deque<DialogSteps::Step> steps) {
  const char* const kRunner = "quillaneTestSteps";
  delete dialog.property(kRunner).value<QObject*>();
  auto* runner = new DialogSteps(std::move(steps), [&dialog] { return dialog.isVisible(); });
  runner->setParent(&dialog);
  dialog.setProperty(kRunner, QVariant::fromValue<QObject*>(runner));
}

}  // namespace quillane::test
