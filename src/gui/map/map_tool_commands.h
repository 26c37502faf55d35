#pragma once
// Plugs the map modes' painting into the main window: the pen of ground and sky map
// mode, "複写", "四角", "塗潰", "取消", "表示", "編集" (Space, Enter) opening the map
// properties, and the edit history's undo and redo ("UDO", "RDO": Ctrl+Z, Ctrl+Shift+Z
// and Ctrl+Y). They share one undo buffer, history and copy buffer, which follow the
// open map.
namespace quillane::app {
class ModeRegistry;
}

namespace quillane::gui {

void registerMapTools(app::ModeRegistry& registry);

}  // namespace quillane::gui
