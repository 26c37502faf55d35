#pragma once
// The sound preview drives the platform's player with text commands, one verb each:
// open a file under an alias, play an alias (optionally waiting for its end), close it.
// The device carries them out; a device that cannot play simply makes no sound.
#include <string_view>

namespace quillane::media {

class MediaDevice {
 public:
  virtual ~MediaDevice() = default;
  // Carries out one command. Nothing is reported back: failures are silent.
  virtual void send(std::string_view command) = 0;
};

}  // namespace quillane::media
