#include "gui/app/app_messages.h"

#include "core/data/load_all.h"
#include "core/data/save_all.h"
#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::app {

void showFileOpenError() {
  ui::messageBox(ui::toQString(data::fileOpenErrorText()), ui::toQString(data::fileOpenErrorTitle()),
                 ui::Buttons::Ok, ui::Icon::Exclamation);
}

void showSaveFailed(const std::string& reason) {
  ui::messageBox(ui::toQString(data::saveFailedMessage(reason)), ui::toQString(data::saveFailedTitle()),
                 ui::Buttons::Ok, ui::Icon::Exclamation);
}

}  // namespace quillane::app
