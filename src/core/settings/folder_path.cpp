#include "core/settings/folder_path.h"

namespace quillane::settings {

namespace fs = std::filesystem;

std::string slashSeparators(std::string_view path) {
  std::string out(path);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

std::string withFinalSeparator(std::string_view folder) {
  std::string out = slashSeparators(folder);
  if (out.empty() || out.back() != '/') out += '/';
  return out;
}

std::string rememberedFolder(std::string_view typed) {
  std::string out = withFinalSeparator(typed);
  bool relative = out[0] != '/' && !(out.size() > 2 && out[1] == ':' && out[2] == '/');
  if (relative && out.compare(0, 2, "./") != 0 && out.compare(0, 3, "../") != 0) out = "./" + out;
  return out;
}

std::string folderOfChosenFile(std::string_view chosenFile, const fs::path& programDir) {
  std::string file = slashSeparators(chosenFile);
  std::size_t cut = file.rfind('/');
  std::string folder = cut == std::string::npos ? std::string("./") : file.substr(0, cut + 1);
  std::string base = slashSeparators(programDir.generic_string());
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  base += '/';
  if (folder.compare(0, base.size(), base) == 0) return "./" + folder.substr(base.size());
  return folder;
}

fs::path resolveFolder(std::string_view folder, const fs::path& programDir) {
  fs::path p(slashSeparators(folder));
  if (p.is_relative()) p = programDir / p;
  return p.lexically_normal();
}

}  // namespace quillane::settings
