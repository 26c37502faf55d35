#include "gui/app/window_placement.h"

#include <QSettings>
#include <QWidget>

namespace quillane::app {

namespace {
const char* const kKey = "mainWindow/geometry";

QSettings desktopSettings() { return QSettings(QSettings::UserScope, QStringLiteral("Quillane"), QStringLiteral("editor")); }
}  // namespace

void restoreWindowPlacement(QWidget& window) {
  const QByteArray geometry = desktopSettings().value(QLatin1String(kKey)).toByteArray();
  if (!geometry.isEmpty()) window.restoreGeometry(geometry);
}

void saveWindowPlacement(const QWidget& window) {
  QSettings settings = desktopSettings();
  settings.setValue(QLatin1String(kKey), window.saveGeometry());
  settings.sync();
}

}  // namespace quillane::app
