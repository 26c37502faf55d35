#include "core/media/sound_preview.h"

#include "core/media/media_command.h"
#include "core/text/named_files.h"

namespace quillane::media {

SoundPreview::SoundPreview(std::unique_ptr<MediaDevice> device) : device_(std::move(device)) {}

SoundPreview::~SoundPreview() { stopMusic(); }

std::filesystem::path SoundPreview::fileFor(std::string_view subfolder, std::string_view name,
                                            std::string_view extension) const {
  // The file as it exists (case and name encoding resolved); otherwise the plain path,
  // which the device fails to open, so nothing is heard.
  if (auto found = files::findNamedFile(folder_, subfolder, name, extension)) return *found;
  return files::nominalNamedFile(folder_, subfolder, name, extension);
}

void SoundPreview::playEffect(std::string_view name) {
  if (name.empty()) return;
  device_->send(openCommand(fileFor("WAV", name, ".WAV").string(), kEffectAlias));
  device_->send(playCommand(kEffectAlias, true));
  device_->send(closeCommand(kEffectAlias));
}

void SoundPreview::startMusic(std::string_view name) {
  stopMusic();
  // An empty name would open a nameless file and leave an alias nobody closes.
  if (name.empty()) return;
  music_ = text::Bytes(name);
  device_->send(openCommand(fileFor("mid", name, ".mid").string(), kMusicAlias));
  device_->send(playCommand(kMusicAlias, false));
}

void SoundPreview::stopMusic() {
  if (music_.empty()) return;
  device_->send(closeCommand(kMusicAlias));
  music_.clear();
}

}  // namespace quillane::media
