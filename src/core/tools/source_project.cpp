#include "core/tools/source_project.h"

#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/settings/folder_path.h"
#include "core/text/read_error.h"

namespace quillane::tools {

std::filesystem::path sourceFolder(std::string_view typed, const std::filesystem::path& programDir) {
  return settings::resolveFolder(settings::withFinalSeparator(typed), programDir);
}

SourceRead readSourceProject(const std::filesystem::path& folder, const text::Bytes& typedPassword,
                             data::RandomSource& random, SourceProject& out) {
  data::ProjectDatabase db;
  try {
    data::loadAllReadOnly(folder, db, random);
  } catch (const text::ReadError&) {
    return SourceRead::Failed;
  } catch (const std::exception&) {  // a folder that cannot be listed, memory
    return SourceRead::Failed;
  }
  if (!data::passwordMatches(db.hidden, typedPassword)) return SourceRead::WrongPassword;
  // Tables of different projects mixed in one folder do not share their keys.
  if (!data::checkSumsMatch(db.hidden)) return SourceRead::Failed;
  out.folder = folder;
  out.db = std::move(db);
  return SourceRead::Loaded;
}

}  // namespace quillane::tools
