#pragma once
// Copying records of another project's tables into the open project: the list lines of
// each kind, and the copy of a block of records with everything that must follow it
// (level growth, arms records, equipment) cut to what the open project can hold.
#include <vector>

#include "core/data/project_database.h"

namespace quillane::tools {

using text::Bytes;

// The kinds of the import dialog's kind box, in its order.
enum class ImportKind { Players = 0, Enemies = 1, Items = 2, Magic = 3, Attributes = 4, Map = 5 };
inline constexpr int kImportKinds = 6;

// How many records of `kind` a project lists: players 0..P-1 (record P is kept, never
// listed), enemies, items, magic and maps by their counts, attributes up to the last
// named one.
int listedRecords(const data::ProjectDatabase& db, ImportKind kind);
// " i:name" for every listed record.
std::vector<Bytes> recordLines(const data::ProjectDatabase& db, ImportKind kind);

enum class CopyResult {
  Copied,
  Nothing,  // no target record chosen, or no source record selected
  PastEnd,  // the block would run past the open project's last record: nothing written
};

// Copies the selected source records (any order; taken ascending) of kinds 0..4 onto
// consecutive records of `target` starting at `targetRecord`. Numbers that refer to
// records the target does not have become "none"; held lists are cut to the target's
// places.
CopyResult copyRecords(const data::ProjectDatabase& source, data::ProjectDatabase& target, ImportKind kind,
                       std::vector<int> sourceRecords, int targetRecord);

// The map-table entry (name and appearing enemies) of source map `sourceMap` over the
// target's entry `targetMap`; enemy kinds the target does not have become none (99).
void copyMapEntry(const data::ProjectDatabase& source, int sourceMap, data::ProjectDatabase& target,
                  int targetMap);

}  // namespace quillane::tools
