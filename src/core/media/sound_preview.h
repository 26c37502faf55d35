#pragma once
// Listening to a sound effect or a piece of music before choosing it. Effects play to
// their end before the caller continues; one piece of music plays at a time and keeps
// playing until it is stopped, replaced, its dialog closes or the program ends.
#include <filesystem>
#include <memory>
#include <string_view>

#include "core/media/media_device.h"
#include "core/text/cp932.h"

namespace quillane::media {

class SoundPreview {
 public:
  explicit SoundPreview(std::unique_ptr<MediaDevice> device);
  ~SoundPreview();  // stops the music
  SoundPreview(const SoundPreview&) = delete;
  SoundPreview& operator=(const SoundPreview&) = delete;

  // The project folder whose WAV and mid folders hold the files.
  void setProjectFolder(const std::filesystem::path& folder) { folder_ = folder; }
  const std::filesystem::path& projectFolder() const { return folder_; }

  // Plays WAV/<name>.WAV and returns when it has ended. An empty name plays nothing.
  void playEffect(std::string_view name);
  // Stops any music, then starts mid/<name>.mid and returns at once. An empty name only
  // stops the music.
  void startMusic(std::string_view name);
  // Stops and forgets the current music; sends nothing when none plays.
  void stopMusic();

  // CP932 stem of the music playing; empty when none.
  const text::Bytes& currentMusic() const { return music_; }

  MediaDevice& device() { return *device_; }

 private:
  std::filesystem::path fileFor(std::string_view subfolder, std::string_view name,
                                std::string_view extension) const;

  std::unique_ptr<MediaDevice> device_;
  std::filesystem::path folder_;
  text::Bytes music_;
};

// Stops the preview's music when it goes out of scope: a dialog that can start music
// holds one for as long as it is open.
class MusicScope {
 public:
  explicit MusicScope(SoundPreview& preview) : preview_(preview) {}
  ~MusicScope() { preview_.stopMusic(); }
  MusicScope(const MusicScope&) = delete;
  MusicScope& operator=(const MusicScope&) = delete;

 private:
  SoundPreview& preview_;
};

}  // namespace quillane::media
