#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/data/load_all.h"
#include "core/text/file_set_commit.h"
#include "core/text/folder_listing.h"
#include "core/text/project_files.h"
#include "fault_file_system.h"

namespace fs = std::filesystem;
using namespace quillane;

namespace {

// A project folder inside a sandbox that also holds a file beside the project.
struct TempProject {
  fs::path sandbox = fs::temp_directory_path() / ("qfs" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::path dir = sandbox / "project";
  TempProject() {
    fs::remove_all(sandbox);
    fs::create_directories(dir / "DAT");
    std::ofstream(sandbox / "victim.txt") << "precious";
  }
  ~TempProject() { fs::remove_all(sandbox); }
  void put(const std::string& name, const std::string& content) { std::ofstream(dir / name, std::ios::binary) << content; }
  std::string get(const std::string& relative) { return files::readProjectFile(dir, relative).value_or("<missing>"); }
  // Every path under the sandbox with its bytes ("/" for folders).
  std::map<std::string, std::string> snapshot() {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(sandbox))
      out[e.path().string()] = e.is_directory() ? "/" : files::readFile(e.path()).value_or("?");
    return out;
  }
  files::PendingCommit pending() { return data::pendingSave(dir); }
  std::string read(const std::string& relative) {
    auto where = pending().locate(relative);
    if (where.source == files::PendingCommit::Source::Missing) return "<missing>";
    if (where.source == files::PendingCommit::Source::File) return files::readFile(where.path).value_or("?");
    return get(relative);
  }
};

files::FileSetCommit commitIn(const TempProject& p) { return files::FileSetCommit(p.dir, &data::isProjectFileName); }

}  // namespace

TEST(FileSetCommit, ReplacesCaseVariantsAndSettlesOnlyCompleteSets) {
  TempProject p;
  p.put("DAT/BZENPLY.DAT", "old");
  {
    auto c = commitIn(p);
    c.write("DAT\\bzenPLY.DAT", "new");
    c.commit();
  }
  auto variants = files::caseVariants(p.dir, "DAT\\bzenply.dat");
  ASSERT_EQ(variants.size(), 1u);
  EXPECT_EQ(variants[0].filename(), "bzenPLY.DAT");
  EXPECT_EQ(p.get("DAT\\bzenPLY.DAT"), "new");

  // Killed after staging and marking complete: a load reads the new files while the
  // folder still holds the old ones; settling puts them in place.
  {
    auto c = commitIn(p);
    c.write("DAT\\bzenPLY.DAT", "newer");
    c.write("DAT\\bzenLEV.DAT", "levels");
    c.remove("DAT\\bzenITM.DAT");
    c.stageOnly();
  }
  p.put("DAT/bzenITM.DAT", "items");
  EXPECT_EQ(p.get("DAT\\bzenPLY.DAT"), "new");
  EXPECT_EQ(p.read("DAT\\BZENPLY.DAT"), "newer");
  EXPECT_EQ(p.read("DAT\\bzenLEV.DAT"), "levels");
  EXPECT_EQ(p.read("DAT\\bzenITM.DAT"), "<missing>");
  EXPECT_EQ(p.pending().settle(), files::Settled::Applied);
  EXPECT_EQ(p.get("DAT\\bzenPLY.DAT"), "newer");
  EXPECT_EQ(p.get("DAT\\bzenLEV.DAT"), "levels");
  EXPECT_EQ(p.get("DAT\\bzenITM.DAT"), "<missing>");
  EXPECT_FALSE(fs::exists(p.dir / files::kStagingFolder));

  // Killed while staging (no completion marker): ignored by a load, removed when settled.
  fs::create_directories(p.dir / files::kStagingFolder);
  p.put(std::string(files::kStagingFolder) + "/f0", "half");
  EXPECT_EQ(p.read("DAT\\bzenPLY.DAT"), "newer");
  EXPECT_EQ(p.pending().settle(), files::Settled::Discarded);
  EXPECT_FALSE(fs::exists(p.dir / files::kStagingFolder));
}

