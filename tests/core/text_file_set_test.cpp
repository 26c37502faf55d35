#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/text/file_set_commit.h"
#include "core/text/project_files.h"

namespace fs = std::filesystem;
using namespace quillane;

namespace {

struct TempProject {
  fs::path dir = fs::temp_directory_path() / ("qfs" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
  TempProject() {
    fs::remove_all(dir);
    fs::create_directories(dir / "DAT");
  }
  ~TempProject() { fs::remove_all(dir); }
  void put(const std::string& name, const std::string& content) { std::ofstream(dir / name, std::ios::binary) << content; }
  std::string get(const std::string& relative) { return files::readProjectFile(dir, relative).value_or("<missing>"); }
};

}  // namespace

TEST(FileSetCommit, ReplacesCaseVariantsAndRecoversOnlyCompleteSets) {
  TempProject p;
  p.put("DAT/BZENPLY.DAT", "old");
  {
    files::FileSetCommit c(p.dir);
    c.write("DAT\\bzenPLY.DAT", "new");
    c.commit();
  }
  auto variants = files::caseVariants(p.dir, "DAT\\bzenply.dat");
  ASSERT_EQ(variants.size(), 1u);
  EXPECT_EQ(variants[0].filename(), "bzenPLY.DAT");
  EXPECT_EQ(p.get("DAT\\bzenPLY.DAT"), "new");

  // Killed after staging and marking complete: the next load finishes the save.
  {
    files::FileSetCommit c(p.dir);
    c.write("DAT\\bzenPLY.DAT", "newer");
    c.write("DAT\\bzenLEV.DAT", "levels");
    c.stageOnly();
  }
  EXPECT_EQ(p.get("DAT\\bzenPLY.DAT"), "new");
  EXPECT_TRUE(files::recoverPendingCommit(p.dir));
  EXPECT_EQ(p.get("DAT\\bzenPLY.DAT"), "newer");
  EXPECT_EQ(p.get("DAT\\bzenLEV.DAT"), "levels");
  EXPECT_FALSE(fs::exists(p.dir / files::kStagingFolder));

  // Killed while staging (no completion marker): the project stays as it was.
  fs::create_directories(p.dir / files::kStagingFolder);
  p.put(std::string(files::kStagingFolder) + "/f0", "half");
  EXPECT_TRUE(files::recoverPendingCommit(p.dir));
  EXPECT_EQ(p.get("DAT\\bzenPLY.DAT"), "newer");
  EXPECT_FALSE(fs::exists(p.dir / files::kStagingFolder));
}

TEST(FileSetCommit, ARemovalRewrittenLaterNeverRemovesTheNewFile) {
  TempProject p;
  p.put("DAT/BZENE001.DAT", "old flags");
  files::FileSetCommit c(p.dir);
  c.remove("DAT\\BZENE001.DAT");
  c.write("DAT\\BZENE001.dat", "new flags");
  c.stageOnly();
  // Recovery may run more than once (interrupted again while finishing).
  EXPECT_TRUE(files::recoverPendingCommit(p.dir));
  EXPECT_TRUE(files::recoverPendingCommit(p.dir));
  EXPECT_EQ(p.get("DAT\\BZENE001.dat"), "new flags");
  EXPECT_EQ(files::caseVariants(p.dir, "DAT\\bzene001.dat").size(), 1u);
}
