#pragma once
// The program's sound preview: SDL2_mixer carries out the commands, and while an effect
// is awaited the windows keep repainting but take no input (it waits for the later
// events, as the wait of the platform's media commands did).
#include <filesystem>
#include <memory>

#include "core/media/sound_preview.h"

namespace quillane::media {

// Create once per run, after the QApplication; destroying it stops the music and
// closes the audio device. Set the project folder whenever it changes.
std::unique_ptr<SoundPreview> makeSoundPreview(const std::filesystem::path& projectFolder = {});

}  // namespace quillane::media
