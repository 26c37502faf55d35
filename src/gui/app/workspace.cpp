#include "gui/app/workspace.h"

#include "core/map/map_file_names.h"
#include "gui/media/sound_preview_factory.h"

namespace quillane::app {

std::string Workspace::mapNumberText() const { return map && mapIndex >= 0 ? map::mapNumberText(mapIndex) : std::string(); }

media::SoundPreview& Workspace::sound() {
  if (!sound_) sound_ = media::makeSoundPreview();
  sound_->setProjectFolder(projectFolder);
  return *sound_;
}

}  // namespace quillane::app
