#include "core/editors/record_copies.h"

#include "core/editors/arms_link.h"
#include "core/editors/equipment.h"

namespace quillane::editors {

void ItemEntryCopies::take(const data::ProjectDatabase& db, int item) {
  item_.clear();
  item_.keep(db.items, item);
  arms_.clear();
  arms_.keep(db.arms, armsRecordOf(db, item));
  if (auto free = freeArmsRecord(db)) arms_.keep(db.arms, *free);
  equipment_ = EquipmentCopy::take(db);
}

void ItemEntryCopies::restore(data::ProjectDatabase& db) const {
  item_.restore(db.items);
  arms_.restore(db.arms);
  equipment_.restore(db);
}

}  // namespace quillane::editors
