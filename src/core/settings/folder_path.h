#pragma once
// Rules for the project folder as the user types or browses it. Paths here are UTF-8
// file-system paths: the separator tests run on UTF-8, never on CP932 bytes.
#include <filesystem>
#include <string>
#include <string_view>

namespace quillane::settings {

// Both "\" and "/" count as separators; the result uses "/".
std::string slashSeparators(std::string_view path);
// The folder with "/" separators and one final "/" appended unless present.
std::string withFinalSeparator(std::string_view folder);
// The folder as the settings file keeps it: "/" separators, a final "/", and a
// relative folder written as "./…" ("proj" → "./proj/", "../p" stays "../p/").
std::string rememberedFolder(std::string_view typed);
// The folder of a file chosen with "参照": the file name is cut off so that the path ends
// in "/"; a folder at or under `programDir` becomes "./" + the rest ("./" for the
// program folder itself).
std::string folderOfChosenFile(std::string_view chosenFile, const std::filesystem::path& programDir);
// The absolute folder a (possibly relative) settings folder names.
std::filesystem::path resolveFolder(std::string_view folder, const std::filesystem::path& programDir);

}  // namespace quillane::settings
