#pragma once
// Files named by the project: a sound, music or picture is stored as a bare CP932 stem
// ("hit", "FIELD", "kao1_0", "表") and lives at <folder>/<subfolder>/<stem><extension>.
// This is the one lookup of such files: pictures, sounds and music alike.
#include <filesystem>
#include <optional>
#include <string_view>

namespace quillane::files {

// The existing file for `stem`, every component matched without regard to ASCII case.
// The stem is tried first as its UTF-8 file name, then as its raw CP932 bytes (as an
// archive unpacked from Windows leaves them). The stem is one file name: its bytes are
// never split into path components (the second byte of "表" or "ソ" is 0x5C, the
// Windows separator). A stem that could leave the folder (holding "/" or NUL) or that
// holds wildcards finds nothing. `extension` may carry a suffix of the stem ("_1.BMP").
std::optional<std::filesystem::path> findNamedFile(const std::filesystem::path& folder,
                                                   std::string_view subfolder,
                                                   std::string_view stem,
                                                   std::string_view extension);

// The path a stem would have when no file exists: the folder, the subfolder (as found,
// when it exists) and the stem's UTF-8 form with the extension.
std::filesystem::path nominalNamedFile(const std::filesystem::path& folder,
                                       std::string_view subfolder, std::string_view stem,
                                       std::string_view extension);

}  // namespace quillane::files
