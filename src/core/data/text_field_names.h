#pragma once
// Names a text of the database by table, record and field, so a save stopped by a
// text that cannot be written tells the user where to correct it.
#include <optional>
#include <string>

#include "core/data/project_database.h"

namespace quillane::data {

struct TextPlace {
  std::string table;  // Japanese (UTF-8): "プレイヤー"
  int record = -1;    // -1 for a table of one record
  std::string field;  // Japanese (UTF-8): "名前"
};

// The place of the text object `at` inside `db`; empty when it is no text of `db`.
std::optional<TextPlace> findTextField(const ProjectDatabase& db, const Bytes* at);

// "プレイヤー No.3 の「名前」" (UTF-8).
std::string describePlace(const TextPlace& place);

}  // namespace quillane::data
