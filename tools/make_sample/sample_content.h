#pragma once
// The content of the sample project: a village, a forest and a cave, a party of four,
// a few enemies, items and spells.
#include <vector>

#include "core/data/project_database.h"
#include "core/map/map_document.h"

namespace sample {

inline constexpr const char* kPassword = "quill";

quillane::data::ProjectDatabase database();
std::vector<quillane::map::MapDocument> maps(bool splitChips);

}  // namespace sample
