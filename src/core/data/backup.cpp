// The once-per-run backup of DAT\*.dat into DATBK\. The new copies are made in a
// side folder first and swapped in whole, so a backup that fails (disk full, no
// permission) leaves the previous DATBK as it was.
#include <system_error>

#include "core/data/save_all.h"
#include "core/text/project_files.h"

namespace quillane::data {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNewCopies = ".quillane-backup-new";
constexpr const char* kOldCopies = ".quillane-backup-old";

std::string reason(const fs::path& p, const std::error_code& ec) { return p.string() + ": " + ec.message(); }

}  // namespace

std::optional<std::string> takeBackupOnce(const fs::path& folder, BackupState& state) {
  if (state.taken) return std::nullopt;
  std::error_code ec;
  const fs::path fresh = folder / kNewCopies, old = folder / kOldCopies;
  auto existing = files::findExisting(folder, "DATBK");
  // A swap cut short last time: the previous backup is still in the side folder.
  if (!existing && fs::is_directory(old, ec)) {
    fs::rename(old, folder / "DATbk", ec);
    existing = files::findExisting(folder, "DATBK");
  }
  fs::remove_all(fresh, ec);
  fs::remove_all(old, ec);
  if (!fs::create_directory(fresh, ec)) return reason(fresh, ec);

  auto fail = [&](const std::string& why) -> std::optional<std::string> {
    std::error_code ignore;
    fs::remove_all(fresh, ignore);
    return why;
  };
  if (auto dat = files::findExisting(folder, "DAT")) {
    for (const auto& src : files::listMatching(*dat, "*.dat")) {
      fs::copy_file(src, fresh / src.filename(), fs::copy_options::overwrite_existing, ec);
      if (ec) return fail(reason(src, ec));
    }
  }
  if (existing) {
    // Everything of the old backup that is not a *.dat file stays in it.
    for (fs::directory_iterator it(*existing, ec), end; !ec && it != end; it.increment(ec)) {
      if (files::matchesPattern(it->path().filename().string(), "*.dat")) continue;
      fs::copy(it->path(), fresh / it->path().filename(), fs::copy_options::recursive, ec);
      if (ec) return fail(reason(it->path(), ec));
    }
    if (ec) return fail(reason(*existing, ec));
  }
  files::syncFolder(fresh);

  const fs::path target = existing ? *existing : folder / "DATbk";
  if (existing) {
    fs::rename(target, old, ec);
    if (ec) return fail(reason(target, ec));
  }
  fs::rename(fresh, target, ec);
  if (ec) {
    std::error_code ignore;
    if (existing) fs::rename(old, target, ignore);
    return fail(reason(target, ec));
  }
  fs::remove_all(old, ec);
  files::syncFolder(folder);
  state.taken = true;
  return std::nullopt;
}

}  // namespace quillane::data
