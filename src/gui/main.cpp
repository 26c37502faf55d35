// The editor: start-up in the program folder (the working directory), then the main
// window and its command loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/data/process_memory.h"
#include "gui/app/main_window.h"
#include "gui/app/startup.h"
#include "gui/app/welcome_dialog.h"
#include "gui/app/window_placement.h"
#include "gui/app/workspace.h"
#include "gui/ui/translations.h"
#include "quillane_version.h"

using namespace quillane;

namespace {

void printUsage() {
  std::printf(
      "usage: quillane [--user-folder]\n"
      "       quillane --help | --version\n"
      "\n"
      "Opens the welcome dialog of the Quillane editor, then the map window of the\n"
      "chosen project. The program folder, which holds the settings file zov.ini,\n"
      "is the current folder.\n"
      "\n"
      "  --user-folder  use $XDG_DATA_HOME/quillane (~/.local/share/quillane) as the\n"
      "                 program folder, creating it when missing (the menu entry does)\n"
      "  --help         print this text and exit\n"
      "  --version      print the version and exit\n");
}

// The editor's folder in the user's data folder (XDG), made the working directory.
bool enterUserFolder() {
  namespace fs = std::filesystem;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  fs::path base;
  if (dataHome && *dataHome == '/') base = dataHome;
  else if (home && *home) base = fs::path(home) / ".local" / "share";
  else return false;
  std::error_code ec;
  fs::create_directories(base / "quillane", ec);
  fs::current_path(base / "quillane", ec);
  return !ec;
}

}  // namespace

int main(int argc, char** argv) {
  data::setUpProcessMemory();
  // Our own options are read before Qt sees the command line, so --help and --version
  // need no display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      printUsage();
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("quillane %s\n", QUILLANE_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--user-folder") == 0 && !enterUserFolder()) {
      std::fprintf(stderr, "quillane: the user's data folder cannot be made or entered\n");
      return 1;
    }
  }
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPointSize(10);
  QApplication::setFont(font);
  ui::installJapaneseTranslations(app);

  // QUILLANE_TIMING=1 prints when the welcome dialog and the map list first show.
  const bool timing = std::getenv("QUILLANE_TIMING") != nullptr;
  qint64 okAt = -1;

  app::Workspace ws;
  ws.programDir = std::filesystem::current_path();
  bool firstWelcome = true;
  auto onWelcome = [&](app::WelcomeDialog& dialog) {
    if (!timing) return;
    if (firstWelcome)
      QTimer::singleShot(0, &dialog, [&] { std::fprintf(stderr, "timing: welcome dialog shown %lld ms after start\n",
                                                          static_cast<long long>(clock.elapsed())); });
    firstWelcome = false;
    QObject::connect(&dialog, &app::WelcomeDialog::actionPosted, &dialog, [&](int code) {
      if (code == app::WelcomeDialog::kOk) okAt = clock.elapsed();
    });
  };
  if (app::runStartup(ws, onWelcome) == app::StartResult::End) return 1;

  app::MainWindow window(ws);
  QObject::connect(&window, &app::MainWindow::ended, &window, [&window] { app::saveWindowPlacement(window); });
  QObject::connect(&window, &app::MainWindow::ended, &app, &QApplication::quit, Qt::QueuedConnection);
  app::restoreWindowPlacement(window);
  window.show();
  QTimer::singleShot(0, &window, [&] {
    if (timing)
      QTimer::singleShot(0, &window, [&] {
        std::fprintf(stderr, "timing: map list shown %lld ms after OK\n", static_cast<long long>(clock.elapsed() - okAt));
      });
    window.start();
  });
  return app.exec();
}
