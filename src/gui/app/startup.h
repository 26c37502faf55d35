#pragma once
// Start-up: the settings file, the first load, the welcome dialog, a new project's
// password, the final load, the password and check-number tests, and the settings
// rewrite. After it the main window opens.
#include <functional>

namespace quillane::app {

struct Workspace;
class WelcomeDialog;

enum class StartResult {
  Run,  // the project is open: show the main window
  End,  // a message was shown (wrong password, damaged files) or the welcome dialog was
        // left: end the program
};

// `programDir` must be set in `ws`. `onWelcomeShown` is called each time the welcome
// dialog is about to wait (tests fill it; the timing figures hook here).
StartResult runStartup(Workspace& ws, const std::function<void(WelcomeDialog&)>& onWelcomeShown = {});

}  // namespace quillane::app
