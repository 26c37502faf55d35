#pragma once
// The rows of the player dialog's level table: one row per level the player reaches
// after the starting one, the step's increments and learned magic, then the running
// sums from the base values. Rows are built from byte-width fields for a fixed-pitch font.
#include <vector>

#include "core/data/project_database.h"
#include "core/editors/growth.h"

namespace quillane::editors {

using text::Bytes;

// The two heading lines above the list.
Bytes levelTableHeading1();
Bytes levelTableHeading2();

// R(n, v): the decimal text of v (a blank before a non-negative number) right-aligned in
// n characters; a wider number is shown whole.
Bytes rightAligned(int width, double value);

// The magic column: "－－－－－－" for none (or a magic the table does not have), else the
// name padded with ideographic blanks and cut to 12 bytes at a character boundary.
Bytes magicColumn(const data::MagicTable& magic, int magicKinds, float learned);

// Every row for player `player` (empty when the player passes no step).
std::vector<Bytes> levelTableRows(const data::ProjectDatabase& db, int player);

}  // namespace quillane::editors
