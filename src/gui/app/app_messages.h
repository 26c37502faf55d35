#pragma once
// Message boxes the start-up and the main window share.
#include <string>

namespace quillane::app {

// "Quillaneのファイルでないか、ファイルが壊れています" / "ファイルオープンエラー".
void showFileOpenError();
// A save (or the backup before a write) failed: its reason, nothing was changed.
void showSaveFailed(const std::string& reason);

}  // namespace quillane::app
