#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "core/settings/editor_settings.h"
#include "core/settings/folder_path.h"
#include "core/text/project_files.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {
fs::path freshDir(const char* name) {
  fs::path dir = fs::temp_directory_path() / (std::string("quillane_settings_") + name + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}
std::string readAll(const fs::path& p) { return files::readFile(p).value_or("<missing>"); }
}  // namespace

TEST(SettingsFile, MissingFileIsCreatedWithTheDefaultLinePrivately) {
  fs::path dir = freshDir("create");
  settings::SettingsRead r = settings::loadSettings(dir);
  EXPECT_TRUE(r.created);
  EXPECT_EQ(readAll(dir / "zov.ini"), "\"\",\"\",\"\",75,1,1,");
  EXPECT_EQ(r.settings.zoom, 75);
  EXPECT_EQ(r.settings.scrollSpeed, 1);
  EXPECT_EQ(r.settings.scale, 1);
  EXPECT_TRUE(r.settings.folder.empty());
  struct stat st {};
  ASSERT_EQ(::stat((dir / "zov.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  fs::remove_all(dir);
}

TEST(SettingsFile, ReadsEitherCaseAndRewritesAsLowerCaseOnly) {
  fs::path dir = freshDir("case");
  std::ofstream(dir / "ZOV.INI") << "\"C:\\games\\rpg\\\",\"r\",\"pw\", 50 , 2 , 0 ,";
  settings::SettingsRead r = settings::loadSettings(dir);
  EXPECT_FALSE(r.created);
  EXPECT_EQ(r.settings.folder, "C:/games/rpg/");  // "\" read as a separator
  EXPECT_EQ(r.settings.reserved, "r");
  EXPECT_EQ(r.settings.password, "pw");
  EXPECT_EQ(r.settings.zoom, 50);
  EXPECT_EQ(r.settings.scrollSpeed, 2);
  EXPECT_EQ(r.settings.scale, 0);
  r.settings.zoom = 62.5;
  settings::saveSettings(dir, r.settings);
  EXPECT_FALSE(fs::exists(dir / "ZOV.INI"));
  EXPECT_EQ(readAll(dir / "zov.ini"), "\"C:/games/rpg/\",\"r\",\"pw\", 62.5 , 2 , 0 ,");
  fs::remove_all(dir);
}

TEST(SettingsFile, MissingNumbersAndBadValues) {
  // Texts only: zoom 100, pace 1, ruler 0.
  auto s = settings::parseSettings("\"./p/\",\"\",\"x\",");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->folder, "./p/");
  EXPECT_EQ(s->zoom, 100);
  EXPECT_EQ(s->scrollSpeed, 1);
  EXPECT_EQ(s->scale, 0);
  // Values made valid: zoom to the nearest step, pace clamped, any ruler value to 1.
  s = settings::parseSettings("\"\",\"\",\"\", 60 , 7 , 5 ,");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->zoom, 62.5);
  EXPECT_EQ(s->scrollSpeed, 3);
  EXPECT_EQ(s->scale, 1);
  s = settings::parseSettings("\"\",\"\",\"\",-4,-2,0,");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->zoom, 75);
  EXPECT_EQ(s->scrollSpeed, 0);
  // The texts cannot be read: no settings (the file is created anew).
  EXPECT_FALSE(settings::parseSettings(""));
  EXPECT_FALSE(settings::parseSettings("\"unterminated"));
}

TEST(SettingsFolder, ChosenFileGivesItsFolderRelativeUnderTheProgramFolder) {
  fs::path prog = "/home/u/prog";
  EXPECT_EQ(settings::folderOfChosenFile("/home/u/prog/sample/Font.bmp", prog), "./sample/");
  EXPECT_EQ(settings::folderOfChosenFile("/home/u/prog/font.bmp", prog), "./");
  EXPECT_EQ(settings::folderOfChosenFile("/home/u/prog2/font.bmp", prog), "/home/u/prog2/");
  EXPECT_EQ(settings::folderOfChosenFile("/data/x/Font.bmp", "/home/u/prog/"), "/data/x/");
  EXPECT_EQ(settings::withFinalSeparator("/data/x"), "/data/x/");
  EXPECT_EQ(settings::withFinalSeparator("data\\x\\"), "data/x/");
  EXPECT_EQ(settings::rememberedFolder("data\\x"), "./data/x/");
  EXPECT_EQ(settings::rememberedFolder("./p"), "./p/");
  EXPECT_EQ(settings::rememberedFolder("../p/"), "../p/");
  EXPECT_EQ(settings::rememberedFolder("/abs/p"), "/abs/p/");
  EXPECT_EQ(settings::resolveFolder("./sample/", prog), fs::path("/home/u/prog/sample/"));
  EXPECT_EQ(settings::resolveFolder("/abs/p/", prog), fs::path("/abs/p/"));
}