TEST(FileSetCommit, ARemovalRewrittenLaterNeverRemovesTheNewFile) {
  TempProject p;
  p.put("DAT/BZENE001.DAT", "old flags");
  auto c = commitIn(p);
  c.remove("DAT\\BZENE001.DAT");
  c.write("DAT\\BZENE001.dat", "new flags");
  c.stageOnly();
  // Settling may run more than once (interrupted again while finishing).
  EXPECT_EQ(p.pending().settle(), files::Settled::Applied);
  EXPECT_EQ(p.pending().settle(), files::Settled::Nothing);
  EXPECT_EQ(p.get("DAT\\BZENE001.dat"), "new flags");
  EXPECT_EQ(files::caseVariants(p.dir, "DAT\\bzene001.dat").size(), 1u);

  // The same name in another case or with the other separator is the same file; a name
  // that differs in its last characters is another file, and its removal stays.
  p.put("DAT/BZENT001.DAT", "old events");
  p.put("DAT/BZENT002.DAT", "stray");
  auto again = commitIn(p);
  again.remove("DAT/BZENT001.DAT");
  again.remove("DAT\\BZENT002.DAT");
  again.write("dat\\bzent001.DAT", "new events");
  again.commit();
  EXPECT_EQ(p.get("DAT\\BZENT001.DAT"), "new events");
  EXPECT_EQ(files::caseVariants(p.dir, "DAT\\BZENT001.DAT")[0].filename(), "bzent001.DAT");
  EXPECT_EQ(p.get("DAT\\BZENT002.DAT"), "<missing>");
}

// The marker holds the manifest and its end line. One cut short while written (nothing
// was put in place yet) is an incomplete staging, dropped; one whose text does not end
// so is read as an earlier build's marker, beside a manifest file of its own.
TEST(FileSetCommit, AMarkerCutShortIsAnIncompleteStaging) {
  TempProject p;
  p.put("DAT/bzenPLY.DAT", "old");
  {
    auto c = commitIn(p);
    c.write("DAT\\bzenPLY.DAT", "new");
    c.stageOnly();
  }
  const std::string staging = files::kStagingFolder;
  const std::string marker = files::readFile(p.dir / staging / files::kCompleteMarker).value();
  EXPECT_EQ(marker, "W\tDAT\\bzenPLY.DAT\tf0\nEND\n");
  EXPECT_FALSE(fs::exists(p.dir / staging / files::kManifestName));
  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, marker.size() - 4, marker.size() - 1}) {
    SCOPED_TRACE(cut);
    p.put(staging + "/" + files::kCompleteMarker, marker.substr(0, cut));
    EXPECT_EQ(p.pending().state(), files::PendingCommit::State::Incomplete);
    EXPECT_EQ(p.read("DAT\\bzenPLY.DAT"), "old");
  }
  // Beside a manifest file: an earlier build's staging, put in place.
  p.put(staging + "/" + files::kManifestName, "W\tDAT\\bzenPLY.DAT\tf0\n");
  p.put(staging + "/" + files::kCompleteMarker, "1");
  EXPECT_EQ(p.read("DAT\\bzenPLY.DAT"), "new");
  EXPECT_EQ(p.pending().settle(), files::Settled::Applied);
  EXPECT_EQ(p.get("DAT\\bzenPLY.DAT"), "new");
  EXPECT_FALSE(fs::exists(p.dir / staging));
  // "END" is a line of its own: a manifest whose last name merely ends in it is no whole one.
  fs::create_directories(p.dir / staging);
  p.put(staging + "/f0", "newer");
  p.put(staging + "/" + files::kCompleteMarker, "W\tDAT\\bzenPLY.DAT\tf0END\n");
  EXPECT_EQ(p.pending().state(), files::PendingCommit::State::Incomplete);
  EXPECT_EQ(p.pending().settle(), files::Settled::Discarded);
  EXPECT_EQ(p.get("DAT\\bzenPLY.DAT"), "new");
}

