#include "core/editors/animation_names.h"

#include <string>
#include <unordered_set>

#include "core/map/map_properties_files.h"

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
  return animationNames(map::listStems(projectFolder, "GRP", "*.bmp"));
}

Bytes animationFrameStem(const Bytes& name, int frame) { return name + "_" + std::to_string(frame); }

}  // namespace quillane::editors
