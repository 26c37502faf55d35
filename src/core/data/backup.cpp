// The once-per-run backup of DAT\*.dat into DATBK\. The new copies are made and
// flushed in a side folder, which is then renamed to mark them complete, and swapped
// in whole; so a backup that fails (disk full, no permission) leaves the previous
// DATBK as it was, and one cut short is finished at the next start.
#include <system_error>

#include "core/data/save_all.h"
#include "core/text/file_system.h"
#include "core/text/project_files.h"

namespace quillane::data {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNewCopies = ".quillane-backup-new";      // being copied
constexpr const char* kReadyCopies = ".quillane-backup-ready";  // copied and flushed
constexpr const char* kOldCopies = ".quillane-backup-old";      // the backup being replaced

std::string reason(const fs::path& p, const std::error_code& ec) { return p.string() + ": " + ec.message(); }

bool present(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// Copies the files and folders of `from` into the new folder `to`, every file flushed.
std::optional<std::string> copyTree(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    if (fs::is_directory(fs::symlink_status(p, ec))) {
      if (auto e = files::fileSystem().makeFolder(to / p.filename())) return reason(to / p.filename(), e);
      if (auto why = copyTree(p, to / p.filename())) return why;
      if (auto e = files::fileSystem().flushFolder(to / p.filename())) return reason(to / p.filename(), e);
    } else if (fs::is_regular_file(p, ec)) {
      auto bytes = files::readFile(p);
      if (!bytes) return p.string() + ": cannot be read";
      try {
        files::writeNewFile(to / p.filename(), *bytes);
      } catch (const std::runtime_error& e) {
        return std::string(e.what());
      }
    }
  }
  if (ec) return reason(from, ec);
  return std::nullopt;
}

// The complete new copies take the place of DATBK (keeping its name when it exists).
std::optional<std::string> swapInReady(const fs::path& folder) {
  files::FileSystem& layer = files::fileSystem();
  const fs::path ready = folder / kReadyCopies, old = folder / kOldCopies;
  auto existing = files::findExisting(folder, "DATBK");
  const fs::path target = existing ? *existing : folder / "DATbk";
  if (existing)
    if (auto ec = layer.rename(target, old)) return reason(target, ec);
  if (auto ec = layer.rename(ready, target)) {
    if (existing) layer.rename(old, target);
    return reason(target, ec);
  }
  layer.flushFolder(folder);
  files::removeTree(old);
  layer.flushFolder(folder);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> finishInterruptedBackup(const fs::path& folder) {
  files::FileSystem& layer = files::fileSystem();
  const fs::path fresh = folder / kNewCopies, ready = folder / kReadyCopies, old = folder / kOldCopies;
  if (!present(fresh) && !present(ready) && !present(old)) return std::nullopt;
  if (auto ec = files::removeTree(fresh)) return reason(fresh, ec);  // copies cut short: never used
  if (present(ready)) return swapInReady(folder);
  // Cut short after the swap: the replaced backup is dropped, or put back when the
  // new one never arrived.
  if (files::findExisting(folder, "DATBK")) {
    if (auto ec = files::removeTree(old)) return reason(old, ec);
  } else if (auto ec = layer.rename(old, folder / "DATbk")) {
    return reason(old, ec);
  }
  layer.flushFolder(folder);
  return std::nullopt;
}

std::optional<std::string> takeBackupOnce(const fs::path& folder, BackupState& state) {
  if (state.taken) return std::nullopt;
  if (auto why = finishInterruptedBackup(folder)) return why;
  files::FileSystem& layer = files::fileSystem();
  const fs::path fresh = folder / kNewCopies, ready = folder / kReadyCopies;
  if (auto ec = layer.makeFolder(fresh)) return reason(fresh, ec);

  auto fail = [&](const std::string& why) -> std::optional<std::string> {
    files::removeTree(fresh);
    return why;
  };
  if (auto dat = files::findExisting(folder, "DAT")) {
    for (const auto& src : files::listMatching(*dat, "*.dat")) {
      auto bytes = files::readFile(src);
      if (!bytes) return fail(src.string() + ": cannot be read");
      try {
        files::writeNewFile(fresh / src.filename(), *bytes);
      } catch (const std::runtime_error& e) {
        return fail(e.what());
      }
    }
  }
  if (auto existing = files::findExisting(folder, "DATBK")) {
    // Everything of the old backup that is not a *.dat file stays in it.
    std::error_code ec;
    for (fs::directory_iterator it(*existing, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path& p = it->path();
      if (files::matchesPattern(p.filename().string(), "*.dat") && fs::is_regular_file(p, ec)) continue;
      std::optional<std::string> why;
      if (fs::is_directory(fs::symlink_status(p, ec))) {
        if (auto e = layer.makeFolder(fresh / p.filename())) why = reason(fresh / p.filename(), e);
        else why = copyTree(p, fresh / p.filename());
      } else if (fs::is_regular_file(p, ec)) {
        auto bytes = files::readFile(p);
        if (!bytes) why = p.string() + ": cannot be read";
        else try {
            files::writeNewFile(fresh / p.filename(), *bytes);
          } catch (const std::runtime_error& e) {
            why = e.what();
          }
      }
      if (why) return fail(*why);
    }
    if (ec) return fail(reason(*existing, ec));
  }
  if (auto ec = layer.flushFolder(fresh)) return fail(reason(fresh, ec));
  if (auto ec = layer.rename(fresh, ready)) return fail(reason(fresh, ec));
  if (auto why = swapInReady(folder)) {
    files::removeTree(ready);
    return why;
  }
  state.taken = true;
  return std::nullopt;
}

}  // namespace quillane::data
