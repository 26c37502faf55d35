#include "gui/app/workspace.h"

#include "core/map/map_file_names.h"

namespace quillane::app {

std::string Workspace::mapNumberText() const { return map && mapIndex >= 0 ? map::mapNumberText(mapIndex) : std::string(); }

}  // namespace quillane::app
