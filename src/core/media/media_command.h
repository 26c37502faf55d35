#pragma once
// Builds and reads the media command strings:
//   open "<path>" alias <ALIAS>
//   play <ALIAS>            (returns at once)
//   play <ALIAS> notify wait (returns when the sound has ended)
//   close <ALIAS>
// The path sits between double quotes, so names with blanks pass through whole.
#include <string>
#include <string_view>

namespace quillane::media {

inline constexpr std::string_view kEffectAlias = "WAVE1";
inline constexpr std::string_view kMusicAlias = "MIDI1";

std::string openCommand(std::string_view path, std::string_view alias);
std::string playCommand(std::string_view alias, bool waitForEnd);
std::string closeCommand(std::string_view alias);

struct MediaCommand {
  enum class Verb { Unknown, Open, Play, Close };
  Verb verb = Verb::Unknown;
  std::string alias;
  std::string path;   // Open only
  bool wait = false;  // Play only: "notify wait"
};

// Reads one command; anything malformed gives Verb::Unknown.
MediaCommand parseMediaCommand(std::string_view command);

}  // namespace quillane::media
