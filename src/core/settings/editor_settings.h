#pragma once
// The editor's own settings line (ZOV.INI in the program folder): the project folder,
// a reserved text, the last editing password, and the view settings zoom, loop pace
// and ruler. Three quoted texts and three numbers in the project text form.
#include <filesystem>
#include <optional>
#include <string>

#include "core/text/cp932.h"

namespace quillane::settings {

struct EditorSettings {
  std::string folder;      // UTF-8 file-system path with "/" separators; may be relative ("./…")
  text::Bytes reserved;    // kept as read
  text::Bytes password;    // plain text, CP932
  double zoom = 75;        // one of the zoom steps
  int scrollSpeed = 1;     // loop pace 0..3
  int scale = 1;           // ruler shown: 0/1
};

// What reading found, so start-up knows whether a project was remembered.
struct SettingsRead {
  EditorSettings settings;
  bool created = false;    // no usable file: defaults were written
};

inline constexpr const char* kSettingsFileName = "zov.ini";

// The line written when the file is created: three empty texts and 75, 1, 1.
text::Bytes defaultSettingsLine();

// Parses the two read steps. Empty optional when the three texts cannot be read; when
// they can but the numbers cannot, zoom 100, pace 1 and ruler 0 are taken. The result
// is made valid (zoom snapped, pace clamped, ruler 0/1).
std::optional<EditorSettings> parseSettings(std::string_view bytes);

// The settings line in the project text form; the folder with "/" separators.
text::Bytes formatSettings(const EditorSettings& s);

// Makes read values valid: zoom to the nearest step (75 when not positive), pace to
// 0..3, any non-zero ruler to 1.
void makeValid(EditorSettings& s);

// Reads ZOV.INI (any case) from `dir`; when missing or unreadable creates `zov.ini`
// with the default line (a failure to create it is ignored: the defaults still hold).
SettingsRead loadSettings(const std::filesystem::path& dir);

// Replaces the settings file by `zov.ini` holding `s`, readable by the owner only (it
// holds the password in plain text). Throws std::runtime_error when it cannot be written.
void saveSettings(const std::filesystem::path& dir, const EditorSettings& s);
void writeSettingsBytes(const std::filesystem::path& dir, std::string_view bytes);

}  // namespace quillane::settings
