#include "core/editors/animation_names.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <unordered_set>

#include "core/map/map_properties_files.h"
#include "core/text/project_files.h"

namespace quillane::editors {

std::vector<Bytes> animationNames(const std::vector<Bytes>& stems) {
  std::vector<Bytes> names;
  std::unordered_set<Bytes> seen;
  for (const Bytes& stem : stems) {
    const std::size_t cut = text::findAtCharStart(stem, "_");
    // No "_", or only a trailing one: no frame of an animation. A leading "_" names
    // nothing either.
    if (cut == std::string::npos || cut == 0 || cut + 1 == stem.size()) continue;
    Bytes prefix = stem.substr(0, cut);
    if (!seen.insert(prefix).second) continue;
    names.push_back(std::move(prefix));
    if (names.size() == kMaxAnimationNames) break;
  }
  return names;
}

std::vector<Bytes> animationNamesInFolder(const std::filesystem::path& projectFolder) {
  // One pass over the folder: only names with a "_" before ".bmp" can name a frame, so
  // the others are dropped before any conversion; the frames are taken in name order.
  std::vector<Bytes> stems;
  const auto dir = files::findExisting(projectFolder, "GRP");
  if (!dir) return {};
  std::error_code ec;
  for (std::filesystem::directory_iterator it(*dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= 4 || name.find('_') == std::string::npos) continue;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension != ".bmp" || !it->is_regular_file(ec)) continue;
    if (auto stem = map::stemOfFileName(name)) stems.push_back(std::move(*stem));
  }
  std::sort(stems.begin(), stems.end());
  return animationNames(stems);
}

Bytes animationFrameStem(const Bytes& name, int frame) { return name + "_" + std::to_string(frame); }

}  // namespace quillane::editors
