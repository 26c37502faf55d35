// The editor: start-up in the program folder (the working directory), then the main
// window and its command loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "gui/app/main_window.h"
#include "gui/app/startup.h"
#include "gui/app/welcome_dialog.h"
#include "gui/app/workspace.h"
#include "gui/ui/translations.h"

using namespace quillane;

int main(int argc, char** argv) {
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
  QObject::connect(&window, &app::MainWindow::ended, &app, &QApplication::quit, Qt::QueuedConnection);
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
