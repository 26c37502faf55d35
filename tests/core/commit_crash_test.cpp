// The save commit under faults: a file-system layer fails or stops (as if killed) at
// every step of a save (backup, staging, putting files in place) and of the recovery
// at the next start. After each trial the project is wholly as before or wholly as
// after the save, a load reads exactly what the settled folder then holds, and
// nothing outside the project folder has changed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/save_all.h"
#include "core/data/table_walks.h"
#include "core/text/pending_commit.h"
#include "core/text/project_files.h"
#include "fault_file_system.h"

namespace quillane::data {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;
using Layer = quillane::testing::FaultFileSystem;

const std::vector<std::string> kMapNames = {"DAT\\BZENM001.DAT", "DAT\\BZENT001.DAT", "DAT\\BZENE001.dat"};

fs::path scratch() {
  std::error_code ec;
  fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  return base / ("quillane-crash-" + std::to_string(::getpid()));
}

// Every file under `dir` by relative path ("/" marks a folder).
Files tree(const fs::path& dir) {
  Files out;
  std::error_code ec;
  if (!fs::exists(dir, ec)) return out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    out[fs::relative(e.path(), dir).string()] = e.is_directory() ? "/" : files::readFile(e.path()).value_or("?");
  return out;
}
Files sub(const Files& all, const std::string& prefix) {
  Files out;
  for (const auto& [k, v] : all)
    if (k.rfind(prefix, 0) == 0) out[k.substr(prefix.size())] = v;
  return out;
}

// The project's files as a load reads them: through a pending save, if any.
Files viewed(const fs::path& dir) {
  auto pending = pendingSave(dir);
  Files out;
  std::vector<std::string> names = kMapNames;
  for (const TableFile* t : loadOrder()) names.push_back(t->readName);
  for (const auto& name : names) {
    auto where = pending.locate(name);
    std::optional<Bytes> bytes;
    if (where.source == files::PendingCommit::Source::File) bytes = files::readFile(where.path);
    else if (where.source == files::PendingCommit::Source::Folder) bytes = files::readProjectFile(dir, name);
    out[name] = bytes.value_or("<none>");
  }
  return out;
}

class CommitCrash : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = scratch();
    fs::remove_all(root_);
    fs::create_directories(template_ / "project" / "DATBK");
    ASSERT_TRUE(fs::is_directory(template_));
    RandomSource random(5);
    ASSERT_FALSE(createBlankProject(project(template_), Bytes("pw"), random).has_value());
    put(template_ / "project" / "DAT" / "bzenm001.dat", "old body,");  // another case-variant
    put(template_ / "project" / "DAT" / "BZENT001.DAT", "old events,");
    put(template_ / "project" / "DAT" / "BZENE001.DAT", "old flags,");
    put(template_ / "project" / "DATBK" / "bzenPLY.DAT", "previous backup");
    put(template_ / "beside.txt", "outside the project");
    before_ = tree(template_);
    // The same save run cleanly gives the files "after".
    copyTemplate();
    ASSERT_TRUE(runSave(nullptr).ok);
    after_ = tree(trial_);
  }
  void TearDown() override { fs::remove_all(root_); }

  static fs::path project(const fs::path& t) { return t / "project"; }
  static void put(const fs::path& p, const std::string& bytes) { files::writeFileSynced(p, bytes); }
  void copyTemplate() {
    fs::remove_all(trial_);
    fs::copy(template_, trial_, fs::copy_options::recursive);
  }

  SaveResult runSave(Layer* layer) {
    std::optional<files::FileSystemOverride> use;
    if (layer) use.emplace(*layer);
    ProjectDatabase db;
    RandomSource random(9);
    loadAll(project(trial_), db, random);
    db.players.name[1] = "after";
    SaveRequest request;
    request.mapNumber = 1;
    request.mapFiles = {{kMapNames[0], "new body,"}, {kMapNames[1], "new events,"}, {kMapNames[2], "new flags,"}};
    BackupState backup;
    return saveCommand(project(trial_), db, random, backup, request);
  }
  // The start-up after a stop: load (nothing written), password and check numbers,
  // then settle. Returns false when stopped. A save undone asks for a reload (what the
  // load read is what the folder holds then too, as the callers check).
  bool runRecovery(Layer* layer, Files* viewedBefore = nullptr, bool mayUndo = false) {
    std::optional<files::FileSystemOverride> use;
    if (layer) use.emplace(*layer);
    ProjectDatabase db;
    RandomSource random(3);
    Files untouched = tree(trial_);
    loadAll(project(trial_), db, random);
    EXPECT_EQ(tree(trial_), untouched) << "a load wrote something";
    EXPECT_TRUE(passwordMatches(db.hidden, "pw"));
    EXPECT_TRUE(checkSumsMatch(db.hidden));
    if (viewedBefore) *viewedBefore = viewed(project(trial_));
    try {
      SettleReport report = settleInterruptedWrites(project(trial_));
      EXPECT_TRUE(report.failure.empty()) << report.failure;
      if (!mayUndo) {
        EXPECT_FALSE(report.reloadNeeded);
      }
    } catch (const quillane::testing::Stopped&) {
      return false;
    }
    return true;
  }

  // Wholly before or wholly after, DATBK as well, nothing left over, nothing outside.
  void expectWhole(const char* when, bool mustBeOld = false) {
    SCOPED_TRACE(when);
    Files now = tree(trial_);
    EXPECT_EQ(now.at("beside.txt"), before_.at("beside.txt"));
    EXPECT_EQ(now.size(), sub(now, "project/").size() + 2);  // beside.txt and project/
    Files dat = sub(now, "project/DAT/"), oldDat = sub(before_, "project/DAT/"), newDat = sub(after_, "project/DAT/");
    EXPECT_TRUE(dat == oldDat || (!mustBeOld && dat == newDat)) << "DAT is neither wholly before nor after";
    auto bk = files::findExisting(project(trial_), "DATBK");
    ASSERT_TRUE(bk.has_value()) << "DATBK is missing";
    Files backup = sub(now, "project/" + bk->filename().string() + "/");
    EXPECT_TRUE(backup == sub(before_, "project/DATBK/") || backup == sub(after_, "project/DATBK/"));
    for (const auto& [name, bytes] : now) EXPECT_EQ(name.find(".quillane"), std::string::npos) << name;
  }

  // From the folder kept in `stopped`: the recovery stopped at its first step (at each
  // of its steps unless `firstStopOnly`), then run again to the end; every time the
  // folder is whole and the load read what the settled folder holds. Counts the extra
  // stopping points tried into `trials`.
  void recoverStoppedAtEachStep(const fs::path& stopped, bool firstStopOnly, bool undoing, int* trials = nullptr) {
    for (int recoveryStop = 0;; ++recoveryStop) {
      SCOPED_TRACE("recovery stopped at step " + std::to_string(recoveryStop));
      fs::remove_all(trial_);
      fs::copy(stopped, trial_, fs::copy_options::recursive);
      Layer again;
      again.mode = Layer::Mode::StopAt;
      again.at = recoveryStop;
      const bool finished = runRecovery(&again, nullptr, undoing);
      Files seen;
      ASSERT_TRUE(runRecovery(nullptr, &seen, undoing));
      expectWhole("after recovery", undoing);
      EXPECT_EQ(seen, viewed(project(trial_)));
      if (finished || firstStopOnly || ::testing::Test::HasFailure()) break;
      if (trials) ++*trials;
    }
  }

  fs::path root_, template_ = scratch() / "template", trial_ = scratch() / "trial";
  Files before_, after_;
};

