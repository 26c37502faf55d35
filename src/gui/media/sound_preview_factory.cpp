#include "gui/media/sound_preview_factory.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "gui/media/sdl_media_device.h"

namespace quillane::media {

std::unique_ptr<SoundPreview> makeSoundPreview(const std::filesystem::path& projectFolder) {
  auto device = std::make_unique<SdlMediaDevice>(
      [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
  auto preview = std::make_unique<SoundPreview>(std::move(device));
  preview->setProjectFolder(projectFolder);
  return preview;
}

}  // namespace quillane::media
