#pragma once
// The media device carried out with SDL2_mixer: WAV effects on a mixer channel, played
// to their end; MIDI music through FluidSynth with the General MIDI sound font.
// Audio is opened at the first command. When it cannot be opened (no sound card, no
// driver) every command does nothing, silently, as does a file that cannot be loaded.
// The mixer is global to the process: keep one open device per program.
#include <functional>
#include <string>
#include <string_view>

#include "core/media/media_command.h"
#include "core/media/media_device.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace quillane::media {

class SdlMediaDevice final : public MediaDevice {
 public:
  // `idle` runs about every 10 ms while an effect is awaited; the window passes a
  // function that repaints without taking input.
  explicit SdlMediaDevice(std::function<void()> idle = {});
  ~SdlMediaDevice() override;
  SdlMediaDevice(const SdlMediaDevice&) = delete;
  SdlMediaDevice& operator=(const SdlMediaDevice&) = delete;

  void send(std::string_view command) override;

  // Opens audio when not tried yet; false when there is no audio device.
  bool audioAvailable();

  // Extra time granted to an effect beyond its own length before the wait gives up.
  static constexpr int kWaitMarginMs = 500;

  // The General MIDI sound font used for music: $SDL_SOUNDFONTS when set, else the
  // first installed one of the usual Debian places; empty when none is found.
  static std::string soundFontPath();

 private:
  void open(const MediaCommand& command);
  void play(const MediaCommand& command);
  void close(std::string_view alias);
  void waitForEffect();

  enum class Audio { Untried, Open, Failed };
  Audio audio_ = Audio::Untried;
  std::function<void()> idle_;
  Mix_Chunk* effect_ = nullptr;
  int channel_ = -1;
  Mix_Music* music_ = nullptr;
};

}  // namespace quillane::media
