#pragma once
// The animation names offered by the item and magic dialogs: an animation is a run of
// pictures GRP\<name>_0.bmp, <name>_1.bmp, ...; its name is what comes before the first
// "_" of a picture's name.
#include <filesystem>
#include <vector>

#include "core/text/cp932.h"

namespace quillane::editors {

using text::Bytes;

inline constexpr std::size_t kMaxAnimationNames = 1001;

// The distinct prefixes before the first "_" of `stems` (picture names without their
// extension), in the order found; a stem without "_", or whose only "_" is its last
// character, gives none. At most kMaxAnimationNames are kept.
std::vector<Bytes> animationNames(const std::vector<Bytes>& stems);

// The same over the project's GRP\*.bmp files.
std::vector<Bytes> animationNamesInFolder(const std::filesystem::path& projectFolder);

// The stem of animation frame k: "<name>_<k>".
Bytes animationFrameStem(const Bytes& name, int frame);

}  // namespace quillane::editors
