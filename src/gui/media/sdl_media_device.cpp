#include "gui/media/sdl_media_device.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <filesystem>

namespace quillane::media {

namespace {

bool isAlias(std::string_view given, std::string_view alias) {
  if (given.size() != alias.size()) return false;
  for (std::size_t i = 0; i < given.size(); ++i) {
    char c = given[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != alias[i]) return false;
  }
  return true;
}

// Milliseconds of sound in a loaded chunk at the mixer's output format.
Uint32 chunkLengthMs(const Mix_Chunk* chunk) {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (!Mix_QuerySpec(&frequency, &format, &channels) || frequency <= 0 || channels <= 0) return 0;
  Uint32 bytesPerFrame = static_cast<Uint32>(SDL_AUDIO_BITSIZE(format) / 8 * channels);
  if (bytesPerFrame == 0) return 0;
  Uint64 frames = chunk->alen / bytesPerFrame;
  return static_cast<Uint32>(frames * 1000 / static_cast<Uint64>(frequency));
}

}  // namespace

SdlMediaDevice::SdlMediaDevice(std::function<void()> idle) : idle_(std::move(idle)) {}

SdlMediaDevice::~SdlMediaDevice() {
  if (audio_ != Audio::Open) return;
  close(kEffectAlias);
  close(kMusicAlias);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::string SdlMediaDevice::soundFontPath() {
  if (const char* env = std::getenv("SDL_SOUNDFONTS"); env && *env) return env;
  for (const char* candidate : {"/usr/share/sounds/sf2/default-GM.sf2",
                                "/usr/share/sounds/sf2/TimGM6mb.sf2",
                                "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                                "/usr/share/soundfonts/default.sf2"}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return {};
}

bool SdlMediaDevice::audioAvailable() {
  if (audio_ == Audio::Untried) {
    audio_ = Audio::Failed;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    // The mixer looks for one fixed sound font file only, which Debian's General MIDI
    // package does not install, so it is named here.
    Mix_Init(MIX_INIT_MID);
    if (std::string font = soundFontPath(); !font.empty()) Mix_SetSoundFonts(font.c_str());
    audio_ = Audio::Open;
  }
  return audio_ == Audio::Open;
}

void SdlMediaDevice::send(std::string_view command) {
  MediaCommand parsed = parseMediaCommand(command);
  if (parsed.verb == MediaCommand::Verb::Unknown) return;
  if (!audioAvailable()) return;
  switch (parsed.verb) {
    case MediaCommand::Verb::Open: open(parsed); break;
    case MediaCommand::Verb::Play: play(parsed); break;
    case MediaCommand::Verb::Close: close(parsed.alias); break;
    case MediaCommand::Verb::Unknown: break;
  }
}

void SdlMediaDevice::open(const MediaCommand& command) {
  // Opening an alias that is open replaces what it held.
  close(command.alias);
  if (isAlias(command.alias, kEffectAlias)) {
    effect_ = Mix_LoadWAV(command.path.c_str());
  } else if (isAlias(command.alias, kMusicAlias)) {
    music_ = Mix_LoadMUS(command.path.c_str());
  }
}

void SdlMediaDevice::play(const MediaCommand& command) {
  if (isAlias(command.alias, kEffectAlias) && effect_) {
    if (channel_ >= 0) Mix_HaltChannel(channel_);
    channel_ = Mix_PlayChannel(-1, effect_, 0);
    if (command.wait) waitForEffect();
  } else if (isAlias(command.alias, kMusicAlias) && music_) {
    Mix_PlayMusic(music_, 1);
  }
}

void SdlMediaDevice::waitForEffect() {
  if (channel_ < 0 || !effect_) return;
  // A stalled device must not hold the editor: give up after the sound's own length
  // and a margin.
  Uint32 deadline = SDL_GetTicks() + chunkLengthMs(effect_) + kWaitMarginMs;
  while (Mix_Playing(channel_) && !SDL_TICKS_PASSED(SDL_GetTicks(), deadline)) {
    if (idle_) idle_();
    SDL_Delay(10);
  }
}

void SdlMediaDevice::close(std::string_view alias) {
  if (isAlias(alias, kEffectAlias)) {
    if (channel_ >= 0) Mix_HaltChannel(channel_);
    channel_ = -1;
    if (effect_) Mix_FreeChunk(effect_);
    effect_ = nullptr;
  } else if (isAlias(alias, kMusicAlias)) {
    if (music_) {
      Mix_HaltMusic();
      Mix_FreeMusic(music_);
    }
    music_ = nullptr;
  }
}

}  // namespace quillane::media