// A power cut keeps only flushed folder entries: the staging folder (and so its manifest)
// must be recorded in the project folder before the first file is put in place, or a
// cut while files move could leave DAT half old, half new with nothing to finish it.
TEST_F(CommitCrash, TheStagingFolderIsOnDiskBeforeAnyFileIsPutInPlace) {
  struct Recorder : Layer {
    fs::path projectFolder;
    bool stagingMade = false, projectFlushed = false, movedBeforeFlush = false;
    std::error_code makeFolder(const fs::path& p) override {
      if (p.filename() == files::kStagingFolder) stagingMade = true, projectFlushed = false;
      return Layer::makeFolder(p);
    }
    std::error_code flushFolder(const fs::path& d) override {
      if (stagingMade && fs::equivalent(d, projectFolder)) projectFlushed = true;
      return Layer::flushFolder(d);
    }
    std::error_code rename(const fs::path& from, const fs::path& to) override {
      if (from.parent_path().filename() == files::kStagingFolder && !projectFlushed) movedBeforeFlush = true;
      return Layer::rename(from, to);
    }
  };
  copyTemplate();
  Recorder layer;
  layer.projectFolder = project(trial_);
  ASSERT_TRUE(runSave(&layer).ok);
  EXPECT_TRUE(layer.stagingMade);
  EXPECT_FALSE(layer.movedBeforeFlush);
}

