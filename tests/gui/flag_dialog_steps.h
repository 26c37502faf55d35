#pragma once
// Window tests that run flag mode: the open FORM12 and steps run on it one after
// another, each once the previous action has been taken.
#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "gui/event/flag_dialog.h"

namespace quillane::fixture {

inline gui::FlagDialog* flagDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<gui::FlagDialog*>(w)) return d;
  return nullptr;
}

inline void runSteps(std::vector<std::function<void()>> steps) {
  auto shared = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
  auto next = std::make_shared<std::function<void(std::size_t)>>();
  *next = [shared, next](std::size_t i) {
    if (i >= shared->size()) return;
    QTimer::singleShot(0, [shared, next, i] {
      // A posted command opens the dialog on a later turn of the event loop: wait for it.
      if (!flagDialog()) {
        QTimer::singleShot(20, [next, i] { (*next)(i); });
        return;
      }
      (*shared)[i]();
      (*next)(i + 1);
    });
  };
  (*next)(0);
}

}  // namespace quillane::fixture
