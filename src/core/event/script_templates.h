#pragma once
// The seven scripts the editor writes at one press: shop, inn, two treasure chests,
// map move, church and an empty script. Full-width letters, "**", "＊＊＊" and the
// Japanese argument names are placeholders the designer replaces.
#include <vector>

#include "core/event/event_model.h"

namespace quillane::event {

enum class ScriptTemplate { Shop, Inn, ItemChest, MoneyChest, MapMove, Church, Clear };

// The lines of a template before its end marker (CP932).
std::vector<ScriptLine> templateLines(ScriptTemplate kind);

}  // namespace quillane::event