TEST_F(CommitCrash, EveryStepOfASaveFailingLeavesTheProjectAsBefore) {
  Layer counter;
  copyTemplate();
  ASSERT_TRUE(runSave(&counter).ok);
  const int steps = counter.steps;
  ASSERT_GT(steps, 100);
  for (int at = 0; at < steps; ++at) {
    SCOPED_TRACE("save step " + std::to_string(at));
    copyTemplate();
    Layer layer;
    layer.mode = Layer::Mode::FailAt;
    layer.at = at;
    SaveResult r = runSave(&layer);
    // At once: the files of the save wholly in place, or wholly as before.
    EXPECT_EQ(sub(tree(trial_), "project/DAT/"), sub(r.ok ? after_ : before_, "project/DAT/"));
    EXPECT_TRUE(r.ok || !r.error.empty());
    // Anything left over (a staging folder that could not be removed) goes at the next start.
    ASSERT_TRUE(runRecovery(nullptr));
    expectWhole("after the next start", !r.ok);
    if (::testing::Test::HasFailure()) break;
  }
}

TEST_F(CommitCrash, EveryStepOfASaveAndOfItsRecoveryStoppedGivesAllOldOrAllNew) {
  Layer counter;
  copyTemplate();
  ASSERT_TRUE(runSave(&counter).ok);
  const int steps = counter.steps;
  const fs::path stoppedState = root_ / "stopped";
  int trials = 0;
  // Every step of the save is a stopping point; the recovery after it is stopped at
  // each of its own steps for every tenth of them (all of them would take minutes).
  for (int at = 0; at < steps; ++at) {
    SCOPED_TRACE("save stopped at step " + std::to_string(at));
    copyTemplate();
    Layer layer;
    layer.mode = Layer::Mode::StopAt;
    layer.at = at;
    EXPECT_THROW(runSave(&layer), quillane::testing::Stopped);
    fs::remove_all(stoppedState);
    fs::copy(trial_, stoppedState, fs::copy_options::recursive);
    recoverStoppedAtEachStep(stoppedState, at % 10 != 0, false, &trials);
    if (::testing::Test::HasFailure()) break;
  }
  RecordProperty("trials", trials);
}

// Earlier builds left the manifest in a file of its own and a marker holding "1" (renamed
// to UNDO while undoing). A save of theirs stopped at any point is finished (or, when
// marked for undoing, undone) by this build, the recovery itself stopped as well.
TEST_F(CommitCrash, AStagingInTheFormOfEarlierBuildsIsFinishedOrUndoneAtEveryStep) {
  Layer counter;
  copyTemplate();
  ASSERT_TRUE(runSave(&counter).ok);
  const fs::path stoppedState = root_ / "stopped";
  const fs::path staging = project(trial_) / files::kStagingFolder;
  int converted = 0;
  for (int at = 0; at < counter.steps; ++at) {
    for (bool undoing : {false, true}) {
      SCOPED_TRACE("save stopped at step " + std::to_string(at) + (undoing ? ", marked for undoing" : ""));
      copyTemplate();
      Layer layer;
      layer.mode = Layer::Mode::StopAt;
      layer.at = at;
      EXPECT_THROW(runSave(&layer), quillane::testing::Stopped);
      if (pendingSave(project(trial_)).state() != files::PendingCommit::State::Forward) break;
      // Into the earlier form: the manifest beside the marker, which holds "1".
      std::string text = *files::readFile(staging / files::kCompleteMarker);
      const std::string end = std::string(files::kManifestEnd) + "\n";
      ASSERT_TRUE(text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0);
      text.resize(text.size() - end.size());
      put(staging / files::kManifestName, text);
      put(staging / files::kCompleteMarker, "1");
      if (undoing) fs::rename(staging / files::kCompleteMarker, staging / files::kUndoMarker);
      ASSERT_EQ(pendingSave(project(trial_)).state(),
                undoing ? files::PendingCommit::State::Undo : files::PendingCommit::State::Forward);
      ++converted;
      fs::remove_all(stoppedState);
      fs::copy(trial_, stoppedState, fs::copy_options::recursive);
      recoverStoppedAtEachStep(stoppedState, at % 10 != 0, undoing);
      if (::testing::Test::HasFailure()) return;
    }
  }
  // Every step from the marker on: the whole putting in place and the removal.
  EXPECT_GT(converted, 60);
}

}  // namespace
}  // namespace quillane::data