// A crafted staging folder must never reach outside the project or touch anything but
// a project file in DAT: it is refused whole, neither read nor applied.
TEST(FileSetCommit, AManifestNamingAnythingButAProjectFileIsRefused) {
  const char* manifests[] = {
      "W\tDAT\\..\\victim.txt\tf0\n", "W\t..\\victim.txt\tf0\n",      "D\t..\\..\\victim.txt\tf0\n",
      "W\t/tmp/victim.txt\tf0\n",     "W\tDAT\\notes.txt\tf0\n",       "W\tDAT\\sub\\bzenPLY.DAT\tf0\n",
      "W\tGRP\\bzenPLY.DAT\tf0\n",    "W\tDAT\\bzenPLY.DAT\t../x\n",    "X\tDAT\\bzenPLY.DAT\tf0\n",
      "W\tDAT\\bzenPLY.DAT\tf0\nW\tDAT\\BZENPLY.DAT\tf1\n",         "W\tDAT\\bzenPLY.DAT\n",
  };
  for (bool earlierForm : {true, false})
  for (const char* manifest : manifests) {
    SCOPED_TRACE(manifest);
    TempProject p;
    p.put("DAT/bzenPLY.DAT", "old");
    fs::create_directories(p.dir / files::kStagingFolder);
    // An earlier build's manifest file beside the marker "1", or the marker holding it.
    if (earlierForm) p.put(std::string(files::kStagingFolder) + "/manifest", manifest);
    p.put(std::string(files::kStagingFolder) + "/COMPLETE", earlierForm ? "1" : std::string(manifest) + "END\n");
    p.put(std::string(files::kStagingFolder) + "/f0", "crafted");
    p.put(std::string(files::kStagingFolder) + "/f1", "crafted");
    auto before = p.snapshot();
    auto pending = p.pending();
    EXPECT_EQ(pending.state(), files::PendingCommit::State::Refused);
    EXPECT_FALSE(pending.problem().empty());
    EXPECT_EQ(p.read("DAT\\bzenPLY.DAT"), "old");
    EXPECT_EQ(pending.settle(), files::Settled::Refused);
    EXPECT_EQ(p.snapshot(), before);
  }
  // A kept copy that is no copy of its line's file is refused as well.
  TempProject p;
  fs::create_directories(p.dir / files::kStagingFolder);
  p.put(std::string(files::kStagingFolder) + "/manifest", "W\tDAT\\bzenPLY.DAT\tf0\n");
  p.put(std::string(files::kStagingFolder) + "/UNDO", "1");
  p.put(std::string(files::kStagingFolder) + "/o0-run.sh", "crafted");
  EXPECT_EQ(p.pending().state(), files::PendingCommit::State::Refused);
  fs::remove(p.dir / files::kStagingFolder / "o0-run.sh");
  fs::create_directory_symlink(p.sandbox, p.dir / files::kStagingFolder / "o0-bzenPLY.DAT");
  EXPECT_EQ(p.pending().state(), files::PendingCommit::State::Refused);
}

// One file that cannot be replaced (immutable, another user's in a sticky folder):
// every file already put in place goes back, the staging goes, the save reports it.
TEST(FileSetCommit, AFileThatCannotBeReplacedPutsEveryOldFileBack) {
  TempProject p;
  p.put("DAT/BZENTOPN.DAT", "old topn");
  p.put("DAT/bzenPLY.DAT", "old ply");
  p.put("DAT/BZENPLY.DAT", "old ply variant");
  p.put("DAT/bzenLEV.DAT", "old lev");
  p.put("DAT/bzenMGC.DAT", "old mgc");
  auto before = p.snapshot();
  quillane::testing::FaultFileSystem layer;
  layer.refuse = [](const fs::path& path) { return path.filename() == "bzenLEV.DAT"; };
  files::FileSystemOverride use(layer);
  auto c = commitIn(p);
  c.write("DAT\\BZENTOPN.DAT", "new topn");
  c.write("DAT\\bzenPLY.DAT", "new ply");
  c.remove("DAT\\bzenMGC.DAT");
  c.write("DAT\\bzenLEV.DAT", "new lev");
  EXPECT_THROW(c.commit(), std::runtime_error);
  EXPECT_EQ(p.snapshot(), before);
}

// The save's lookups of case-variants read each folder once: they find what a lookup of
// its own finds (a folder found without regard to case, names in any case, nothing for
// a missing folder), and later changes to the folder are not seen.
TEST(CaseVariantLookup, FindsWhatASeparateLookupFindsFromOneListing) {
  TempProject p;
  p.put("DAT/bzenPLY.DAT", "a");
  p.put("DAT/BZENPLY.dat", "b");
  p.put("DAT/bzenITM.DAT", "c");
  fs::create_directories(p.dir / "Sub");
  p.put("Sub/x.txt", "d");
  files::CaseVariantLookup lookup(p.dir);
  for (const char* name : {"DAT\\bzenply.dat", "dat/BZENITM.DAT", "DAT\\bzenLEV.DAT", "SUB\\X.TXT", "Missing\\x", "top.txt"}) {
    SCOPED_TRACE(name);
    auto found = lookup.find(name), alone = files::caseVariants(p.dir, name);
    std::sort(found.begin(), found.end());
    std::sort(alone.begin(), alone.end());
    EXPECT_EQ(found, alone);
  }
  EXPECT_EQ(lookup.find("DAT\\bzenPLY.DAT").size(), 2u);
  p.put("DAT/bzenLEV.DAT", "new");
  EXPECT_TRUE(lookup.find("DAT\\bzenLEV.DAT").empty());
  EXPECT_EQ(files::CaseVariantLookup(p.dir).find("DAT\\bzenLEV.DAT").size(), 1u);
}
