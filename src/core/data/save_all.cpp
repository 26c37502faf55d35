#include "core/data/save_all.h"

#include <unistd.h>

#include <algorithm>

#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/table_walks.h"
#include "core/data/text_field_names.h"
#include "core/map/map_file_names.h"
#include "core/text/folder_listing.h"
#include "core/text/project_files.h"

namespace quillane::data {

namespace fs = std::filesystem;

namespace {

// Problems that would stop the commit half-way are found before anything is staged:
// a DAT folder that cannot be written, or something other than a file in the way.
std::optional<std::string> preflight(const fs::path& folder, const std::vector<std::string>& names,
                                     files::CaseVariantLookup& variants) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return folder.string() + ": no such folder";
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return folder.string() + ": the folder cannot be written";
  if (auto dat = files::findExisting(folder, "DAT")) {
    if (!fs::is_directory(*dat, ec)) return dat->string() + ": is not a folder";
    if (::access(dat->c_str(), W_OK | X_OK) != 0) return dat->string() + ": the folder cannot be written";
  }
  // A save names most files twice (deleted, then written): each found file is looked at once.
  std::vector<std::string> seen;
  for (const auto& name : names)
    for (const auto& p : variants.find(name)) {
      if (std::find(seen.begin(), seen.end(), p.native()) != seen.end()) continue;
      if (!fs::is_regular_file(p, ec)) return p.string() + ": something other than a file is in the way";
      seen.push_back(p.native());
    }
  return std::nullopt;
}

// The table buffers of the last save, handed to the next one. A maximal project's
// tables are 7 MB; written into fresh memory each time, the page faults of filling it
// (and the copies of growing it) cost more than forming every number of the tables.
std::vector<Bytes>& keptBuffers() {
  static std::vector<Bytes> buffers;
  return buffers;
}

std::vector<files::NamedFile> serializeInto(ProjectDatabase& db, RandomSource& random, int version,
                                            std::vector<Bytes>& reuse) {
  db.fitToCounts();
  encodeHidden(db.hidden, random);
  const auto& order = saveOrder();
  reuse.resize(order.size());
  std::vector<files::NamedFile> out;
  for (std::size_t i = 0; i < order.size(); ++i) {
    FieldWriter writer(order[i]->writeName, db.hidden, random, version, std::move(reuse[i]));
    order[i]->write(writer, db);
    out.push_back({order[i]->writeName, writer.take()});
  }
  return out;
}

// The buffers of a save's files back into keptBuffers, by table.
void keepBuffers(std::vector<files::NamedFile> written) {
  const auto& order = saveOrder();
  std::vector<Bytes>& kept = keptBuffers();
  kept.resize(order.size());
  for (auto& f : written)
    for (std::size_t i = 0; i < order.size(); ++i)
      if (f.relative == order[i]->writeName) kept[i] = std::move(f.content);
}

}  // namespace

Bytes savedMessage(int mapNumber) {
  return text::sj("マップデータ（No.") + " " + std::to_string(mapNumber) + text::sj("）は正常に保存されました");
}
Bytes savedTitle() { return text::sj("保存終了"); }

Bytes saveFailedMessage(const std::string& reason) {
  Bytes detail = text::fromUtf8(reason).value_or(Bytes(reason));
  return text::sj("データを保存できませんでした。") + "\n" + detail;
}
Bytes saveFailedTitle() { return text::sj("保存エラー"); }

std::vector<files::NamedFile> serializeTables(ProjectDatabase& db, RandomSource& random, int version) {
  std::vector<Bytes> fresh;
  return serializeInto(db, random, version, fresh);
}

std::optional<std::string> prepareSave(const fs::path& folder, ProjectDatabase& db, RandomSource& random,
                                       const SaveRequest& request, files::FileSetCommit& commit) {
  std::vector<files::NamedFile> tables;
  try {
    tables = serializeInto(db, random, kWriteVersion, keptBuffers());
  } catch (const UnwritableText& e) {
    // Named so that the user can correct it in the editor: table, record and field.
    if (auto place = findTextField(db, e.where)) {
      const bool quote = e.where->find('"') != Bytes::npos;
      return describePlace(*place) + "に保存できない" + (quote ? "ダブルクォーテーション（\"）" : "カンマか改行") +
             "があります。修正してから保存して下さい（" + e.what() + "）";
    }
    return std::string(e.what());
  }
  const auto& order = saveOrder();
  const bool mapOpen = request.mapNumber.has_value() && !request.mapFiles.empty();
  // The save's deletions and writes in its order (the commit leaves a deletion of a
  // name written later to that write).
  std::vector<std::string> touched;
  auto remove = [&](const std::string& name) {
    touched.push_back(name);
    commit.remove(name);
  };
  auto write = [&](const std::string& name, Bytes content) {
    touched.push_back(name);
    commit.write(name, std::move(content));
  };
  auto put = [&](std::size_t i) {
    remove(order[i]->deleteName);
    write(tables[i].relative, std::move(tables[i].content));  // several megabytes: moved, not copied
  };
  for (std::size_t i = 0; i < 4; ++i) put(i);  // TOPN, TEND, INI, MAX
  if (mapOpen) {
    if (!request.quiet)
      for (const auto& name : map::mapFileNamesForDeletion(*request.mapNumber)) remove(name);
    for (const auto& f : request.mapFiles) write(f.relative, f.content);
  }
  for (std::size_t i = 4; i < order.size(); ++i) put(i);
  return preflight(folder, touched, commit.lookups());
}

SaveResult saveAll(const fs::path& folder, ProjectDatabase& db, RandomSource& random, const SaveRequest& request) {
  SaveResult result;
  files::FileSetCommit commit(folder, &isProjectFileName);
  if (auto problem = prepareSave(folder, db, random, request, commit)) {
    result.error = *problem;
    return result;
  }
  try {
    commit.commit();
  } catch (const std::exception& e) {
    result.error = e.what();
    keepBuffers(commit.takeWritten());
    return result;
  }
  keepBuffers(commit.takeWritten());
  db.formatVersion = kWriteVersion;
  acceptCheckSums(db.hidden);
  result.ok = true;
  if (!request.quiet) result.message = savedMessage(request.mapNumber.value_or(0));
  return result;
}

SaveResult saveCommand(const fs::path& folder, ProjectDatabase& db, RandomSource& random, BackupState& backup,
                       const SaveRequest& request) {
  if (auto problem = takeBackupOnce(folder, backup)) {
    SaveResult r;
    r.error = *problem;
    return r;
  }
  return saveAll(folder, db, random, request);
}

}  // namespace quillane::data
