#pragma once
// The main window's size and position between runs, kept in the desktop's settings for
// this program (not in ZOV.INI, whose settings line the engine's tools may read).
class QWidget;

namespace quillane::app {

// Puts the window where it was at the end of the last run (maximised if it was); a
// place that no longer fits any screen is left to the window system. Nothing when no
// place was kept.
void restoreWindowPlacement(QWidget& window);
// Keeps the window's size and position for the next run.
void saveWindowPlacement(const QWidget& window);

}  // namespace quillane::app
